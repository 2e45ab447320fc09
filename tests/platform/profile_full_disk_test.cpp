// A flush onto a full disk (tests/fakes/small_disk.h) ends the tool's run and leaves the file as
// the first key wrote it, never a cut one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/fakes/small_disk.h"
#include "tests/fakes/temporaries_beside.h"
#include "tool/profile_writer.h"

namespace {

namespace fs = std::filesystem;

TEST(ProfileFullDisk, AFlushThatDoesNotFitFailsAndKeepsTheFileWhole) {
  fakes::SmallDisk disk;
  if (!disk.ready()) GTEST_SKIP() << disk.why_not();
  const std::string path = disk.File("Results.log");
  EXPECT_EXIT(
      {
        tool::ProfileWriter writer;
        writer.SetPath(path);
        writer.WriteKey("A", "k", "1");
        for (int i = 0; i < 4000; ++i) {
          writer.WriteKey("S" + std::to_string(i / 50), "key" + std::to_string(i),
                          std::string(40, 'v'));
        }
        writer.Flush();
        std::_Exit(0);
      },
      testing::ExitedWithCode(1), "");
  std::ostringstream text;
  {
    std::ifstream in(path, std::ios::binary);
    text << in.rdbuf();
  }
  EXPECT_TRUE(text.str() == "[A]\r\nk=1\r\n") << text.str().size() << " bytes";
  EXPECT_TRUE(fakes::TemporariesBeside(path).empty());
}

}  // namespace
