#include "quillink/argument_text.h"

#include <gtest/gtest.h>

namespace quillink {
namespace {

TEST(ArgumentText, CutsAfterTheProgramName) {
  struct Case {
    const char* command_line;
    const char* expected;
  };
  const Case cases[] = {
      // The results application's spelling: the search misses, the first 13 characters go.
      {"QuillinK.exe GENERATION_BIN", "GENERATION_BIN"},
      {"QuillinK.exe LECTURE_INFO", "LECTURE_INFO"},
      // Full path in quotation marks, blanks inside it.
      {"\"C:\\Program Files\\Halven Tools\\Quillink.exe\" LECTURE_INFO", "LECTURE_INFO"},
      // The Linux command line rebuilt in its Windows form.
      {"\"Quillink.exe\" MenuCfg.h86 -D -R", "MenuCfg.h86 -D -R"},
      // The exact name without quotation marks: the first letter of the argument is lost.
      {"Quillink.exe LECTURE_INFO", "ECTURE_INFO"},
      // No argument at all: the count is negative.
      {"\"Quillink.exe\"", ""},
      {"\"Quillink.exe\" ", ""},
      {"Quillink.exe", ""},
      {"", ""},
      {"q.exe", ""},
      // Only the first occurrence of the name counts.
      {"\"D:\\Quillink.exe\\Quillink.exe\" x", "uillink.exe\" x"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ArgumentText(c.command_line), c.expected) << c.command_line;
  }
}

}  // namespace
}  // namespace quillink
