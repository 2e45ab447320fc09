// The system's text for errno.
#include "platform/error_text.h"

#include <cerrno>
#include <cstring>

namespace platform {

std::string LastErrorText() { return std::strerror(errno); }

int LastErrorCode() { return errno; }
void RestoreLastError(int code) { errno = code; }
void SetDiskFullError() { errno = ENOSPC; }

}  // namespace platform
