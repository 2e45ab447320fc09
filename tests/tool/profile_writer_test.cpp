#include "tool/profile_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "platform/environment.h"
#include "platform/process.h"
#include "tests/fakes/scoped_unattended.h"
#include "tests/fakes/temp_folder.h"
#include "tests/fakes/temporaries_beside.h"

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(ProfileWriter, WritesKeysAndFlushesOnPathChange) {
  fakes::TempFolder temp;
  const fs::path& folder = temp.path();
  {
    tool::ProfileWriter writer;
    writer.SetPath((folder / "a.ini").string());
    writer.WriteKey("S", "k", "1");
    writer.WriteKey("T", "k", "2");
    writer.WriteKey("S", "j", "3");
    writer.SetPath((folder / "b.ini").string());
    EXPECT_EQ(Slurp(folder / "a.ini"), "[S]\r\nk=1\r\nj=3\r\n[T]\r\nk=2\r\n");
    writer.WriteKey("X", "y", "z");
    writer.WriteKey("X", "w", "v");
  }  // the destructor flushes
  EXPECT_EQ(Slurp(folder / "b.ini"), "[X]\r\ny=z\r\nw=v\r\n");
}

// A flush that cannot put the file in place ends the run as a failed key does, and leaves what is
// under the name as it was and no temporary beside it.
TEST(ProfileWriter, AFailedFlushEndsTheRunAndLeavesNoPartialFile) {
  fakes::ScopedUnattended unattended;  // the failure box must not wait in the dying child
  fakes::TempFolder temp;
  // On Windows the death test's child runs this test again in a process with its own temporary
  // folder: it takes the parent's file from the environment.
  const char* given = std::getenv("HALVEN_FAILED_FLUSH_FILE");
  const std::string path = given ? given : (temp.path() / "f.ini").string();
  if (!given) {
    ASSERT_TRUE(platform::SetEnvironmentValue("HALVEN_FAILED_FLUSH_FILE", path.c_str()));
  }
  EXPECT_EXIT(
      {
        tool::ProfileWriter writer;
        writer.SetPath(path);
        writer.WriteKey("A", "k", "1");
        writer.WriteKey("A", "j", "2");
        fs::remove(path);
        fs::create_directory(path);
        writer.Flush();
        std::_Exit(0);
      },
      testing::ExitedWithCode(1), "");
  platform::SetEnvironmentValue("HALVEN_FAILED_FLUSH_FILE", nullptr);
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_TRUE(fakes::TemporariesBeside(path).empty());
}

// A key that cannot be written shows the fixed box and ends the program with status 1 before any
// later key is written.
TEST(ProfileWriter, AFailedWriteShowsTheBoxAndExitsWithOne) {
  fakes::TempFolder temp;
  const fs::path& folder = temp.path();
  fs::path log = folder / "boxes.log";
  const char* old = std::getenv("HALVEN_UNATTENDED");
  std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
  ASSERT_TRUE(platform::SetEnvironmentValue("HALVEN_UNATTENDED", log.string().c_str()));
  // The arguments are split at blanks: the temporary folder must have none.
  ASSERT_EQ(folder.string().find(' '), std::string::npos);
  bool started =
      platform::StartProgramAndWait("profile_writer_fail " + (folder / "first.ini").string() + " " +
                                        (folder / "second.ini").string(),
                                    TEST_BIN_DIR);
  platform::SetEnvironmentValue("HALVEN_UNATTENDED", saved ? saved->c_str() : nullptr);
  ASSERT_TRUE(started);
  EXPECT_EQ(platform::LastProgramExitStatus(), 1);
  EXPECT_EQ(Slurp(log),
            "[Quillink]\nErreur \xE9"
            "criture fichier r\xE9"
            "sultat\nWrite result file error\n\n");
  EXPECT_FALSE(fs::exists(folder / "second.ini"));
}

}  // namespace
