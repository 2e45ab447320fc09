// Whole-file reads and writes for tests, helper programs and benchmarks: the bytes of a file as
// one string, and back. Header-only, so that the helper programs need no test library.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fakes {

// The whole content of `path`; "" for a missing file.
inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Makes `bytes` the whole content of `path`; false when the file cannot be written.
inline bool WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

}  // namespace fakes
