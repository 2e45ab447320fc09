#include "platform/file_replace.h"

#include <sys/stat.h>

#include <cerrno>

#include <cstdio>

#include "platform/native_path.h"

namespace platform {

std::int64_t FileSize(const std::string& path) {
  struct stat info {};
  if (stat(NativePath(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
  return static_cast<std::int64_t>(info.st_size);
}

bool RenameOver(const std::string& temporary, const std::string& path) {
  // rename() would also replace an empty folder with a file: refuse any folder, as Windows does.
  struct stat info {};
  if (stat(NativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    errno = EISDIR;
    return false;
  }
  return std::rename(NativePath(temporary).c_str(), NativePath(path).c_str()) == 0;
}

}  // namespace platform
