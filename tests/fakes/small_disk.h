// A folder on a file system of 64 KiB, for tests that must meet a full disk for real rather than a
// fake one (the Windows C runtime under Wine reports a full disk in neither fwrite nor fclose).
// Linux: a tmpfs mounted for the object's life (root only). Windows, under Wine: the folder named
// by HALVEN_SMALL_DISK, a 64 KiB tmpfs mounted by whoever runs the tests and reached through Z:
// (scripts/dev/small_disk_wine_tests.sh); its contents are removed before and after.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace fakes {

class SmallDisk {
 public:
  SmallDisk();
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  // False when there is no small disk here; `why_not` then says why (for GTEST_SKIP).
  bool ready() const { return ready_; }
  const std::string& why_not() const { return why_not_; }
  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

  // Takes all free space but `left` bytes with a filler file; false when that cannot be done.
  // The filler grows until the disk refuses more, each step checked by its size on disk: neither
  // the Windows C runtime under Wine nor its free-space figures for Z: can be trusted here.
  bool FillLeaving(std::uintmax_t left) {
    const std::filesystem::path filler = path_ / "filler";
    const std::string chunk(4096, 'f');
    std::error_code error;
    std::uintmax_t size = 0;
    for (int step = 0; step < 4096; ++step) {  // at most 16 MiB: this must be a small disk
      {
        std::ofstream out(filler, std::ios::binary | std::ios::app);
        out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
      }
      const std::uintmax_t now = std::filesystem::file_size(filler, error);
      if (error) return false;
      if (now < size + chunk.size()) {
        const std::uintmax_t target = size > left ? size - left : 0;
        if (target != now) std::filesystem::resize_file(filler, target, error);
        return !error;
      }
      size = now;
    }
    return false;
  }

 private:
  bool ready_ = false;
  std::string why_not_;
  std::filesystem::path path_;
};

}  // namespace fakes
