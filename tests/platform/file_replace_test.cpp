#include "platform/file_replace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <system_error>

#include "platform/error_text.h"
#include "tests/fakes/file_bytes.h"
#include "tests/fakes/temp_folder.h"

namespace {

namespace fs = std::filesystem;

class FileReplaceTest : public testing::Test {
 protected:
  static std::string Read(const std::string& path) { return fakes::ReadBytes(path); }
  // The names in the folder: what a write left behind, temporaries included.
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_.path())) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }
  fakes::TempFolder folder_;
  const std::string path_ = folder_.File("report.txt");
};

// Whatever lies under the names a temporary might take, the write never opens it: a user's own
// "report.txt.partial", a folder, and links to a file of the user's at the next unique names.
TEST_F(FileReplaceTest, NothingUnderATemporaryNameIsOpenedOrConsumed) {
  const std::string victim = folder_.File("victim.txt");
  std::ofstream(victim, std::ios::binary) << "keep me";
  std::ofstream(path_ + ".partial", std::ios::binary) << "the user's own notes";
  fs::create_directory(path_ + ".old.partial");
  // The next names this process would propose: "<path>.<process>-<count>.partial".
  const std::string proposed = platform::TemporaryPathBeside(path_);
  const std::size_t dash = proposed.rfind('-');
  const std::string stem = proposed.substr(0, dash + 1);
  const int count = std::stoi(proposed.substr(dash + 1));
  bool linked = true;
  for (int next = count + 1; next <= count + 3; ++next) {
    std::error_code error;
    fs::create_symlink(victim, stem + std::to_string(next) + ".partial", error);
    linked = linked && !error;
  }
  fs::create_directory(stem + std::to_string(count + 4) + ".partial");
  const std::set<std::string> before = Names();

  ASSERT_TRUE(platform::ReplaceFileContent(path_, "the report")) << platform::LastErrorText();
  EXPECT_EQ(Read(path_), "the report");
  EXPECT_FALSE(fs::is_symlink(path_));
  EXPECT_EQ(Read(victim), "keep me");
  EXPECT_EQ(Read(path_ + ".partial"), "the user's own notes");
  std::set<std::string> after = Names();
  after.erase("report.txt");
  EXPECT_EQ(after, before);  // no temporary left, nothing else taken
  if (!linked) GTEST_SKIP() << "links cannot be made here: only the file and folder were tried";
}

TEST_F(FileReplaceTest, TemporariesAreCreatedExclusivelyUnderNamesOfTheirOwn) {
  std::string first, second;
  std::FILE* a = platform::CreateTemporaryBeside(path_, first);
  std::FILE* b = platform::CreateTemporaryBeside(path_, second);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(fs::path(first).parent_path(), folder_.path());
  std::fclose(a);
  std::fclose(b);
  EXPECT_EQ(Names(), (std::set<std::string>{fs::path(first).filename().string(),
                                            fs::path(second).filename().string()}));
  std::string none;
  EXPECT_EQ(platform::CreateTemporaryBeside(folder_.File("no/x.txt"), none), nullptr);
  EXPECT_FALSE(platform::LastErrorText().empty());
}

TEST_F(FileReplaceTest, ReplacesWholeAndLeavesNoTemporary) {
  std::ofstream(path_, std::ios::binary) << "old report";
  ASSERT_TRUE(platform::ReplaceFileContent(path_, "new\r\nreport\r\n"));
  EXPECT_EQ(Read(path_), "new\r\nreport\r\n");
  EXPECT_EQ(Names(), std::set<std::string>{"report.txt"});
  EXPECT_EQ(platform::FileSize(path_), 13);
}

TEST_F(FileReplaceTest, AShortTemporaryIsRefusedAndTheOldFileKept) {
  std::ofstream(path_, std::ios::binary) << "old report";
  const std::string temporary = platform::TemporaryPathBeside(path_);
  std::ofstream(temporary, std::ios::binary) << "cut";
  EXPECT_FALSE(platform::CommitTemporary(temporary, path_, 4096));
  EXPECT_FALSE(platform::LastErrorText().empty());
  EXPECT_EQ(Read(path_), "old report");
  EXPECT_FALSE(fs::exists(temporary));
}

TEST_F(FileReplaceTest, AFolderUnderTheNameIsNeverReplaced) {
  fs::create_directories(path_);
  EXPECT_FALSE(platform::ReplaceFileContent(path_, "report"));
  EXPECT_TRUE(fs::is_directory(path_));
  EXPECT_EQ(Names(), std::set<std::string>{"report.txt"});  // the folder only, no temporary
  EXPECT_EQ(platform::FileSize(path_), -1);
}

TEST_F(FileReplaceTest, AMissingFolderFailsBeforeAnythingIsWritten) {
  EXPECT_FALSE(platform::ReplaceFileContent((folder_.path() / "no" / "x.txt").string(), "report"));
}

}  // namespace
