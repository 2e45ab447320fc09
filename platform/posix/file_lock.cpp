#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/native_path.h"

namespace platform {

bool FileLock::TryAcquire(const std::string& path, bool& busy) {
  busy = false;
  Release();
  // Not O_CLOEXEC: the tool started during the upload holds the lock with its caller.
  const int fd = open(NativePath(path).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW, 0666);
  if (fd < 0) return false;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int code = errno;
    close(fd);
    busy = code == EWOULDBLOCK;
    errno = code;
    return false;
  }
  handle_ = fd;
  return true;
}

void FileLock::Release() {
  if (handle_ == kNone) return;
  const int code = errno;
  close(static_cast<int>(handle_));
  errno = code;
  handle_ = kNone;
}

}  // namespace platform
