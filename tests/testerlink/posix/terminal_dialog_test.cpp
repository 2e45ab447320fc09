// The terminal progress dialog when its output is not a terminal: plain lines, no bar.
#include <gtest/gtest.h>

#include "testerlink/run_progress_dialog.h"
#include "tests/testerlink/link_fixture.h"

namespace testerlink {
namespace {

class TerminalDialogTest : public linktest::LinkTest {
 protected:
  TerminalDialogTest() : LinkTest(fakes::TempFolder::kCurrent) {}

 private:
  linktest::ScopedUnattended unattended_;  // nobody at this terminal, whatever runs the tests
};

TEST_F(TerminalDialogTest, PrintsTitleAndStatusLinesWithoutBar) {
  job.state = kStateIdle;
  job.options = kOptionInformationG;
  ::testing::internal::CaptureStderr();
  std::int32_t result = RunProgressDialog(job, driver, messages, "V3.01 Orvo");
  std::string shown = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(shown,
            "Upload of the results.  (V3.01 Orvo)\n"
            "Upload of the results.\n"
            "Send general information sequence.\n"
            "Upload of the results.\n"
            "===== OK ===== \n"
            "Please close the window!\n");
  EXPECT_TRUE(std::filesystem::exists("VersionTr.zel"));
}

TEST_F(TerminalDialogTest, FailedJobEndsTheDialogWhenNobodyCanCloseIt) {
  job.state = kStateIdle;
  driver.count = 2;
  ::testing::internal::CaptureStderr();
  std::int32_t result = RunProgressDialog(job, driver, messages, "V3.01 Orvo");
  std::string shown = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(result, 3);
  EXPECT_NE(shown.find("More than one peripherical detected.\nConnect only one peripherical .\n"),
            std::string::npos);
}

}  // namespace
}  // namespace testerlink
