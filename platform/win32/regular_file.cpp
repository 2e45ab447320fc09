#include "platform/regular_file.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace platform {
namespace {

constexpr DWORD kNotPlain =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;

}  // namespace

FileKind KindOf(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return FileKind::kMissing;
  return (attributes & kNotPlain) != 0 ? FileKind::kOther : FileKind::kRegular;
}

std::FILE* OpenRegularFile(const std::string& path, FileKind& kind) {
  kind = KindOf(path);
  if (kind != FileKind::kRegular) return nullptr;
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    kind = FileKind::kMissing;
    return nullptr;
  }
  // A device name ("NUL", "COM1") opens as a character device, not a disk file.
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    kind = FileKind::kOther;
    CloseHandle(handle);
    return nullptr;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(handle);
    kind = FileKind::kMissing;
    return nullptr;
  }
  std::FILE* file = _fdopen(fd, "rb");
  if (file == nullptr) {
    _close(fd);
    kind = FileKind::kMissing;
  }
  return file;
}

}  // namespace platform
