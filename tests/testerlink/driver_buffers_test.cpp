#include "testerlink/driver_buffers.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

namespace testerlink {
namespace {

std::array<std::uint8_t, kNameBufferSize> NameReply(const std::string& text) {
  std::array<std::uint8_t, kNameBufferSize> buffer;
  buffer.fill(0xAA);  // bytes the driver leaves are not ours to trust
  std::memcpy(buffer.data() + kNameTextOffset, text.data(),
              std::min(text.size(), kNameBufferSize - kNameTextOffset));
  if (text.size() < kNameBufferSize - kNameTextOffset) buffer[kNameTextOffset + text.size()] = 0;
  return buffer;
}

TEST(DriverBuffersTest, InterfaceNameFollowsTheLastBackslash) {
  struct Case {
    std::string text, name;
  } cases[] = {
      {"\\\\?\\usb#vid_1234\\Zel0", "Zel0"},
      {"Zel0", "Zel0"},  // no backslash: the whole text
      {"\\\\?\\usb#vid\\", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(InterfaceName(NameReply(c.text)), c.name) << c.text;
}

TEST(DriverBuffersTest, NameTextWithoutTerminatorEndsAtTheBuffer) {
  auto buffer = NameReply(std::string(300, 'x'));
  EXPECT_EQ(InterfaceName(buffer), std::string(256, 'x'));
}

TEST(DriverBuffersTest, InterfacePathFitsTheSixtyEightByteBuffer) {
  std::string path = "unchanged";
  EXPECT_TRUE(BuildInterfacePath(std::string(63, 'n'), &path));
  EXPECT_EQ(path, "\\\\.\\" + std::string(63, 'n'));
  EXPECT_TRUE(BuildInterfacePath("", &path));
  EXPECT_EQ(path, "\\\\.\\");

  path = "unchanged";
  EXPECT_FALSE(BuildInterfacePath(std::string(64, 'n'), &path));
  EXPECT_FALSE(BuildInterfacePath(std::string(255, 'n'), &path));
  EXPECT_FALSE(BuildInterfacePath(std::string("a\0b", 3), &path));
  EXPECT_EQ(path, "unchanged");
}

TEST(DriverBuffersTest, RequestBuffers) {
  std::array<std::uint8_t, kCountBufferSize> count;
  count.fill(0xFF);
  PrepareCountRequest(count);
  count[0] = 3;
  count[3] = 1;
  EXPECT_EQ(TesterCount(count), 0x01000003u);

  std::array<std::uint8_t, kRegisterBufferSize> reg{};
  PrepareEventRegistration(reg, 0x12345678);
  EXPECT_EQ(reg, (std::array<std::uint8_t, 4>{0x78, 0x56, 0x34, 0x12}));

  std::array<std::uint8_t, kSetupBufferSize> setup;
  setup.fill(0xFF);
  PrepareLinkSetup(setup);
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(setup[i], 0) << i;

  std::array<std::uint8_t, kReplyBufferSize> reply;
  reply.fill(0xFF);
  PrepareReplyFetch(reply);
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(reply[i], 0xFF) << i;
  for (std::size_t i = 8; i < kReplyBufferSize; ++i) EXPECT_EQ(reply[i], 0) << i;
}

TEST(DriverBuffersTest, Acknowledgements) {
  struct Case {
    std::uint32_t count;
    std::uint8_t kind, code;
    Acknowledgement::Kind expected;
    bool has_code;
  } cases[] = {
      {1, 'O', 0, Acknowledgement::kAccepted, false},
      {2, 'K', 0x12, Acknowledgement::kRefused, true},
      {1, 'K', 0x12, Acknowledgement::kRefused, false},  // code byte not meaningful
      {3, 'K', 0x12, Acknowledgement::kRefused, false},
      {1, 'o', 0, Acknowledgement::kInvalid, false},
      {0, 0, 0, Acknowledgement::kInvalid, false},
      {0xFFFFFFFF, 0xFF, 0xFF, Acknowledgement::kInvalid, false},
  };
  for (const Case& c : cases) {
    std::array<std::uint8_t, kReplyBufferSize> reply{};
    reply[0] = static_cast<std::uint8_t>(c.count);
    reply[1] = static_cast<std::uint8_t>(c.count >> 8);
    reply[2] = static_cast<std::uint8_t>(c.count >> 16);
    reply[3] = static_cast<std::uint8_t>(c.count >> 24);
    reply[8] = c.kind;
    reply[9] = c.code;
    Acknowledgement ack = ReadAcknowledgement(reply);
    EXPECT_EQ(ack.kind, c.expected) << int(c.kind);
    EXPECT_EQ(ack.has_code, c.has_code) << int(c.kind);
    if (c.has_code) {
      EXPECT_EQ(ack.code, c.code);
    }
  }
}

TEST(DriverBuffersTest, WrittenAcknowledgementReadsBack) {
  std::array<std::uint8_t, kReplyBufferSize> reply;
  WriteAcknowledgement(reply, 'K', 0x12);
  Acknowledgement ack = ReadAcknowledgement(reply);
  EXPECT_EQ(ack.kind, Acknowledgement::kRefused);
  EXPECT_TRUE(ack.has_code);
  EXPECT_EQ(ack.code, 0x12);
  WriteAcknowledgement(reply, 'K', -1);
  EXPECT_FALSE(ReadAcknowledgement(reply).has_code);
}

}  // namespace
}  // namespace testerlink
