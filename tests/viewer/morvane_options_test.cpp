// The results application's command line and exit statuses.
#include "viewer/morvane_options.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "viewer/archive_commands.h"

namespace viewer {
namespace {

bool Parse(std::vector<const char*> args, MorvaneOptions& options, std::string& error) {
  args.insert(args.begin(), "morvane");
  return ParseMorvaneOptions(static_cast<int>(args.size()), args.data(), options, error);
}

TEST(MorvaneOptionsTest, ReadsLanguageReportAndHelp) {
  struct Case {
    std::vector<const char*> args;
    int language;
    bool report_given;
    std::string report;
    bool help;
    std::string render = "";  // the archived upload to render; "" when not asked
    bool list = false;
  } cases[] = {
      {{}, 1, false, "", false},
      {{"--language", "fr", "--report", "out.txt"}, 2, true, "out.txt", false},
      {{"--report=/tmp/a b.txt", "--language=de"}, 0, true, "/tmp/a b.txt", false},
      {{"--language", "en"}, 1, false, "", false},
      {{"--help"}, 1, false, "", true},
      {{"--list"}, 1, false, "", false, "", true},
      {{"--render", "2026-12-10_10-31-56", "--report", "a.html"},
       1,
       true,
       "a.html",
       false,
       "2026-12-10_10-31-56"},
      {{"--render=Uploads/x", "--language", "de", "--report=a.txt"},
       0,
       true,
       "a.txt",
       false,
       "Uploads/x"},
      {{"--render", "F", "--language", "fr", "--report", "r.csv"}, 2, true, "r.csv", false, "F"},
  };
  for (const Case& c : cases) {
    MorvaneOptions options;
    std::string error;
    ASSERT_TRUE(Parse(c.args, options, error)) << error;
    EXPECT_EQ(options.language, c.language);
    EXPECT_EQ(options.report_given, c.report_given);
    EXPECT_EQ(options.report_path, c.report);
    EXPECT_EQ(options.help, c.help);
    EXPECT_EQ(options.render_given, !c.render.empty());
    EXPECT_EQ(options.render_folder, c.render);
    EXPECT_EQ(options.list, c.list);
  }
}

TEST(MorvaneOptionsTest, RefusesWhatItDoesNotKnow) {
  struct Case {
    std::vector<const char*> args;
    std::string error;
  } cases[] = {
      {{"--language", "it"}, "unknown language: it (de, en or fr)"},
      {{"--language"}, "--language needs a value"},
      {{"--report="}, "--report needs a file name"},
      {{"upload"}, "unknown argument: upload"},
      {{"--report", "r.txt", "--write-translation"},
       "--write-translation and --report cannot be used together"},
      {{"--render", "x"}, "--render needs --report FILE"},
      {{"--report", "a.txt", "--render"}, "--render needs a value"},
      {{"--render=", "--report", "a.txt"}, "--render needs a folder"},
  };
  for (const Case& c : cases) {
    MorvaneOptions options;
    std::string error;
    EXPECT_FALSE(Parse(c.args, options, error));
    EXPECT_EQ(error, c.error);
  }
}

TEST(MorvaneOptionsTest, EveryEarlyEndHasItsOwnNonZeroStatusInTheHelp) {
  std::set<int> statuses;
  for (int i = 0; i <= static_cast<int>(UploadOutcome::kReportNotCreated); ++i) {
    auto outcome = static_cast<UploadOutcome>(i);
    int status = ExitStatusFor(outcome);
    EXPECT_EQ(status == 0, outcome == UploadOutcome::kReportWritten);
    EXPECT_NE(status, kExitUsage);
    EXPECT_TRUE(statuses.insert(status).second) << "status " << status << " used twice";
    for (HelpSystem system : {HelpSystem::kLinux, HelpSystem::kWindows}) {
      EXPECT_NE(MorvaneHelpText(system).find("\n  " + std::to_string(status) + "   " +
                                             OutcomeMeaning(outcome) + "\n"),
                std::string::npos);
    }
  }
}

TEST(MorvaneOptionsTest, HelpNamesEveryFormTheSystemsNamesAndTheOtherStatuses) {
  struct Case {
    HelpSystem system;
    const char* program;
    const char* archive;
  } cases[] = {
      {HelpSystem::kLinux, "morvane", "~/.local/share/halven"},
      {HelpSystem::kWindows, "Morvane.exe", "%LOCALAPPDATA%\\Programs\\Halven tester PC suite"},
  };
  for (const Case& c : cases) {
    const std::string help = MorvaneHelpText(c.system);
    const std::string program = c.program;
    for (const char* form :
         {" --write-translation", " --list\n", " --render FOLDER", " --help\n"}) {
      EXPECT_NE(help.find("   or: " + program + form), std::string::npos) << program << form;
    }
    EXPECT_NE(help.find(c.archive), std::string::npos) << help;
    EXPECT_NE(help.find("\n  " + std::to_string(kExitArchiveError) + "  --list or --render"),
              std::string::npos);
    EXPECT_NE(help.find("\n  " + std::to_string(kExitUsage) + "  wrong command line\n"),
              std::string::npos);
  }
  EXPECT_EQ(MorvaneHelpText(HelpSystem::kWindows).find("/usr/bin"), std::string::npos);
}

}  // namespace
}  // namespace viewer
