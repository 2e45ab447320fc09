// The upload flow against a fake host whose "tool" writes the files the real tool leaves.
#include "viewer/upload_flow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/profile.h"
#include "report/language_tables.h"
#include "tests/fakes/small_disk.h"
#include "tests/fakes/temp_folder.h"
#include "tests/viewer/upload_test_support.h"

namespace viewer {
namespace {

using upload_test::ReadBytes;
using upload_test::WriteBytes;

struct Box {
  std::string text;
  platform::BoxIcon icon;
};

class FakeHost : public UploadHost {
 public:
  bool ChooseReportPath(std::string& path) override {
    if (!choose) return false;
    path = chosen_path;
    return true;
  }
  void ShowMessage(const std::string& text, platform::BoxIcon icon) override {
    boxes.push_back({text, icon});
  }
  bool RunTool(const std::string& command_line, const std::string& program_folder) override {
    runs.push_back(command_line);
    folders.push_back(program_folder);
    return tool ? tool(command_line) : false;
  }
  void OpenReport(const std::string& path) override { opened.push_back(path); }

  bool choose = true;
  std::string chosen_path;
  std::function<bool(const std::string&)> tool;  // empty: the tool is missing
  std::vector<Box> boxes;
  std::vector<std::string> runs, folders, opened;
};

// What the fake tool does when started for the information read.
struct ToolScript {
  std::string etat = "1";
  std::string identity = "Quarnetik";
  int major = 3, minor = 1;
  bool transfer_starts = true;
  std::string results = upload_test::kResultsAllNotDone;
};

std::function<bool(const std::string&)> FakeTool(const ToolScript& script) {
  return [script](const std::string& command_line) {
    if (command_line == kInfoCommandLine) {
      std::string version(44, '\0');
      version.replace(0, std::min<std::size_t>(script.identity.size(), 20), script.identity, 0, 20);
      version[20] = static_cast<char>(script.major);
      version[21] = static_cast<char>(script.minor);
      WriteBytes("VersionTr.zel", version);
      EXPECT_TRUE(platform::WriteProfileString("EtatVersion", "Etat", script.etat, ".\\Tr.ini"));
      return true;
    }
    if (!script.transfer_starts) return false;
    WriteBytes("Results.log", script.results);
    return true;
  };
}

class UploadFlowTest : public ::testing::Test {
 protected:
  UploadOutcome Run(int language = report::kEnglish) {
    return RunUpload(host, language, folder.File("Morvane.exe"), *model);
  }
  std::string Status() {
    return platform::ReadProfileString("EtatVersion", "Etat", "erreur", 10, folder.File("Tr.ini"));
  }

  fakes::TempFolder folder;
  FakeHost host;
  std::unique_ptr<report::ResultModel> model = std::make_unique<report::ResultModel>();
  std::string report = folder.File("report.txt");
};

TEST_F(UploadFlowTest, WritesAndOpensTheReportAfterTwoStartsOfTheTool) {
  host.chosen_path = report;
  WriteBytes(folder.File("Results.log"), "stale");
  ToolScript script;
  auto tool = FakeTool(script);
  host.tool = [&](const std::string& command_line) {
    if (command_line == kInfoCommandLine) {
      // Before the first start: translation file in English, old results gone, status reset.
      EXPECT_EQ(ReadBytes("InfoTrfTR.zel").substr(0, 24),
                std::string("\x15\x00", 2) + "Upload of the results.");
      EXPECT_FALSE(std::filesystem::exists("Results.log"));
      EXPECT_EQ(Status(), "-1");
    }
    return tool(command_line);
  };

  EXPECT_EQ(Run(), UploadOutcome::kReportWritten);
  EXPECT_EQ(host.runs,
            (std::vector<std::string>{"QuillinK.exe LECTURE_INFO", "QuillinK.exe GENERATION_BIN"}));
  EXPECT_TRUE(std::filesystem::equivalent(host.folders[0] + "Tr.ini", folder.File("Tr.ini")));
  EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), folder.path()));
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(host.opened, std::vector<std::string>{report});
  EXPECT_EQ(ReadBytes(report), upload_test::kReportAllNotDoneEnglish);
}

