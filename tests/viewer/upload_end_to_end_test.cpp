// The whole system: the real Morvane starts the real Quillink against a simulated tester loaded
// with the sample configuration, and writes the report. The expected reports are the same files
// on both builds, so a pass on each proves them byte for byte alike (the upload date aside).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/process.h"
#include "tests/fakes/small_disk.h"
#include "tests/fakes/temp_folder.h"
#include "tests/fakes/temporaries_beside.h"
#include "tests/viewer/program_folder_fixture.h"
#include "tests/viewer/upload_test_support.h"

namespace {

namespace fs = std::filesystem;
using upload_test::ReadBytes;

class UploadEndToEndTest : public upload_test::ProgramFolderTest {};
using upload_test::WithoutDate;

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
  EXPECT_TRUE(fakes::TemporariesBeside(report).empty());
  EXPECT_NE(ReadBytes(boxes_).find("The report file cannot be created:"), std::string::npos);
}

}  // namespace
