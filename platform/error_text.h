// The system's description of the last error, in one place per platform.
#pragma once

#include <string>

namespace platform {

// Text of the calling thread's last system error (FormatMessageA of GetLastError on Windows,
// strerror(errno) on Linux), without a trailing line end.
std::string LastErrorText();

}  // namespace platform
