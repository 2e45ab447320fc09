// The system's text for GetLastError.
#include "platform/error_text.h"

#include <windows.h>

namespace platform {

std::string LastErrorText() {
  DWORD code = GetLastError();
  char* text = nullptr;
  DWORD n = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0,
      nullptr);
  std::string result = n && text ? std::string(text, n) : std::string();
  if (text) LocalFree(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
  return result;
}

int LastErrorCode() { return static_cast<int>(GetLastError()); }
void RestoreLastError(int code) { SetLastError(static_cast<DWORD>(code)); }
void SetDiskFullError() { SetLastError(ERROR_DISK_FULL); }

}  // namespace platform
