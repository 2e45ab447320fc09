// The system's description of the last error, in one place per platform.
#pragma once

#include <string>

namespace platform {

// Text of the calling thread's last system error (FormatMessageA of GetLastError on Windows,
// strerror(errno) on Linux), without a trailing line end.
std::string LastErrorText();

// The last error's code, and putting it back after a clean-up call that may have changed it.
int LastErrorCode();
void RestoreLastError(int code);

// Sets the last error to "disk full": for a write the system took as complete that came out short.
void SetDiskFullError();

}  // namespace platform
