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
#include "tests/viewer/program_folder_fixture.h"
#include "tests/viewer/upload_test_support.h"

namespace {

namespace fs = std::filesystem;
using upload_test::ReadBytes;

class ReportFormatsEndToEndTest : public upload_test::ProgramFolderTest {};
using upload_test::WithoutDate;

TEST_F(ReportFormatsEndToEndTest, WebPageUploadIsArchivedAndItsTextReportMadeAgain) {
  PrepareTester();

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