// Status decisions: the message box each status gives, and whether the flow stops there.
TEST_F(UploadFlowTest, JudgesTheStatusTheToolLeaves) {
  const std::string twenty_letters(20, 'A');
  struct Case {
    const char* name;
    ToolScript script;
    int language;
    UploadOutcome outcome;
    std::string box;  // empty: no box
  } cases[] = {
      {"old major version",
       {"0", "Quarnetik", 2, 15},
       report::kEnglish,
       UploadOutcome::kVersionRefused,
       "Major Version Embedded software error\nPlease use version 2.15"},
      {"other device",
       {"2", "Multimeter 9"},
       report::kEnglish,
       UploadOutcome::kIdentityRefused,
       "Connected device is not a HALVEN TESTER.\nConnected device found : Multimeter 9"},
      {"identity without zero byte",
       {"2", twenty_letters},
       report::kEnglish,
       UploadOutcome::kIdentityRefused,
       "Connected device is not a HALVEN TESTER.\nConnected device found : " + twenty_letters},
      {"capability missing, German",
       {"3"},
       report::kGerman,
       UploadOutcome::kCapabilityRefused,
       "Connected device is not a HALVEN TESTER Quarnetik"},
      {"capability missing, French",
       {"3"},
       report::kFrench,
       UploadOutcome::kCapabilityRefused,
       "L'appareil connect\xE9 n'est pas un HALVEN TESTER Quarnetik"},
      {"device not read", {"-1"}, report::kEnglish, UploadOutcome::kDeviceNotRead, ""},
      {"unknown status", {"11"}, report::kEnglish, UploadOutcome::kDeviceNotRead, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeHost fresh;
    fresh.chosen_path = report;
    fresh.tool = FakeTool(c.script);
    EXPECT_EQ(RunUpload(fresh, c.language, folder.File("Morvane.exe"), *model), c.outcome);
    EXPECT_EQ(fresh.runs.size(), 1u);
    ASSERT_EQ(fresh.boxes.size(), c.box.empty() ? 0u : 1u);
    if (!c.box.empty()) {
      EXPECT_EQ(fresh.boxes[0].text, c.box);
      EXPECT_EQ(fresh.boxes[0].icon, platform::BoxIcon::kStop);
    }
    EXPECT_FALSE(std::filesystem::exists(report));
  }
}

TEST_F(UploadFlowTest, MissingToolEndsSilentlyWithTheStatusStillReset) {
  host.chosen_path = report;
  EXPECT_EQ(Run(), UploadOutcome::kDeviceNotRead);
  EXPECT_EQ(host.runs.size(), 1u);
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(Status(), "-1");
}

TEST_F(UploadFlowTest, TransferThatCannotStartShowsTheMissingToolMessage) {
  host.chosen_path = report;
  ToolScript script;
  script.transfer_starts = false;
  host.tool = FakeTool(script);
  EXPECT_EQ(Run(), UploadOutcome::kToolNotStarted);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "<QuillinK.exe> or HALVEN TESTER missing !");
  EXPECT_EQ(host.boxes[0].icon, platform::BoxIcon::kNone);
  EXPECT_FALSE(std::filesystem::exists(report));
}

TEST_F(UploadFlowTest, UnreadableResultsEndWithoutReportOrMessage) {
  host.chosen_path = report;
  ToolScript script;
  std::string results = upload_test::kResultsAllNotDone;
  results.erase(results.find("Result_Tests=0\r\n"));  // the last required key
  script.results = results;
  host.tool = FakeTool(script);
  EXPECT_EQ(Run(), UploadOutcome::kResultsUnreadable);
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_TRUE(host.opened.empty());
  EXPECT_FALSE(std::filesystem::exists(report));
}

// Only a file is deleted under the results file's name; a folder there stays and no report comes.
TEST_F(UploadFlowTest, AFolderNamedLikeTheResultsFileIsNotDeleted) {
  host.chosen_path = report;
  host.tool = FakeTool(ToolScript{});
  std::filesystem::create_directory(folder.path() / "Results.log");
  EXPECT_EQ(Run(), UploadOutcome::kResultsUnreadable);
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "Results.log"));
  EXPECT_TRUE(host.boxes.empty());
}

// A status the disk cannot hold is not taken for reset: the tool is not started.
TEST_F(UploadFlowTest, FullDiskStatusResetStopsBeforeTheTool) {
  fakes::SmallDisk disk;
  if (!disk.ready()) GTEST_SKIP() << disk.why_not();
  ASSERT_TRUE(disk.FillLeaving(4096));  // room for the translation file only
  host.chosen_path = report;
  host.tool = FakeTool(ToolScript{});
  EXPECT_EQ(RunUpload(host, report::kEnglish, disk.File("Morvane.exe"), *model),
            UploadOutcome::kFileError);
  EXPECT_TRUE(host.runs.empty());
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text.substr(0, 35), "The file cannot be written:\nTr.ini\n");
  EXPECT_TRUE(std::filesystem::exists(disk.File("InfoTrfTR.zel")));
}

