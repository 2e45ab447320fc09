// Sequential reader of the configuration source: exact-size reads from an open file or from bytes
// in memory. A read that finds fewer bytes than asked fails, and every read after it fails too, so
// that a caller reads a whole block and checks once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>

namespace config {

class SourceReader {
 public:
  // Reads from `file` (not owned; the caller closes it).
  explicit SourceReader(std::FILE* file) : file_(file) {}
  // Reads from `bytes`, which must outlive the reader.
  explicit SourceReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  // Stores the next `count` bytes at `out`. When fewer remain, stores those that remain and fails.
  bool Read(std::uint8_t* out, std::size_t count);
  bool ReadU8(std::uint8_t* out) { return Read(out, 1); }
  // Advances past `count` bytes without storing them.
  bool Skip(std::size_t count);

  // False once any read or skip has run past the end.
  bool ok() const { return ok_; }

 private:
  std::FILE* file_ = nullptr;
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
  bool ok_ = true;
};

}  // namespace config
