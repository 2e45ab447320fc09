// The whole system: the real Morvane starts the real Quillink against a simulated tester loaded
// with the sample configuration, and writes the report. The expected reports are the same files
// on both builds, so a pass on each proves them byte for byte alike (the upload date aside).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_replace.h"
#include "platform/process.h"
#include "tests/fakes/small_disk.h"
#include "tests/fakes/temp_folder.h"
#include "tests/viewer/upload_test_support.h"

namespace {

namespace fs = std::filesystem;
using upload_test::ReadBytes;

// The report without its second line, which holds the upload date.
std::string WithoutDate(const std::string& report) {
  std::size_t first = report.find("\r\n");
  std::size_t second = first == std::string::npos ? first : report.find("\r\n", first + 2);
  if (second == std::string::npos) return report;
  return report.substr(0, first + 2) + report.substr(second + 2);
}

class UploadEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bin_ = fs::absolute(TEST_BIN_DIR);
    source_ = fs::absolute(TEST_SOURCE_DIR);
    windows_ = fs::exists(bin_ / "Morvane.exe");
    const std::string exe = windows_ ? ".exe" : "";
    morvane_ = windows_ ? "Morvane.exe" : "morvane";
    quillink_ = windows_ ? "Quillink.exe" : "quillink";
    testersim_ = "testersim" + exe;
    fs::copy_file(bin_ / morvane_, folder_.path() / morvane_);
    fs::copy_file(bin_ / quillink_, folder_.path() / quillink_);
    fs::copy_file(source_ / "samples" / "TransfertVersTR.zel",
                  folder_.path() / "TransfertVersTR.zel");
    Remember("HALVEN_UNATTENDED", boxes_);
    Remember("QUILLINK_SIMULATOR", folder_.File("tester.sim"));
    // The programs work in the current folder, the program folder, as a user starts them there.
    fs::current_path(folder_.path());
  }
  void TearDown() override {
    for (const auto& [name, value] : previous_) upload_test::SetEnvironment(name, value);
  }

  void Remember(const std::string& name, const std::string& value) {
    const char* previous = std::getenv(name.c_str());
    previous_.emplace_back(name, previous != nullptr ? previous : "");
    upload_test::SetEnvironment(name, value);
  }
  int Run(const fs::path& folder, const std::string& program, const std::string& arguments) {
    EXPECT_TRUE(platform::StartProgramAndWait(
        upload_test::CopiedProgramCommandLine(folder, program, arguments), folder.string()))
        << program << " " << arguments;
    return platform::LastProgramExitStatus();
  }
  // A tester loaded with the sample configuration, holding the results of its tests.
  void PrepareTester() {
    ASSERT_EQ(Run(bin_, testersim_, "new " + folder_.File("tester.sim")), 0);
    ASSERT_EQ(Run(folder_.path(), morvane_, "--language en --write-translation"), 0);
    Run(folder_.path(), quillink_, "ECRITURE");
    ASSERT_EQ(Run(bin_, testersim_,
                  "results " + folder_.File("tester.sim") +
                      " --all-pass --fail-ecu 2 --fail-wiring --length 37"),
              0);
  }

  fakes::TempFolder folder_;
  fakes::TempFolder elsewhere_;
  const std::string boxes_ = elsewhere_.File("boxes.log");
  fs::path bin_, source_;
  bool windows_ = false;
  std::string morvane_, quillink_, testersim_;
  std::vector<std::pair<std::string, std::string>> previous_;
};

TEST_F(UploadEndToEndTest, ReportOfTheSimulatedTesterIsTheSameOnBothBuilds) {
  PrepareTester();
  for (const char* language : {"en", "fr", "de"}) {
    SCOPED_TRACE(language);
    const std::string report = elsewhere_.File(std::string("report_") + language + ".txt");
    EXPECT_EQ(Run(folder_.path(), morvane_,
                  std::string("--language ") + language + " --report " + report),
              0);
    const fs::path expected =
        source_ / "tests" / "viewer" / "data" / (std::string("upload_report_") + language + ".txt");
    EXPECT_EQ(WithoutDate(ReadBytes(report)), WithoutDate(ReadBytes(expected.string())));
  }
  EXPECT_EQ(ReadBytes(boxes_), "");
}

// A report that does not fit is refused whole: the one that stood under the name stays, nothing cut
// is left, and the failure is said (the Windows runtime under Wine reports no full disk itself).
TEST_F(UploadEndToEndTest, FullDiskKeepsThePreviousReport) {
  fakes::SmallDisk disk;
  if (!disk.ready()) GTEST_SKIP() << disk.why_not();
  PrepareTester();
  const std::string report = disk.File("report.txt");
  upload_test::WriteBytes(report, "the last report\r\n");
  ASSERT_TRUE(disk.FillLeaving(0));
  EXPECT_EQ(Run(folder_.path(), morvane_, "--language en --report " + report), 9);
  EXPECT_EQ(ReadBytes(report), "the last report\r\n");
  EXPECT_FALSE(fs::exists(platform::TemporaryPathBeside(report)));
  EXPECT_NE(ReadBytes(boxes_).find("The report file cannot be created:"), std::string::npos);
}

}  // namespace
