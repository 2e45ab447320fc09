#include "platform/file_replace.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>

namespace platform {
namespace {

// Names taken by another writer (or a file or folder of that name) are skipped; this many are
// tried before giving up.
constexpr int kNameAttempts = 100;

std::atomic<unsigned> temporary_count{0};

}  // namespace

std::string TemporaryPathBeside(const std::string& path) {
  return path + "." + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(++temporary_count) + ".partial";
}

std::FILE* CreateTemporaryBeside(const std::string& path, std::string& temporary) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    temporary = TemporaryPathBeside(path);
    // CREATE_NEW never opens what is there, a link included; no sharing while it is written.
    HANDLE handle = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD code = GetLastError();
      // A folder of that name answers "access denied": another name then.
      const bool taken = code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS ||
                         (code == ERROR_ACCESS_DENIED &&
                          GetFileAttributesA(temporary.c_str()) != INVALID_FILE_ATTRIBUTES);
      if (taken) continue;
      SetLastError(code);
      return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
      CloseHandle(handle);
      DeleteFileA(temporary.c_str());
      SetLastError(ERROR_TOO_MANY_OPEN_FILES);
      return nullptr;
    }
    std::FILE* file = _fdopen(fd, "wb");
    if (file == nullptr) {
      _close(fd);
      DeleteFileA(temporary.c_str());
      SetLastError(ERROR_TOO_MANY_OPEN_FILES);
    }
    return file;
  }
  SetLastError(ERROR_FILE_EXISTS);
  return nullptr;
}

std::int64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return -1;
  }
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                                   data.nFileSizeLow);
}

bool RenameOver(const std::string& temporary, const std::string& path) {
  // One step that replaces the old file or leaves it; like rename() on Linux, refused when `path`
  // is a folder.
  return MoveFileExA(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace platform
