#include "platform/file_stamp.h"

#include <sys/stat.h>

#include <ctime>

#include "platform/native_path.h"

namespace platform {
namespace {

std::int64_t Nanoseconds(const timespec& t) { return t.tv_sec * 1'000'000'000LL + t.tv_nsec; }

// Two ticks of the kernel's coarse clock, which stamps file times, and at least 10 ms.
std::int64_t TimestampDoubt() {
  static const std::int64_t doubt = [] {
    timespec resolution{};
    std::int64_t tick = clock_getres(CLOCK_REALTIME_COARSE, &resolution) == 0
                            ? Nanoseconds(resolution)
                            : 10'000'000LL;
    std::int64_t twice = 2 * tick;
    return twice < 10'000'000LL ? 10'000'000LL : (twice > 100'000'000LL ? 100'000'000LL : twice);
  }();
  return doubt;
}

}  // namespace

FileStamp StampOf(const std::string& path) {
  struct stat st;
  FileStamp stamp;
  if (stat(NativePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return stamp;
  stamp.exists = true;
  stamp.id = static_cast<std::uint64_t>(st.st_ino) ^ (static_cast<std::uint64_t>(st.st_dev) << 40);
  stamp.size = static_cast<std::uint64_t>(st.st_size);
  stamp.modified = Nanoseconds(st.st_mtim);
  stamp.changed = Nanoseconds(st.st_ctim);
  return stamp;
}

bool LongSinceChanged(const FileStamp& stamp) {
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  return Nanoseconds(now) - stamp.modified > TimestampDoubt() &&
         Nanoseconds(now) - stamp.changed > TimestampDoubt();
}

}  // namespace platform
