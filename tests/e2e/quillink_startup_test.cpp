// The tool's start: the boxes before any job, and the help.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/quillink_fixture.h"

namespace e2e {
namespace {

const std::string kTranslationBox =
    "[Quillink]\nFichier de Traduction (InfoTrfTR.zel) absent\n Translate file (InfoTrfTR.zel) "
    "not found\n\n";
const std::string kParametersBox = "[Quillink]\nParam\xE8tres manquants.\nMissing parameters.\n\n";

using QuillinkStart = QuillinkRun;

TEST_F(QuillinkStart, MissingTranslationFileStopsBeforeTheTester) {
  NewTester();
  WriteFile("Tr.ini", "[EtatVersion]\r\nEtat=-1\r\n");
  EXPECT_EQ(RunQuillink("LECTURE_INFO"), 254);
  EXPECT_EQ(Boxes(), kTranslationBox);
  EXPECT_EQ(ReadFile("Tr.ini"), "[EtatVersion]\r\nEtat=-1\r\n");
  EXPECT_FALSE(Exists("VersionTr.zel"));
  EXPECT_EQ(ReadFile("trace.log"), "");
}

TEST_F(QuillinkStart, MissingParametersRunNothing) {
  NewTester();
  WriteTranslationFile();
  for (const char* arguments : {"", "MenuCfg.h86", "dump.bin-READ[0,10]"}) {
    SCOPED_TRACE(arguments);
    WriteFile("boxes.log", "");
    EXPECT_EQ(RunQuillink(arguments), 255);
    EXPECT_EQ(Boxes(), kParametersBox);
  }
  EXPECT_EQ(WrittenRecords(), std::vector<std::string>{});
}

TEST_F(QuillinkStart, HelpRunsNothing) {
  NewTester();
  WriteTranslationFile();
  EXPECT_EQ(RunQuillink("--help"), 0);
  EXPECT_EQ(Boxes().find("Missing parameters"), std::string::npos);
  EXPECT_FALSE(Exists("Tr.ini"));
  EXPECT_EQ(ReadFile("trace.log"), "");
}

}  // namespace
}  // namespace e2e
