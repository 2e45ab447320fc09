// The terminal front end's menu and report prompt, driven through string streams.
#include "viewer/posix/terminal_menu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "tests/fakes/temp_folder.h"
#include "tests/viewer/upload_test_support.h"

namespace viewer {
namespace {

TEST(TerminalMenuTest, CarriesOutTheDialogsCommandsInItsLanguage) {
  std::istringstream in("4\n5\n9\n1\n0\nnot read\n");
  std::ostringstream out;
  ResultsDialogState state;
  std::vector<int> uploads;
  int status = RunTerminalMenu(in, out, state, [&](int language) {
    uploads.push_back(language);
    return UploadOutcome::kIdentityRefused;
  });
  EXPECT_EQ(status, 5);  // Exit after a refused upload keeps its status
  EXPECT_EQ(uploads, std::vector<int>{report::kFrench});
  const std::string text = out.str();
  EXPECT_NE(text.find("  File\n    1  Upload\n    0  Exit\n"), std::string::npos);  // at start
  EXPECT_NE(text.find("  Fichier\n    1  Upload\n    0  Sortie\n  Langue\n"), std::string::npos);
  EXPECT_NE(text.find("4  Fran\xC3\xA7"
                      "ais  [x]"),
            std::string::npos);  // UTF-8
  EXPECT_NE(text.find("Version 3.01"), std::string::npos);
  EXPECT_NE(text.find("Choose one of the numbers shown."), std::string::npos);
  std::string rest;
  std::getline(in, rest);
  EXPECT_EQ(rest, "not read");
}

TEST(TerminalMenuTest, EachUploadStartsFromTheFolderTheProgramWasStartedIn) {
  fakes::TempFolder start, program;
  std::filesystem::current_path(start.path());
  std::istringstream in("1\n1\n");
  std::ostringstream out;
  ResultsDialogState state;
  std::vector<std::filesystem::path> seen;
  RunTerminalMenu(in, out, state, [&](int) {
    seen.push_back(std::filesystem::current_path());
    std::filesystem::current_path(program.path());  // as the upload does
    return UploadOutcome::kDeviceNotRead;
  });
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_TRUE(std::filesystem::equivalent(seen[1], start.path()));
}

TEST(TerminalMenuTest, EndsAfterAWrittenReportOrAtTheEndOfInput) {
  ResultsDialogState state;
  std::istringstream written("1\n1\n");
  std::ostringstream out;
  int calls = 0;
  EXPECT_EQ(RunTerminalMenu(written, out, state,
                            [&](int) {
                              ++calls;
                              return UploadOutcome::kReportWritten;
                            }),
            0);
  EXPECT_EQ(calls, 1);
  std::istringstream empty("");
  EXPECT_EQ(RunTerminalMenu(empty, out, state, [](int) { return UploadOutcome::kCancelled; }), 0);
}

TEST(TerminalPromptTest, AddsTxtAndAsksBeforeReplacingAFile) {
  fakes::TempFolder folder;
  const std::string existing = folder.File("old.txt");
  upload_test::WriteBytes(existing, "keep");
  struct Case {
    std::string input;
    bool chosen;
    std::string path;
  } cases[] = {
      {existing + "\nn\n" + folder.File("new") + "\n", true, folder.File("new.txt")},
      {existing + "\ny\n", true, existing},
      {"\n", false, ""},
      {existing + "\n", false, ""},  // input ends before the answer
      {"", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    std::istringstream in(c.input);
    std::ostringstream out;
    std::string path;
    EXPECT_EQ(PromptReportPath(in, out, path), c.chosen);
    EXPECT_EQ(path, c.path);
  }
  EXPECT_EQ(upload_test::ReadBytes(existing), "keep");
}

}  // namespace
}  // namespace viewer