TEST_F(UploadFlowTest, CancelTouchesNothing) {
  host.choose = false;
  host.tool = FakeTool(ToolScript{});
  WriteBytes(folder.File("Results.log"), "old results");
  WriteBytes(folder.File("Tr.ini"), "[EtatVersion]\r\nEtat=1\r\n");
  WriteBytes(folder.File("InfoTrfTR.zel"), "old translation");
  EXPECT_EQ(Run(), UploadOutcome::kCancelled);
  EXPECT_TRUE(host.runs.empty());
  EXPECT_EQ(ReadBytes(folder.File("Results.log")), "old results");
  EXPECT_EQ(ReadBytes(folder.File("Tr.ini")), "[EtatVersion]\r\nEtat=1\r\n");
  EXPECT_EQ(ReadBytes(folder.File("InfoTrfTR.zel")), "old translation");
}

TEST_F(UploadFlowTest, ReportThatCannotBeCreatedIsNamedWithTheReason) {
  host.chosen_path = folder.File("no such folder/report.txt");
  host.tool = FakeTool(ToolScript{});
  EXPECT_EQ(Run(), UploadOutcome::kReportNotCreated);
  ASSERT_EQ(host.boxes.size(), 1u);
  const std::string prefix = "The report file cannot be created:\n" + host.chosen_path + "\n";
  EXPECT_EQ(host.boxes[0].text.substr(0, prefix.size()), prefix);
  EXPECT_GT(host.boxes[0].text.size(), prefix.size());  // the system's reason follows
  EXPECT_EQ(host.boxes[0].icon, platform::BoxIcon::kStop);
  EXPECT_TRUE(host.opened.empty());
}

TEST_F(UploadFlowTest, TranslationFileThatCannotBeWrittenStopsBeforeTheTool) {
  host.chosen_path = report;
  host.tool = FakeTool(ToolScript{});
  std::filesystem::create_directory(folder.path() / "InfoTrfTR.zel");
  EXPECT_EQ(Run(), UploadOutcome::kFileError);
  EXPECT_TRUE(host.runs.empty());
  ASSERT_EQ(host.boxes.size(), 1u);
  const std::string prefix = "The file cannot be written:\nInfoTrfTR.zel\n";
  EXPECT_EQ(host.boxes[0].text.substr(0, prefix.size()), prefix);
  EXPECT_GT(host.boxes[0].text.size(), prefix.size());  // the system's reason follows
}

// The name as typed: ".txt" added only without an extension; a relative name is taken from where
// the program was started, not from the program folder the flow moves to.
TEST_F(UploadFlowTest, ReportNameGetsTxtOnlyWithoutExtension) {
  fakes::TempFolder start;
  struct Case {
    std::string typed, written;
  } cases[] = {
      {start.File("plain"), start.File("plain.txt")},
      {start.File("kept.log"), start.File("kept.log")},
      {"relative", start.File("relative.txt")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    std::filesystem::current_path(start.path());
    FakeHost fresh;
    fresh.chosen_path = c.typed;
    fresh.tool = FakeTool(ToolScript{});
    EXPECT_EQ(RunUpload(fresh, report::kEnglish, folder.File("Morvane.exe"), *model),
              UploadOutcome::kReportWritten);
    EXPECT_TRUE(std::filesystem::exists(c.written));
    ASSERT_EQ(fresh.opened.size(), 1u);
    EXPECT_TRUE(std::filesystem::equivalent(fresh.opened[0], c.written));
  }
}

TEST(ProgramFolderTest, KeepsThePathUpToItsLastSeparator) {
  EXPECT_EQ(ProgramFolder("C:\\Halven\\Morvane.exe"), "C:\\Halven\\");
  EXPECT_EQ(ProgramFolder("/opt/halven/morvane"), "/opt/halven/");
  EXPECT_EQ(ProgramFolder("Morvane.exe"), "Morvane.exe");
  EXPECT_EQ(ProgramFolder(""), "");
}

}  // namespace
}  // namespace viewer
