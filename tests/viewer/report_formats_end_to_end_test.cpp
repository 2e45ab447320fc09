// The real Morvane and Quillink against the simulated tester: an upload into a web page, its
// archive beside the programs, and a text report made again from that archive, which equals the
// expected text report of the same upload. Runs on both builds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/process.h"
#include "tests/fakes/temp_folder.h"
#include "tests/viewer/upload_test_support.h"

namespace {

namespace fs = std::filesystem;
using upload_test::ReadBytes;

std::string WithoutDate(const std::string& report) {
  std::size_t first = report.find("\r\n");
  std::size_t second = first == std::string::npos ? first : report.find("\r\n", first + 2);
  if (second == std::string::npos) return report;
  return report.substr(0, first + 2) + report.substr(second + 2);
}

class ReportFormatsEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bin_ = fs::absolute(TEST_BIN_DIR);
    source_ = fs::absolute(TEST_SOURCE_DIR);
    const bool windows = fs::exists(bin_ / "Morvane.exe");
    morvane_ = windows ? "Morvane.exe" : "morvane";
    quillink_ = windows ? "Quillink.exe" : "quillink";
    testersim_ = windows ? "testersim.exe" : "testersim";
    fs::copy_file(bin_ / morvane_, folder_.path() / morvane_);
    fs::copy_file(bin_ / quillink_, folder_.path() / quillink_);
    fs::copy_file(source_ / "samples" / "TransfertVersTR.zel",
                  folder_.path() / "TransfertVersTR.zel");
    Remember("HALVEN_UNATTENDED", boxes_);
    Remember("QUILLINK_SIMULATOR", folder_.File("tester.sim"));
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

  fakes::TempFolder folder_;
  fakes::TempFolder elsewhere_;
  const std::string boxes_ = elsewhere_.File("boxes.log");
  fs::path bin_, source_;
  std::string morvane_, quillink_, testersim_;
  std::vector<std::pair<std::string, std::string>> previous_;
};

TEST_F(ReportFormatsEndToEndTest, WebPageUploadIsArchivedAndItsTextReportMadeAgain) {
  ASSERT_EQ(Run(bin_, testersim_, "new " + folder_.File("tester.sim")), 0);
  ASSERT_EQ(Run(folder_.path(), morvane_, "--language en --write-translation"), 0);
  Run(folder_.path(), quillink_, "ECRITURE");
  ASSERT_EQ(Run(bin_, testersim_,
                "results " + folder_.File("tester.sim") +
                    " --all-pass --fail-ecu 2 --fail-wiring --length 37"),
            0);

  const std::string page = elsewhere_.File("report.html");
  ASSERT_EQ(Run(folder_.path(), morvane_, "--language en --report " + page), 0);
  const std::string html = ReadBytes(page);
  EXPECT_EQ(html.find("<!DOCTYPE html>"), 0u);
  EXPECT_NE(html.find("Overall verdict: Failed"), std::string::npos);
  EXPECT_NE(html.find("<td>LIGNE4_BUS_A</td>"), std::string::npos);
  EXPECT_NE(html.find("Measured length: 37 m (Propagation speed 5.00 ns/m)"), std::string::npos);

  std::vector<fs::path> archived;
  for (const auto& entry : fs::directory_iterator(folder_.path() / "Uploads")) {
    archived.push_back(entry.path());
  }
  ASSERT_EQ(archived.size(), 1u);
  EXPECT_EQ(ReadBytes((archived[0] / "Report.html").string()), html);

  ASSERT_EQ(Run(folder_.path(), morvane_, "--list"), 0);
  for (const char* language : {"en", "fr", "de"}) {
    SCOPED_TRACE(language);
    const std::string again = elsewhere_.File(std::string("again_") + language + ".txt");
    ASSERT_EQ(Run(folder_.path(), morvane_,
                  "--render " + archived[0].filename().string() + " --language " + language +
                      " --report " + again),
              0);
    const fs::path expected =
        source_ / "tests" / "viewer" / "data" / (std::string("upload_report_") + language + ".txt");
    EXPECT_EQ(WithoutDate(ReadBytes(again)), WithoutDate(ReadBytes(expected.string())));
  }
  // Into the archive: refused with a message, nothing written, exit status 10.
  EXPECT_EQ(Run(folder_.path(), morvane_,
                "--render " + archived[0].filename().string() + " --report " +
                    (archived[0] / "x.txt").string()),
            10);
  EXPECT_FALSE(fs::exists(archived[0] / "x.txt"));
  EXPECT_NE(ReadBytes(boxes_).find("the report may not be written into the archive"),
            std::string::npos);
}

}  // namespace
