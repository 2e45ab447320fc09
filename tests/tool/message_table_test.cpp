#include "tool/message_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/fakes/temp_folder.h"

namespace {

namespace fs = std::filesystem;

std::string Record(const std::string& text) {
  std::size_t count = text.size() - 1;
  return std::string{static_cast<char>(count & 0xFF), static_cast<char>(count >> 8)} + text;
}

class MessageTableLoad : public ::testing::Test {
 protected:
  // A read-only file left by a test must not keep the folder from going.
  void TearDown() override {
    if (fs::exists(path())) fs::permissions(path(), fs::perms::owner_all);
  }
  std::string path() const { return folder_.File("InfoTrfTR.zel"); }
  void Write(const std::string& bytes) {
    std::ofstream(path(), std::ios::binary | std::ios::trunc) << bytes;
  }
  fakes::TempFolder folder_;
};

TEST_F(MessageTableLoad, ReadsFortyThreeRecordsCutAtZeroAndTrimmed) {
  std::string file;
  for (int i = 0; i < tool::kMessageCount; ++i) {
    std::string text = "Message " + std::to_string(i);
    if (i == 2) text = "===== OK ===== \nPlease close the window!";
    if (i == 7) text = std::string("Cut\0here", 8);
    if (i == 9) text = " \t\r\nPadded\r\n\t ";
    if (i == 42) text = "No result in HALVEN TESTER. ";
    file += Record(text);
  }
  Write(file);
  tool::MessageTable table;
  ASSERT_TRUE(table.Load(path()));
  EXPECT_EQ(table.Text(0), "Message 0");
  EXPECT_EQ(table.Text(2), "===== OK ===== \nPlease close the window!");  // inner newline stays
  EXPECT_EQ(table.Text(7), "Cut");
  EXPECT_EQ(table.Text(9), "Padded");
  EXPECT_EQ(table.Text(41), "Message 41");
  EXPECT_EQ(table.Text(42), "No result in HALVEN TESTER.");
  EXPECT_EQ(table.Text(43), "");
  EXPECT_EQ(table.Text(-1), "");
}

// Files the tool may meet: whatever they hold, the load stays inside them and the messages they
// do not hold are empty.
TEST_F(MessageTableLoad, ShortTruncatedAndZeroFilledFilesLoadWhatTheyHold) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> expected;  // first messages; the rest must be empty
  } cases[] = {
      {"empty", "", {}},
      {"one byte", "\x05", {}},
      {"cut inside a text", Record("First") + Record("Second").substr(0, 5), {"First", "Sec"}},
      {"count beyond the end",
       Record("First") + std::string("\xFF\xFF"
                                     "abc",
                                     5),
       {"First", "abc"}},
      {"zero bytes", std::string(1000, '\0'), {}},
      {"only two records", Record("A") + Record("B"), {"A", "B"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Write(c.bytes);
    tool::MessageTable table;
    for (int i = 0; i < tool::kMessageCount; ++i) table.Set(i, "stale");
    ASSERT_TRUE(table.Load(path()));
    for (int i = 0; i < tool::kMessageCount; ++i) {
      std::string expected = i < static_cast<int>(c.expected.size()) ? c.expected[i] : "";
      EXPECT_EQ(table.Text(i), expected) << "message " << i;
    }
  }
}

TEST_F(MessageTableLoad, AMissingOrReadOnlyFileIsNotLoaded) {
  tool::MessageTable table;
  EXPECT_FALSE(table.Load(path()));
  Write(Record("Text"));
  fs::permissions(path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_FALSE(table.Load(path()));
  fs::permissions(path(), fs::perms::owner_all);
  EXPECT_TRUE(table.Load(path()));
  EXPECT_FALSE(table.Load(folder_.path().string()));  // a folder
}

TEST(MessageTableFormat, FillsIntegerConversionsAndCopiesTheRest) {
  struct Case {
    std::string text;
    std::initializer_list<std::int64_t> values;
    std::string expected;
  } cases[] = {
      {"Error bad sequence (K-%02X).", {0x5}, "Error bad sequence (K-05)."},
      {"Send sequence read (%d/%d).", {3, 7}, "Send sequence read (3/7)."},
      {"packet size error (%d).", {-12}, "packet size error (-12)."},
      {"missing (%d/%d)", {4}, "missing (4/0)"},
      {"100%% %s %c %n %p %f", {1}, "100% %s %c %n %p %f"},
      {"[%5d][%-5d][%05d][%+d][% d][%.3d][%.0d]",
       {42, 42, -42, 7, 7, 7, 0},
       "[   42][42   ][-0042][+7][ 7][007][]"},
      {"%x %X %#x %#X %x", {255, 255, 255, 255, 0}, "ff FF 0xff 0XFF 0"},
      {"%X %u %d", {-1, -1, 4294967295LL}, "FFFFFFFF 4294967295 -1"},
      {"%hhx %hd %lld %llX",
       {0x1FF, 70000, 1LL << 40, -1},
       "ff 4464 1099511627776 FFFFFFFFFFFFFFFF"},
      {"%*d|%-*d|%.*d", {4, 1, 3, 2, 3, 5}, "   1|2  |005"},
      {"trailing %", {}, "trailing %"},
      {"%", {}, "%"},
  };
  tool::MessageTable table;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    table.Set(25, c.text);
    EXPECT_EQ(table.Format(25, c.values), c.expected);
  }
}

TEST(MessageTableFormat, NeverStoresMoreThan255Characters) {
  tool::MessageTable table;
  table.Set(39, std::string(300, 'x') + "%d");
  EXPECT_EQ(table.Format(39, {1}), std::string(255, 'x'));
  table.Set(39, "%999999999999d|%.99999999999d");
  EXPECT_EQ(table.Format(39, {1, 2}).size(), 255u);
  EXPECT_EQ(table.Format(-3, {1}), "");
}

}  // namespace
