#include "platform/process.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/fakes/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// Runs the tests' commands from a fresh temporary current folder.
class ProcessTest : public ::testing::Test {
 protected:
  // Lines that echo_args recorded: its command line, then its arguments.
  std::vector<std::string> Recorded() {
    std::ifstream in(folder_.path() / "echo_args.txt", std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  fakes::TempFolder folder_{fakes::TempFolder::kCurrent};
};

TEST_F(ProcessTest, StartsByWindowsNameAndReportsTheExitStatus) {
  struct Case {
    std::string command;
    int status;
    std::vector<std::string> args;
  } cases[] = {
      {"echo_args exit3 a b", 3, {"exit3", "a", "b"}},
      {"ECHO_ARGS.EXE exit0  x", 0, {"exit0", "x"}},
      {"\"Echo_Args.exe\" exit5 %d/x=y", 5, {"exit5", "%d/x=y"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    fs::remove(folder_.path() / "echo_args.txt");
    ASSERT_TRUE(platform::StartProgramAndWait(c.command, TEST_BIN_DIR));
    EXPECT_EQ(platform::LastProgramExitStatus(), c.status);
    // The file lands in the current folder, which the program inherits.
    std::vector<std::string> lines = Recorded();
    ASSERT_EQ(lines.size(), c.args.size() + 1);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), c.args);
  }
}

TEST_F(ProcessTest, CommandLineEndsWithTheArgumentsJoinedByBlanks) {
  ASSERT_TRUE(platform::StartProgramAndWait("echo_args exit0 MenuCfg.h86 -D", TEST_BIN_DIR));
  std::vector<std::string> lines = Recorded();
  ASSERT_FALSE(lines.empty());
  const std::string& line = lines[0];
  const std::string tail = " exit0 MenuCfg.h86 -D";
  ASSERT_GE(line.size(), tail.size());
  EXPECT_EQ(line.substr(line.size() - tail.size()), tail) << line;
}

TEST_F(ProcessTest, AMissingProgramIsNotStarted) {
  EXPECT_FALSE(platform::StartProgramAndWait("no_such_program x", TEST_BIN_DIR));
  EXPECT_FALSE(platform::StartProgramAndWait("", TEST_BIN_DIR));
}

TEST(Process, ProgramPathNamesTheTestProgram) {
  std::string stem = fs::path(platform::ProgramPath()).stem().string();
  for (char& c : stem) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(stem, "unit_tests");
  EXPECT_FALSE(platform::SetCurrentFolder("/no/such/folder/at/all"));
}

}  // namespace
