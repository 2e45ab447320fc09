// A folder on a file system of 64 KiB, for tests that must meet a full disk for real rather than a
// fake one (the Windows C runtime under Wine reports a full disk in neither fwrite nor fclose).
// Linux: a tmpfs mounted for the object's life (root only). Windows, under Wine: the folder named by
// HALVEN_SMALL_DISK, a 64 KiB tmpfs mounted by whoever runs the tests and reached through Z:
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

  // Takes all free space but `left` bytes with a filler file; false when the filler did not come
  // out at its size.
  bool FillLeaving(std::uintmax_t left) {
    std::error_code error;
    const std::uintmax_t available = std::filesystem::space(path_, error).available;
    if (error) return false;
    const std::uintmax_t size = available > left ? available - left : 0;
    const std::filesystem::path filler = path_ / "filler";
    {
      std::ofstream out(filler, std::ios::binary);
      const std::string chunk(4096, 'f');
      for (std::uintmax_t written = 0; written < size; written += chunk.size()) {
        out.write(chunk.data(),
                  static_cast<std::streamsize>(std::min<std::uintmax_t>(chunk.size(), size - written)));
      }
    }
    return std::filesystem::file_size(filler, error) == size && !error;
  }

 private:
  bool ready_ = false;
  std::string why_not_;
  std::filesystem::path path_;
};

}  // namespace fakes
