#include "platform/read_whole_file.h"

#include <cstdio>

#include "platform/file_replace.h"
#include "platform/native_path.h"

namespace platform {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  // FileSize refuses folders, which fopen would open on Linux.
  const std::int64_t size = FileSize(path);
  if (size < 0) return std::nullopt;
  std::FILE* file = std::fopen(NativePath(path).c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  std::string text;
  text.resize(static_cast<std::size_t>(size));
  std::size_t got = std::fread(text.data(), 1, text.size(), file);
  // The file may have grown since FileSize: take the rest too.
  char buffer[4096];
  bool more = got == text.size();
  text.resize(got);
  while (more) {
    std::size_t n = std::fread(buffer, 1, sizeof buffer, file);
    text.append(buffer, n);
    more = n == sizeof buffer;
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return text;
}

}  // namespace platform
