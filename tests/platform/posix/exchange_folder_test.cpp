#include "platform/exchange_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/environment.h"

namespace {

namespace fs = std::filesystem;

// HOME and XDG_DATA_HOME as each case sets them, put back afterwards.
class ExchangeFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"HOME", "XDG_DATA_HOME"}) {
      const char* value = getenv(name);
      saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
    }
    root_ = fs::temp_directory_path() / "halven_exchange_folder_test";
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      EXPECT_TRUE(platform::SetEnvironmentValue(name, value ? value->c_str() : nullptr));
    }
    fs::remove_all(root_);
  }
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
  fs::path root_;
};

TEST_F(ExchangeFolderTest, ProgramFolderWhenWritableElseTheUsersDataFolder) {
  const std::string root = root_.string();
  std::ofstream(root_ / "plain_file") << "x";
  const std::string writable = root + "/programs/";
  fs::create_directories(writable);
  struct Case {
    const char* name;
    std::string program_folder, home, data_home, expected;
  } cases[] = {
      {"writable", writable, root + "/home", root + "/data", writable},
      // An installed package: /usr is never written, not even by root.
      {"xdg", "/usr/bin/", root + "/home", root + "/data/deep", root + "/data/deep/halven/"},
      {"xdg with a trailing slash", "/usr/bin/", "", root + "/data/", root + "/data/halven/"},
      {"home default", "/usr/bin/", root + "/home", "", root + "/home/.local/share/halven/"},
      {"relative xdg ignored", "/usr/bin/", root + "/home", "data",
       root + "/home/.local/share/halven/"},
      {"no home", "/usr/bin/", "", "", "/usr/bin/"},
      {"not creatable", "/usr/bin/", "", root + "/plain_file/data", "/usr/bin/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(platform::SetEnvironmentValue("HOME", c.home.c_str()));
    ASSERT_TRUE(platform::SetEnvironmentValue("XDG_DATA_HOME", c.data_home.c_str()));
    EXPECT_EQ(platform::ExchangeFolder(c.program_folder), c.expected);
    struct stat st;
    ASSERT_EQ(stat(c.expected.c_str(), &st), 0);
    if (c.expected != c.program_folder) {
      EXPECT_EQ(st.st_mode & 0777, 0700u);
    }
  }
}

}  // namespace
