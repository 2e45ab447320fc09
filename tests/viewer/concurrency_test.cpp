// Programs running at once: several processes writing one report, and two uploads started
// together in one folder. Whatever the timing, no file is ever mixed or cut, and every exit
// status says what happened.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/process.h"
#include "tests/fakes/temp_folder.h"
#include "tests/viewer/upload_test_support.h"
#include "viewer/upload_manifest.h"

namespace {

namespace fs = std::filesystem;
using upload_test::ReadBytes;
using upload_test::WriteBytes;

// The Windows build runs under Wine, where each start of a program costs some 100 ms: fewer
// rounds of uploads there keep the test near the time of the Linux build's 100.
constexpr int kUploadRounds = 100;
constexpr int kUploadRoundsUnderWine = 15;
constexpr int kWriteRounds = 100;

bool WindowsBuild() { return fs::exists(fs::path(TEST_BIN_DIR) / "Morvane.exe"); }

// Starts every command line at once, each from a thread of its own, and returns their statuses
// (-1: not started).
std::vector<int> RunTogether(const std::vector<std::string>& command_lines,
                             const std::string& folder) {
  std::vector<int> statuses(command_lines.size(), -1);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < command_lines.size(); ++i) {
    threads.emplace_back([&, i] {
      if (platform::StartProgramAndWait(command_lines[i], folder)) {
        statuses[i] = platform::LastProgramExitStatus();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  return statuses;
}

TEST(ConcurrencyTest, TwoAndFourWritersOfOneReportNeverLeaveAMixedFile) {
  const fs::path bin = fs::absolute(TEST_BIN_DIR);
  const std::string writer = (bin / (WindowsBuild() ? "race_writer.exe" : "race_writer")).string();
  for (int writers : {2, 4}) {
    SCOPED_TRACE(std::to_string(writers) + " writers");
    fakes::TempFolder folder;
    const std::string report = folder.File("report.json");
    std::vector<std::string> command_lines;
    for (int id = 0; id < writers; ++id) {
      command_lines.push_back("\"" + writer + "\" " + report + " " + std::to_string(id) + " " +
                              std::to_string(kWriteRounds));
    }
    // Each writer checks the file after each of its writes (status 1: mixed, 2: a failure
    // without a reason).
    for (int status : RunTogether(command_lines, bin.string())) EXPECT_EQ(status, 0);
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.path())) {
      names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::set<std::string>{"report.json"});  // no temporary left behind
  }
}

TEST(ConcurrencyTest, TwoUploadsInOneFolderEachArchiveWholeOrTheSecondIsRefused) {
  const fs::path bin = fs::absolute(TEST_BIN_DIR);
  const bool windows = WindowsBuild();
  const std::string morvane = windows ? "Morvane.exe" : "morvane";
  fakes::TempFolder folder, elsewhere;
  fs::copy_file(bin / morvane, folder.path() / morvane);
  fs::copy_file(bin / (windows ? "fake_quillink.exe" : "fake_quillink"),
                folder.path() / (windows ? "Quillink.exe" : "quillink"));
  WriteBytes(folder.File("fixture.log"), upload_test::kResultsAllNotDone);
  // The tool leaves Results.log empty a while, as the decoder does when it starts writing.
  WriteBytes(folder.File("fake_quillink.txt"), "etat=1\nresults=fixture.log\nwrite_pause_ms=20\n");
  const char* previous = std::getenv("HALVEN_UNATTENDED");
  const std::string previous_unattended = previous != nullptr ? previous : "";
  upload_test::SetEnvironment("HALVEN_UNATTENDED", elsewhere.File("boxes.log"));

  constexpr int kRefused = 11;  // another upload is running in the same folder
  const int rounds = windows ? kUploadRoundsUnderWine : kUploadRounds;
  std::size_t archived = 0;
  int refused = 0;
  for (int round = 0; round < rounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const std::string reports[2] = {elsewhere.File(std::to_string(round) + "a.txt"),
                                    elsewhere.File(std::to_string(round) + "b.txt")};
    const std::vector<int> statuses =
        RunTogether({upload_test::CopiedProgramCommandLine(folder.path(), morvane,
                                                           "--language en --report " + reports[0]),
                     upload_test::CopiedProgramCommandLine(folder.path(), morvane,
                                                           "--language en --report " + reports[1])},
                    folder.path().string());
    int written = 0;
    for (int i = 0; i < 2; ++i) {
      ASSERT_TRUE(statuses[i] == 0 || statuses[i] == kRefused) << statuses[i];
      if (statuses[i] == 0) {
        ++written;
        EXPECT_EQ(ReadBytes(reports[i]), upload_test::kReportAllNotDoneEnglish);
      } else {
        ++refused;
        EXPECT_FALSE(fs::exists(reports[i]));
      }
    }
    EXPECT_GE(written, 1);
    archived += static_cast<std::size_t>(written);
  }
  upload_test::SetEnvironment("HALVEN_UNATTENDED", previous_unattended);

  // One archive folder per written report, each with the results it was made from.
  std::size_t folders = 0;
  for (const auto& entry : fs::directory_iterator(folder.path() / "Uploads")) {
    ++folders;
    EXPECT_EQ(ReadBytes((entry.path() / "Results.log").string()), upload_test::kResultsAllNotDone)
        << entry.path();
    EXPECT_EQ(ReadBytes((entry.path() / "Report.txt").string()),
              upload_test::kReportAllNotDoneEnglish);
    EXPECT_TRUE(fs::exists(entry.path() / viewer::kManifestFileName));
  }
  EXPECT_EQ(folders, archived);
  std::printf("%d rounds: %zu uploads archived, %d refused while another ran\n", rounds, archived,
              refused);
}

}  // namespace
