// A flush onto a full disk (a 64 KiB tmpfs, mounted when the tests run as root) fails and leaves
// the file as the first key wrote it, never a cut one.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/file_replace.h"
#include "platform/profile.h"

namespace {

namespace fs = std::filesystem;

TEST(ProfileFullDisk, AFlushThatDoesNotFitFailsAndKeepsTheFileWhole) {
  const fs::path mount_point = fs::temp_directory_path() / "halven_full_disk";
  fs::create_directories(mount_point);
  if (mount("tmpfs", mount_point.c_str(), "tmpfs", 0, "size=64k") != 0) {
    fs::remove(mount_point);
    GTEST_SKIP() << "no tmpfs can be mounted here (not root)";
  }
  struct Unmount {
    const fs::path& at;
    ~Unmount() {
      umount(at.c_str());
      fs::remove(at);
    }
  } unmount{mount_point};
  const std::string path = (mount_point / "Results.log").string();
  ASSERT_TRUE(platform::WriteProfileStringDeferred("A", "k", "1", path));
  for (int i = 0; i < 4000; ++i) {
    ASSERT_TRUE(platform::WriteProfileStringDeferred(
        "S" + std::to_string(i / 50), "key" + std::to_string(i), std::string(40, 'v'), path));
  }
  EXPECT_FALSE(platform::FlushProfileWrites());
  std::ostringstream text;
  {
    std::ifstream in(path, std::ios::binary);
    text << in.rdbuf();
  }
  EXPECT_TRUE(text.str() == "[A]\r\nk=1\r\n") << text.str().size() << " bytes";
  EXPECT_FALSE(fs::exists(platform::TemporaryPathBeside(path)));
}

}  // namespace
