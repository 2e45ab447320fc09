// A report name typed relative to a folder with accented letters is joined to that folder as the
// program's code page spells it, so that the report can be created there.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "viewer/upload_flow.h"

namespace {

TEST(AbsolutePathTest, JoinsTheCurrentFolderInTheProgramsCodePage) {
  char temp[MAX_PATH];
  ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
  const std::string folder =
      std::string(temp) + "r\xE9sultats \xE0 " + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  char previous[MAX_PATH];
  ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, previous), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
  EXPECT_EQ(viewer::AbsolutePath("report.txt"), folder + "\\report.txt");
  SetCurrentDirectoryA(previous);
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
