// The small disk on Linux: a 64 KiB tmpfs mounted on a fresh folder.
#include "tests/fakes/small_disk.h"

#include <sys/mount.h>
#include <unistd.h>

#include <cstdlib>
#include <random>

namespace fakes {

SmallDisk::SmallDisk() {
  if (geteuid() != 0) {
    why_not_ = "mounting the small tmpfs needs root";
    return;
  }
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() /
          ("small_disk_" + std::to_string(random()) + std::to_string(random()));
  std::error_code error;
  std::filesystem::create_directories(path_, error);
  if (error || mount("tmpfs", path_.c_str(), "tmpfs", 0, "size=64k") != 0) {
    why_not_ = "cannot mount a tmpfs on " + path_.string();
    std::filesystem::remove(path_, error);
    return;
  }
  ready_ = true;
}

SmallDisk::~SmallDisk() {
  if (path_.empty()) return;
  std::error_code error;
  if (ready_) umount2(path_.c_str(), MNT_DETACH);
  std::filesystem::remove(path_, error);
}

}  // namespace fakes
