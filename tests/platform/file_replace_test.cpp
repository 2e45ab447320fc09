#include "platform/file_replace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/error_text.h"
#include "tests/fakes/file_bytes.h"
#include "tests/fakes/temp_folder.h"

namespace {

namespace fs = std::filesystem;

class FileReplaceTest : public testing::Test {
 protected:
  static std::string Read(const std::string& path) { return fakes::ReadBytes(path); }
  fakes::TempFolder folder_;
  const std::string path_ = folder_.File("report.txt");
};

TEST_F(FileReplaceTest, ReplacesWholeAndLeavesNoTemporary) {
  std::ofstream(path_, std::ios::binary) << "old report";
  ASSERT_TRUE(platform::ReplaceFileContent(path_, "new\r\nreport\r\n"));
  EXPECT_EQ(Read(path_), "new\r\nreport\r\n");
  EXPECT_FALSE(fs::exists(platform::TemporaryPathBeside(path_)));
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
  EXPECT_FALSE(fs::exists(platform::TemporaryPathBeside(path_)));
  EXPECT_EQ(platform::FileSize(path_), -1);
}

TEST_F(FileReplaceTest, AMissingFolderFailsBeforeAnythingIsWritten) {
  EXPECT_FALSE(platform::ReplaceFileContent((folder_.path() / "no" / "x.txt").string(), "report"));
}

}  // namespace
