#include "testerlink/record_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testerlink {
namespace {

TEST(RecordTextTest, ReadRequestBytes) {
  EXPECT_EQ(BuildReadRequest(0xE0000, 512), ":0800000C00000E0000020000DC");
  EXPECT_EQ(BuildReadRequest(0xE0000 + 127 * 512, 0x1FF), ":0800000C00FE0E00FF010000E0");
  EXPECT_EQ(BuildReadRequest(0xFFFFFFFF, 0xFFFFFFFF), ":0800000CFFFFFFFFFFFFFFFFF4");
}

TEST(RecordTextTest, HexByteReadsLikeScanfHex) {
  struct Case {
    const char text[3];
    std::uint8_t value;
  } cases[] = {
      {"00", 0x00}, {"1F", 0x1F}, {"ff", 0xFF},  {"a5", 0xA5}, {"7", 0x07},  // one digit
      {"5g", 0x05}, {" 5", 0x05}, {"\t7", 0x07}, {"+5", 0x05}, {"-5", 0xFB},
      {"-0", 0x00}, {"0x", 0x00}, {"g1", 0xFF},  {"x1", 0xFF}, {"  ", 0xFF},
      {"- ", 0xFF}, {"", 0xFF},   {":0", 0xFF},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HexByte(c.text[0], c.text[0] ? c.text[1] : '\0'), c.value) << "[" << c.text << "]";
  }
}

std::vector<std::string> AllLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t position = 0;
  std::string line;
  while (NextRecordLine(text, &position, &line) > 0) lines.push_back(line);
  return lines;
}

TEST(RecordTextTest, NextRecordLineCutsAtLineEndsAndSkipsToColons) {
  EXPECT_EQ(AllLines(":01\r\n:02\n\n:03\r:04"),
            (std::vector<std::string>{":01", ":02", ":03", ":04"}));
  EXPECT_EQ(AllLines("junk before :01 tail\r\n"), (std::vector<std::string>{":01 tail"}));
  EXPECT_EQ(AllLines(""), std::vector<std::string>{});
  EXPECT_EQ(AllLines(std::string(":01\n\0:02\n", 9)), (std::vector<std::string>{":01"}));
}

TEST(RecordTextTest, ColonSearchGivesUpAfter512Characters) {
  std::string found = ":01\n" + std::string(510, 'x') + "\n:02\n";  // 512 skipped, then ':'
  EXPECT_EQ(AllLines(found), (std::vector<std::string>{":01", ":02"}));
  std::string lost = ":01\n" + std::string(511, 'x') + "\n:02\n";  // 513 skipped
  EXPECT_EQ(AllLines(lost), (std::vector<std::string>{":01"}));
}

TEST(RecordTextTest, LongLineIsCutAt256Characters) {
  std::string text = ":" + std::string(300, 'A') + "\n";
  std::size_t position = 0;
  std::string line;
  EXPECT_EQ(NextRecordLine(text, &position, &line), 256u);
  EXPECT_EQ(line, ":" + std::string(255, 'A'));
  EXPECT_EQ(position, 256u);  // the rest is skipped as text before the next colon
  EXPECT_EQ(NextRecordLine(text, &position, &line), 0u);
}

TEST(RecordTextTest, FormatCheckComparesLengthByteWithCharacterCount) {
  const std::string data16 = ":10010000214601360121470136007EFE09D2190140";  // 43 characters
  ASSERT_EQ(data16.size(), 43u);
  EXPECT_TRUE(RecordLineWellFormed(data16));
  EXPECT_FALSE(RecordLineWellFormed(data16.substr(0, 42)));
  EXPECT_TRUE(RecordLineWellFormed(":00000001FF"));
  EXPECT_TRUE(RecordLineWellFormed(":00000001ZZ"));  // the checksum is not checked
  EXPECT_FALSE(RecordLineWellFormed("00000001FF0"));
  EXPECT_FALSE(RecordLineWellFormed(":0000001FF"));
  EXPECT_FALSE(RecordLineWellFormed(":"));
  EXPECT_FALSE(RecordLineWellFormed(":" + std::string(255, '0')));  // 256 characters: never
  EXPECT_EQ(RecordType(":00000001FF"), 0x01);
  EXPECT_EQ(RecordType(":000000"), 0xFF);
}

}  // namespace
}  // namespace testerlink
