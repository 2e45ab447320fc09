#include "sim/state_file.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/native_path.h"

namespace sim {
namespace {

// A state holds at most the whole memory plus a few kilobytes of fields.
constexpr long kMaxStateFileSize = 2 * 1024 * 1024;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

bool LoadStateFile(const std::string& path, TesterState* state, std::string* error) {
  File file(std::fopen(platform::NativePath(path).c_str(), "rb"));
  if (!file) {
    *error = "cannot open the state file " + path;
    return false;
  }
  std::vector<std::uint8_t> data;
  std::uint8_t chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
    if (data.size() + n > static_cast<std::size_t>(kMaxStateFileSize)) {
      *error = "the state file " + path + " is too large to be a simulated tester";
      return false;
    }
    data.insert(data.end(), chunk, chunk + n);
  }
  if (std::ferror(file.get())) {
    *error = "cannot read the state file " + path;
    return false;
  }
  std::string reason;
  if (!ParseState(data, state, &reason)) {
    *error = "the state file " + path + " is damaged: " + reason;
    return false;
  }
  return true;
}

bool SaveStateFile(const std::string& path, const TesterState& state, std::string* error) {
  const std::string native = platform::NativePath(path);
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const std::string temporary = native + ".tmp" + std::to_string(stamp & 0xFFFFFF);
  std::vector<std::uint8_t> data = SerializeState(state);
  {
    File file(std::fopen(temporary.c_str(), "wb"));
    if (!file || std::fwrite(data.data(), 1, data.size(), file.get()) != data.size() ||
        std::fflush(file.get()) != 0) {
      file.reset();
      std::remove(temporary.c_str());
      *error = "cannot write the state file " + path;
      return false;
    }
  }
  // On Windows a reader that has the file open blocks the rename for a moment: try again briefly.
  std::error_code ec;
  for (int attempt = 0; attempt < 50; ++attempt) {
    std::filesystem::rename(temporary, native, ec);
    if (!ec) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::remove(temporary.c_str());
  *error = "cannot replace the state file " + path + ": " + ec.message();
  return false;
}

}  // namespace sim
