#include "platform/read_whole_file.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "platform/file_replace.h"
#include "platform/native_path.h"

namespace platform {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t limit) {
  // FileSize refuses folders, which fopen would open on Linux.
  const std::int64_t size = FileSize(path);
  if (size < 0) return std::nullopt;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(NativePath(path).c_str(), "rb"));
  if (!file) return std::nullopt;
  std::string text;
  text.resize(std::min(static_cast<std::size_t>(size), limit));
  std::size_t got = std::fread(text.data(), 1, text.size(), file.get());
  // The file may have grown since FileSize: take the rest too, up to the limit.
  bool more = got == text.size();
  text.resize(got);
  char buffer[4096];
  while (more && text.size() < limit) {
    const std::size_t n =
        std::fread(buffer, 1, std::min(sizeof buffer, limit - text.size()), file.get());
    text.append(buffer, n);
    more = n > 0;
  }
  if (std::ferror(file.get()) != 0) return std::nullopt;
  return text;
}

}  // namespace platform
