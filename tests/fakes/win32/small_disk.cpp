// The small disk on Windows: a folder on a small file system prepared outside the tests, named by
// HALVEN_SMALL_DISK (under Wine, a 64 KiB tmpfs reached through Z:).
#include "tests/fakes/small_disk.h"

#include <cstdlib>

namespace fakes {
namespace {

void RemoveContents(const std::filesystem::path& folder) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    std::filesystem::remove_all(entry.path(), error);
  }
}

}  // namespace

SmallDisk::SmallDisk() {
  const char* folder = std::getenv("HALVEN_SMALL_DISK");
  if (folder == nullptr || *folder == '\0') {
    why_not_ = "HALVEN_SMALL_DISK names no small disk (scripts/dev/small_disk_wine_tests.sh)";
    return;
  }
  path_ = folder;
  std::error_code error;
  if (!std::filesystem::is_directory(path_, error)) {
    why_not_ = "HALVEN_SMALL_DISK is not a folder: " + path_.string();
    return;
  }
  RemoveContents(path_);
  ready_ = true;
}

SmallDisk::~SmallDisk() {
  if (ready_) RemoveContents(path_);
}

}  // namespace fakes
