#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/native_path.h"

namespace platform {

FileKind KindOf(const std::string& path) {
  struct stat info {};
  if (lstat(NativePath(path).c_str(), &info) != 0) return FileKind::kMissing;
  return S_ISREG(info.st_mode) ? FileKind::kRegular : FileKind::kOther;
}

std::FILE* OpenRegularFile(const std::string& path, FileKind& kind) {
  kind = FileKind::kMissing;
  // O_NONBLOCK: a FIFO opens at once instead of waiting for a writer; O_NOFOLLOW: a link fails.
  const int fd =
      open(NativePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ELOOP || errno == ENXIO) kind = FileKind::kOther;
    return nullptr;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    kind = FileKind::kOther;
    close(fd);
    return nullptr;
  }
  const int flags = fcntl(fd, F_GETFL);
  if (flags >= 0) (void)fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  std::FILE* file = fdopen(fd, "rb");
  if (file == nullptr) {
    close(fd);
    return nullptr;
  }
  kind = FileKind::kRegular;
  return file;
}

}  // namespace platform
