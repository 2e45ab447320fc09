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

}  // namespace
