#include "quillink/job_text.h"

#include <gtest/gtest.h>

#include <string>

namespace quillink {
namespace {

TEST(JobText, ReadsFileNameFlagsAndMemoryRange) {
  struct Case {
    std::string job_text;
    std::uint32_t flags;
    std::uint32_t address;
    std::uint32_t length;
    std::string file_name;
  };
  const Case cases[] = {
      {"MenuCfg.h86 -B -A -D -R", 0xF, 0, 0, "MenuCfg.h86"},
      {"C:\\fw\\app.hex -A -D -C -R", 0x2 | 0x4 | 0x10 | 0x8, 0, 0, "C:\\fw\\app.hex"},
      {"VersionTr.zel -IG", 0x40, 0, 0, "VersionTr.zel"},
      {"VersionTr.zel -IL -F", 0x80 | 0x200, 0, 0, "VersionTr.zel"},
      {"boot.hex -U", 0x100, 0, 0, "boot.hex"},
      // Option texts are found anywhere, case-sensitive, and need all their characters.
      {"a.hex -a -i -I -r", 0, 0, 0, "a.hex"},
      {"a.hex -XBX", 0, 0, 0, "a.hex"},
      {"a.hex -x-B", 0x1, 0, 0, "a.hex"},
      // "-READ[" also sets the bit of "-R".
      {"dump.bin -READ[E0000,FFFF] -t", 0x80000000 | 0x20 | 0x8, 0xE0000, 0xFFFF, "dump.bin"},
      // Without the comma no memory read is asked: a file send of x.bin.
      {"x.bin -READ[E0000 FFFF]", 0x8, 0, 0, "x.bin"},
      {"x.bin -READ[E0000,FFFF", 0x8, 0, 0, "x.bin"},
      // Values read like "%x": blanks, sign, "0x", wrap-around; no digits leave 0.
      {"d.bin -READ[ 0x1f , +Ab]", 0x80000008, 0x1F, 0xAB, "d.bin"},
      {"d.bin -READ[E0000,]", 0x80000008, 0xE0000, 0, "d.bin"},
      {"d.bin -READ[zz,10]", 0x80000008, 0, 0x10, "d.bin"},
      {"d.bin -READ[123456789,-1]", 0x80000008, 0x23456789, 0xFFFFFFFF, "d.bin"},
      {"d.bin -READ[10G,0x]", 0x80000008, 0x10, 0, "d.bin"},
      // The first "[", "," and "]" of the whole option part count, in whatever order.
      {"d.bin -C,1 -READ[20,30]", 0x80000018, 0, 0x1, "d.bin"},
      // Trimmed at both ends, and the file part too.
      {" \t a b.hex  -A -D\r\n", 0x6, 0, 0, "a b.hex"},
      // A path with " -" inside is cut there; the rest reads as options ("-F" from "-Files").
      {"C:\\My -Files\\a.hex -A", 0x200 | 0x2, 0, 0, "C:\\My"},
      // A file name holding a mode word is just a name here.
      {"ECRITURE.h86 -D", 0x4, 0, 0, "ECRITURE.h86"},
      {std::string(259, 'f') + " -A", 0x2, 0, 0, std::string(259, 'f')},
  };
  for (const Case& c : cases) {
    JobRequest request;
    ASSERT_EQ(ParseJobText(c.job_text, &request), JobTextError::kNone) << c.job_text;
    EXPECT_EQ(request.option_flags, c.flags) << c.job_text;
    EXPECT_EQ(request.address, c.address) << c.job_text;
    EXPECT_EQ(request.length, c.length) << c.job_text;
    EXPECT_EQ(request.file_name, c.file_name) << c.job_text;
  }
}

TEST(JobText, RefusesTextsWithoutOptionsAndOverlongFileNames) {
  struct Case {
    std::string job_text;
    JobTextError expected;
  };
  const Case cases[] = {
      {"", JobTextError::kNoOptions},
      {"ECTURE_INFO", JobTextError::kNoOptions},
      {"MenuCfg.h86", JobTextError::kNoOptions},
      {"  -IG", JobTextError::kNoOptions},  // trimmed first: no blank before the hyphen
      {"a.hex\t-A", JobTextError::kNoOptions},
      {std::string(260, 'f') + " -A", JobTextError::kFileNameTooLong},
      {"C:\\" + std::string(300, 'd') + "\\fw.hex -A -D", JobTextError::kFileNameTooLong},
  };
  for (const Case& c : cases) {
    JobRequest request;
    request.option_flags = 0x1234;
    request.file_name = "unchanged";
    EXPECT_EQ(ParseJobText(c.job_text, &request), c.expected) << c.job_text;
    EXPECT_EQ(request.option_flags, 0x1234u);
    EXPECT_EQ(request.file_name, "unchanged");
  }
}

}  // namespace
}  // namespace quillink
