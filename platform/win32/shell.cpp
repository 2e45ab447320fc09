// The shell's "open" verb.
#include "platform/shell.h"

#include <windows.h>

namespace platform {

bool OpenDocument(const std::string& path) {
  // Values above 32 mean the shell took the request.
  HINSTANCE result = ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace platform
