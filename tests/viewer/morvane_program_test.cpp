// The real results application, copied into a folder with a fake tool beside it, run unattended
// with --report: its exit status, the boxes it shows, the tool's two starts and the report.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/process.h"
#include "platform/profile.h"
#include "tests/fakes/temp_folder.h"
#include "tests/viewer/upload_test_support.h"
#include "viewer/archive_commands.h"
#include "viewer/morvane_options.h"

namespace {

namespace fs = std::filesystem;
using upload_test::ReadBytes;
using upload_test::WriteBytes;

class MorvaneProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path bin = fs::absolute(TEST_BIN_DIR);
    const bool windows = fs::exists(bin / "Morvane.exe");
    morvane_ = windows ? "Morvane.exe" : "morvane";
    fake_tool_ = bin / (windows ? "fake_quillink.exe" : "fake_quillink");
    tool_name_ = windows ? "Quillink.exe" : "quillink";
    fs::copy_file(bin / morvane_, folder_.path() / morvane_);
    const char* previous = std::getenv("HALVEN_UNATTENDED");
    previous_unattended_ = previous != nullptr ? previous : "";
    upload_test::SetEnvironment("HALVEN_UNATTENDED", boxes_);
  }
  void TearDown() override {
    upload_test::SetEnvironment("HALVEN_UNATTENDED", previous_unattended_);
  }

  void InstallTool(const std::string& script) {
    fs::copy_file(fake_tool_, folder_.path() / tool_name_);
    WriteBytes(folder_.File("fake_quillink.txt"), script);
  }
  int Run(const std::string& arguments) {
    EXPECT_TRUE(platform::StartProgramAndWait(
        upload_test::CopiedProgramCommandLine(folder_.path(), morvane_, arguments),
        folder_.path().string()));
    return platform::LastProgramExitStatus();
  }

  fakes::TempFolder folder_;
  fakes::TempFolder elsewhere_;
  const std::string boxes_ = elsewhere_.File("boxes.log");
  std::string morvane_, tool_name_, previous_unattended_;
  fs::path fake_tool_;
};

TEST_F(MorvaneProgramTest, UploadsThroughTwoStartsOfTheToolAndWritesTheReport) {
  WriteBytes(folder_.File("fixture.log"), upload_test::kResultsAllNotDone);
  InstallTool("etat=1\nresults=fixture.log\n");
  const std::string report = elsewhere_.File("report.txt");
  EXPECT_EQ(Run("--language en --report " + report), 0);
  EXPECT_EQ(ReadBytes(folder_.File("fake_quillink.log")),
            "LECTURE_INFO translation=yes\nGENERATION_BIN translation=yes\n");
  EXPECT_EQ(ReadBytes(report), upload_test::kReportAllNotDoneEnglish);
  EXPECT_EQ(ReadBytes(boxes_), "");
}

// Each early end: its exit status and the box it shows (in the language asked for).
TEST_F(MorvaneProgramTest, EveryEarlyEndHasItsStatusAndBox) {
  WriteBytes(folder_.File("fixture.log"), upload_test::kResultsAllNotDone);
  std::string unreadable = upload_test::kResultsAllNotDone;
  unreadable.erase(unreadable.find("Cfg_NbrEcu"));
  WriteBytes(folder_.File("unreadable.log"), unreadable);
  struct Case {
    const char* name;
    const char* script;  // nullptr: no tool beside the program
    const char* language;
    std::string report;
    int status;
    std::string boxes;
  } cases[] = {
      {"no tool", nullptr, "en", "r.txt", 3, ""},
      {"tester not read", "etat=-1\n", "en", "r.txt", 3, ""},
      {"old firmware", "etat=0\nmajor=2\nminor=15\n", "en", "r.txt", 4,
       "[Morvane]\nMajor Version Embedded software error\nPlease use version 2.15\n\n"},
      {"other device", "etat=2\nidentity=Multimeter 9\n", "fr", "r.txt", 5,
       "[Morvane]\nL'appareil connect\xE9 n'est pas un HALVEN TESTER\nAppareil connect\xE9 :"
       " Multimeter 9\n\n"},
      {"capability missing", "etat=3\n", "de", "r.txt", 6,
       "[Morvane]\nConnected device is not a HALVEN TESTER Quarnetik\n\n"},
      {"results unreadable", "etat=1\nresults=unreadable.log\n", "en", "r.txt", 8, ""},
      {"report not creatable", "etat=1\nresults=fixture.log\n", "en", "missing/r.txt", 9,
       "[Morvane]\nThe report file cannot be created:\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(folder_.path() / tool_name_);
    fs::remove(boxes_);
    if (c.script != nullptr) InstallTool(c.script);
    const std::string report = elsewhere_.File(c.report);
    EXPECT_EQ(Run(std::string("--language ") + c.language + " --report " + report), c.status);
    EXPECT_EQ(ReadBytes(boxes_).substr(0, c.boxes.size()), c.boxes);
    if (c.boxes.empty()) {
      EXPECT_EQ(ReadBytes(boxes_), "");
    }
    EXPECT_FALSE(fs::exists(report));
  }
  EXPECT_EQ(
      platform::ReadProfileString("EtatVersion", "Etat", "erreur", 10, folder_.File("Tr.ini")),
      "1");
}

TEST_F(MorvaneProgramTest, HelpAndWrongArguments) {
  EXPECT_EQ(Run("--help"), 0);
  EXPECT_EQ(Run("--language it"), viewer::kExitUsage);
  EXPECT_FALSE(fs::exists(folder_.File("InfoTrfTR.zel")));
  // An archived upload that is not there: the archive's own status, named in the help.
  EXPECT_EQ(Run("--render 2026-01-01_00-00-00 --report " + elsewhere_.File("again.txt")),
            viewer::kExitArchiveError);
  EXPECT_NE(ReadBytes(boxes_).find("2026-01-01_00-00-00"), std::string::npos);
}

}  // namespace
