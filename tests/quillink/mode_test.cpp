#include "quillink/mode.h"

#include <gtest/gtest.h>

namespace quillink {
namespace {

TEST(Mode, FirstWordOfTheTableWinsAnywhereInTheText) {
  struct Case {
    const char* argument_text;
    Mode expected;
  };
  const Case cases[] = {
      {"ECRITURE", Mode::kEcriture},
      {"LECTURE_INFO", Mode::kLectureInfo},
      {"GENERATION_BIN", Mode::kGenerationBin},
      {"MAJAPPLI C:\\fw\\app.hex", Mode::kMajAppli},
      // A file name holding a mode word is taken as that mode.
      {"ECRITURE.h86 -D", Mode::kEcriture},
      // Table order, not position in the text.
      {"GENERATION_BIN LECTURE_INFO ECRITURE", Mode::kEcriture},
      {"x MAJAPPLI GENERATION_BIN", Mode::kGenerationBin},
      // Case-sensitive; a lost first letter matches nothing.
      {"lecture_info", Mode::kRawJob},
      {"ECTURE_INFO", Mode::kRawJob},
      {"", Mode::kRawJob},
      {"dump.bin -READ[E0000,FFFF]", Mode::kRawJob},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindMode(c.argument_text), c.expected) << c.argument_text;
  }
}

TEST(Mode, JobTextOfEachMode) {
  struct Case {
    Mode mode;
    const char* argument_text;
    const char* expected;
  };
  const Case cases[] = {
      {Mode::kEcriture, "ECRITURE", "MenuCfg.h86 -D -R"},
      {Mode::kLectureInfo, "x LECTURE_INFO y", "VersionTr.zel -IG"},
      {Mode::kGenerationBin, "GENERATION_BIN", "VersionTr.zel -F"},
      {Mode::kMajAppli, "MAJAPPLI C:\\Firmware 2\\app.hex", "C:\\Firmware 2\\app.hex -A -D -C -R"},
      // Nine characters go whatever they are.
      {Mode::kMajAppli, "MAJAPPLI_app.hex", "app.hex -A -D -C -R"},
      {Mode::kMajAppli, "fw.hex MAJAPPLI", "JAPPLI -A -D -C -R"},
      {Mode::kMajAppli, "MAJAPPLI", " -A -D -C -R"},
      {Mode::kMajAppli, "MAJAPPLI ", " -A -D -C -R"},
      {Mode::kRawJob, " dump.bin -READ[0,10] ", " dump.bin -READ[0,10] "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JobTextFor(c.mode, c.argument_text), c.expected) << c.argument_text;
  }
}

}  // namespace
}  // namespace quillink
