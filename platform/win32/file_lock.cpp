#include "platform/file_lock.h"

#include <windows.h>

namespace platform {

bool FileLock::TryAcquire(const std::string& path, bool& busy) {
  busy = false;
  Release();
  // No sharing: a second open fails at once, and the system closes the handle with the process.
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    busy = GetLastError() == ERROR_SHARING_VIOLATION;
    return false;
  }
  handle_ = reinterpret_cast<std::intptr_t>(handle);
  return true;
}

void FileLock::Release() {
  if (handle_ == kNone) return;
  const DWORD code = GetLastError();
  CloseHandle(reinterpret_cast<HANDLE>(handle_));
  SetLastError(code);
  handle_ = kNone;
}

}  // namespace platform
