#include "platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "platform/native_path.h"

namespace platform {
namespace {

// Names taken by another writer (or a file, folder or link of that name) are skipped; this many
// are tried before giving up.
constexpr int kNameAttempts = 100;

std::atomic<unsigned> temporary_count{0};

}  // namespace

std::string TemporaryPathBeside(const std::string& path) {
  return path + "." + std::to_string(getpid()) + "-" + std::to_string(++temporary_count) +
         ".partial";
}

std::FILE* CreateTemporaryBeside(const std::string& path, std::string& temporary) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    temporary = TemporaryPathBeside(path);
    const int fd = open(NativePath(temporary).c_str(),
                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return nullptr;
    }
    std::FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
      const int code = errno;
      close(fd);
      unlink(NativePath(temporary).c_str());
      errno = code;
    }
    return file;
  }
  errno = EEXIST;
  return nullptr;
}

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
