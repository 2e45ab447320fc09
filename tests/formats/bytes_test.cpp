#include "formats/bytes.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(Bytes, ReadsLittleEndianAndTexts) {
  const std::array<std::uint8_t, 8> b = {0x34, 0x12, 0x78, 0x56, 'A', 'B', 0, 'C'};
  EXPECT_EQ(formats::ReadU16LE(b.data()), 0x1234);
  EXPECT_EQ(formats::ReadU32LE(b.data()), 0x56781234u);
  EXPECT_EQ(formats::ReadText(b.data() + 4, 4), "AB");
  EXPECT_EQ(formats::ReadText(b.data() + 4, 2), "AB");  // no NUL within the field
}

TEST(Bytes, CheckedReadsRefuseFieldsPastTheEnd) {
  const std::array<std::uint8_t, 5> b = {1, 2, 3, 4, 5};
  std::uint32_t v = 0;
  EXPECT_TRUE(formats::ReadU32At(b, 1, &v));
  EXPECT_EQ(v, 0x05040302u);
  EXPECT_FALSE(formats::ReadU32At(b, 2, &v));
  EXPECT_FALSE(formats::ReadU32At(b, 6, &v));
  std::uint16_t w = 0;
  EXPECT_FALSE(formats::ReadU16At(b, 4, &w));
  std::uint8_t c = 0;
  EXPECT_FALSE(formats::ReadU8At(b, 5, &c));
}

}  // namespace
