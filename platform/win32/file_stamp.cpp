#include "platform/file_stamp.h"

#include <windows.h>

namespace platform {
namespace {

std::int64_t Ticks(const FILETIME& t) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime);
}

// In 100 ns units: the system clock that stamps file times ticks every 15.6 ms at most; under Wine
// the times are those of the Linux file system, a few ms apart.
constexpr std::int64_t kTimestampDoubt = 100 * 10'000;

}  // namespace

FileStamp StampOf(const std::string& path) {
  FileStamp stamp;
  HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return stamp;
  BY_HANDLE_FILE_INFORMATION info;
  const bool ok = GetFileInformationByHandle(file, &info) != 0 &&
                  (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  CloseHandle(file);
  if (!ok) return stamp;
  stamp.exists = true;
  stamp.id = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow) ^
             (static_cast<std::uint64_t>(info.dwVolumeSerialNumber) << 48);
  stamp.size = static_cast<std::uint64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
  stamp.modified = Ticks(info.ftLastWriteTime);
  stamp.changed = Ticks(info.ftCreationTime);
  return stamp;
}

bool LongSinceChanged(const FileStamp& stamp) {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return Ticks(now) - stamp.modified > kTimestampDoubt &&
         Ticks(now) - stamp.changed > kTimestampDoubt;
}

}  // namespace platform
