// A cheap look at a file's state, without reading it: enough to tell that a file kept in memory
// may be used again.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct FileStamp {
  bool exists = false;   // a regular file (a folder is no file here)
  std::uint64_t id = 0;  // the file itself on Linux (inode): a file renamed into place differs
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // the system's file times, in its own units
  std::int64_t changed = 0;

  bool operator==(const FileStamp&) const = default;
};

// The stamp of `path` (in the programs' form).
FileStamp StampOf(const std::string& path);

// Whether the stamp's last change lies far enough in the past: file times come from a coarse
// clock, so a file changed again within one of its ticks may keep its stamp. Until then, equal
// stamps do not prove equal bytes.
bool LongSinceChanged(const FileStamp& stamp);

}  // namespace platform
