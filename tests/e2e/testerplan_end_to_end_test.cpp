// The sample plan compiled by the built testerplan, sent by quillink ECRITURE to a simulated
// tester, uploaded and reported by morvane: the same report as from the committed source.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/process.h"
#include "platform/read_whole_file.h"
#include "tests/e2e/quillink_fixture.h"
#include "tests/viewer/upload_test_support.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

class TesterplanEndToEnd : public QuillinkRun {
 protected:
  int RunTesterplan(const std::string& arguments) {
    if (!platform::StartProgramAndWait("testerplan " + arguments, TEST_BIN_DIR)) return -1000;
    return platform::LastProgramExitStatus();
  }

  // Sends the source in the folder to a fresh tester, lets it test, and uploads: the report.
  std::string SendTestAndReport(const std::string& report) {
    NewTester();
    WriteTranslationFile();
    EXPECT_EQ(RunQuillink("ECRITURE"), 0);
    EXPECT_TRUE(RunTestersim("results tester.sim --seed 7 --fail-ecu 2 --length 37"));
    const fs::path bin = fs::absolute(TEST_BIN_DIR);
    const bool windows = fs::exists(bin / "Morvane.exe");
    const std::string morvane = windows ? "Morvane.exe" : "morvane";
    const std::string quillink = windows ? "Quillink.exe" : "quillink";
    for (const std::string& program : {morvane, quillink}) {
      fs::copy_file(bin / program, folder_.path() / program, fs::copy_options::skip_existing);
    }
    EXPECT_TRUE(platform::StartProgramAndWait(
        upload_test::CopiedProgramCommandLine(folder_.path(), morvane,
                                              "--language en --report " + folder_.File(report)),
        folder_.path().string()));
    EXPECT_EQ(platform::LastProgramExitStatus(), 0);
    return ReadFile(report);
  }
};

TEST_F(TesterplanEndToEnd, CompiledSamplePlanGivesTheSameReportAsTheSampleSource) {
  const auto plan = platform::ReadWholeFile(TEST_SOURCE_DIR "/samples/TransfertVersTR.toml");
  const auto source = platform::ReadWholeFile(TEST_SOURCE_DIR "/samples/TransfertVersTR.zel");
  ASSERT_TRUE(plan && source);
  WriteFile("plan.toml", *plan);
  ASSERT_EQ(RunTesterplan("compile plan.toml -o TransfertVersTR.zel"), 0);
  ASSERT_EQ(ReadFile("TransfertVersTR.zel"), *source);
  const std::string from_plan = SendTestAndReport("from_plan.txt");
  const std::string image_from_plan = ReadFile("MenuCfg.h86");

  WriteFile("TransfertVersTR.zel", *source);
  const std::string from_source = SendTestAndReport("from_source.txt");
  EXPECT_EQ(ReadFile("MenuCfg.h86"), image_from_plan);
  ASSERT_NE(from_plan.find("CALC_MOTEUR"), std::string::npos);
  // The upload date is the only line that may differ between the two uploads.
  auto without_date = [](std::string report) {
    const std::size_t date = report.find("/20");
    if (date == std::string::npos) return report;
    const std::size_t start = report.rfind('\n', date);
    return report.erase(start, report.find('\n', date) - start);
  };
  EXPECT_EQ(without_date(from_plan), without_date(from_source));
  EXPECT_EQ(Boxes(), "");
}

}  // namespace
}  // namespace e2e
