#include "config/hex_writer.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <sstream>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// Runs `write` on a HexWriter and returns the text's lines (each must end in CR LF).
Lines WrittenLines(const std::function<void(config::HexWriter&)>& write) {
  std::string text;
  config::HexWriter hex(&text);
  write(hex);
  Lines lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "unterminated last line";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(lines.back().find('\n'), std::string::npos);
    start = end + 2;
  }
  return lines;
}

// Checks a data record's form and checksum; returns its byte count and address.
void CheckDataRecord(const std::string& line, unsigned* count, unsigned* address) {
  ASSERT_GE(line.size(), 11u);
  ASSERT_EQ(line[0], ':');
  unsigned sum = 0;
  std::vector<unsigned> bytes;
  for (std::size_t k = 1; k + 1 < line.size(); k += 2) {
    const std::string pair = line.substr(k, 2);
    ASSERT_EQ(pair.find_first_not_of("0123456789ABCDEF"), std::string::npos) << line;
    bytes.push_back(std::stoul(pair, nullptr, 16));
    sum += bytes.back();
  }
  EXPECT_EQ(sum & 0xFF, 0u) << "checksum of " << line;
  EXPECT_EQ(bytes[3], 0u) << line;
  *count = bytes[0];
  *address = bytes[1] << 8 | bytes[2];
  EXPECT_EQ(line.size(), 11 + 2 * *count) << line;
}

// The (count, address) of every data record in `lines`; address records give {0, 0x10000 + page}.
std::vector<std::pair<unsigned, unsigned>> Records(const Lines& lines) {
  std::vector<std::pair<unsigned, unsigned>> records;
  for (const std::string& line : lines) {
    if (line.rfind(":02000004", 0) == 0) {
      records.push_back(
          {0, 0x10000 + static_cast<unsigned>(std::stoul(line.substr(9, 4), nullptr, 16))});
      continue;
    }
    unsigned count = 0, address = 0;
    CheckDataRecord(line, &count, &address);
    records.push_back({count, address});
  }
  return records;
}

TEST(HexWriter, WritesSixteenByteRecordsThenTheRest) {
  std::vector<std::uint8_t> data(220);
  std::iota(data.begin(), data.end(), 0);
  std::uint32_t end = 0;
  const Lines lines =
      WrittenLines([&](config::HexWriter& hex) { end = hex.WriteHexData(data.data(), 220, 0); });
  EXPECT_EQ(end, 220u);
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[0], ":10000000000102030405060708090A0B0C0D0E0F78");
  EXPECT_EQ(lines[12].substr(0, 9), ":1000C000");
  EXPECT_EQ(lines[13], ":0C00D000D0D1D2D3D4D5D6D7D8D9DADB22");
  auto records = Records(lines);
  for (std::size_t k = 0; k < 13; ++k)
    EXPECT_EQ(records[k], std::make_pair(16u, 16u * unsigned(k)));
}

TEST(HexWriter, StringTableFromAddressTwo) {
  std::vector<std::uint8_t> table(6600, 0xFF);
  std::uint32_t end = 0;
  const Lines lines =
      WrittenLines([&](config::HexWriter& hex) { end = hex.WriteHexData(table.data(), 6600, 2); });
  EXPECT_EQ(end, 6602u);
  ASSERT_EQ(lines.size(), 413u);
  auto records = Records(lines);
  EXPECT_EQ(records[0], std::make_pair(16u, 2u));
  EXPECT_EQ(records[411], std::make_pair(16u, 2u + 16 * 411));
  EXPECT_EQ(records[412], std::make_pair(8u, 0x19C2u));
}

TEST(HexWriter, EntryTableRunsAcrossPages) {
  const struct {
    std::uint32_t length;
    std::vector<std::pair<unsigned, unsigned>> tail;  // the last records, in order
    int page_lines;
  } cases[] = {
      {841 * 70, {{16, 0xFFAC}, {6, 0xFFBC}}, 0},
      {842 * 70, {{16, 0xFFEC}, {4, 0xFFFC}, {0, 0x10009}, {8, 0x0000}}, 1},
      {58932 + 65536, {{16, 0xFFE0}, {16, 0xFFF0}}, 1},
      {58932 + 65536 + 10, {{16, 0xFFF0}, {0, 0x1000A}, {10, 0x0000}}, 2},
  };
  std::vector<std::uint8_t> data(58932 + 65536 + 10, 0x5A);
  for (const auto& c : cases) {
    SCOPED_TRACE("length " + std::to_string(c.length));
    const Lines lines = WrittenLines(
        [&](config::HexWriter& hex) { hex.WritePagedData(data.data(), c.length, 6604); });
    auto records = Records(lines);
    ASSERT_GE(records.size(), c.tail.size());
    EXPECT_EQ(std::vector(records.end() - c.tail.size(), records.end()), c.tail);
    int page_lines = 0;
    unsigned total = 0;
    for (auto [count, address] : records) {
      page_lines += count == 0;
      total += count;
    }
    EXPECT_EQ(page_lines, c.page_lines);
    EXPECT_EQ(total, c.length);
  }
  const Lines two_pages = WrittenLines(
      [&](config::HexWriter& hex) { hex.WritePagedData(data.data(), 58932 + 65536 + 10, 6604); });
  EXPECT_EQ(std::count(two_pages.begin(), two_pages.end(), ":020000040009F1"), 1);
  EXPECT_EQ(std::count(two_pages.begin(), two_pages.end(), ":02000004000aF0"), 1);
}

}  // namespace
