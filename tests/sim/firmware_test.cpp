#include "sim/firmware.h"

#include <gtest/gtest.h>

#include "formats/bytes.h"
#include "formats/memory_map.h"
#include "tests/sim/sim_test_support.h"

namespace {

using sim_test::HexRecord;

class FirmwareTest : public ::testing::Test {
 protected:
  sim::RecordOutcome Send(const std::string& written) {
    std::vector<std::uint8_t> bytes(written.begin(), written.end());
    return firmware_.HandleRecord(bytes);
  }
  std::string Answer(const std::string& written) {
    sim::Reply r = Send(written).reply;
    char text[8];
    std::snprintf(text, sizeof text, r.has_code ? "%c-%02X" : "%c", r.kind, r.code);
    return text;
  }
  sim::TesterState state_ = sim::NewTesterState(sim::Identity{});
  sim::Firmware firmware_{&state_};
};

TEST_F(FirmwareTest, RefusesBadRecordsWithTheirCode) {
  const struct {
    const char* written;
    const char* answer;
  } cases[] = {
      {":0000000FF1\r", "O"},
      {":0000000FF1\n\r", "O"},     // a fixed record travels with its line feed
      {":0000000ff1\r", "O"},       // digits of either case
      {":0000000FF2\r", "K-03"},    // checksum
      {":0000000FF1", "K-01"},      // no carriage return
      {"0000000FF1\r", "K-01"},     // no colon
      {":0000000FG1\r", "K-01"},    // not a digit
      {":0000000F1\r", "K-01"},     // odd number of digits
      {":0000F1\r", "K-01"},        // too short
      {":0100000FF0\r", "K-02"},    // length byte says one data byte, there is none
      {":0000000BF5\r", "K-04"},    // unknown type
      {":0000000CF4\r", "K-05"},    // read request without its 8 bytes
      {":0100000F00F0\r", "K-05"},  // end record with data
  };
  for (const auto& c : cases) EXPECT_EQ(Answer(c.written), c.answer) << c.written;
}

TEST_F(FirmwareTest, ReadRequestLeavesExactlyTheBytesAsked) {
  for (std::uint32_t i = 0; i < 0x300; ++i)
    state_.memory[0xE0000 + i] = static_cast<std::uint8_t>(i);
  EXPECT_EQ(sim_test::ReadRequest(0xE0000, 0x200), ":0800000C00000E0000020000DC");
  EXPECT_EQ(Answer(sim_test::ReadRequest(0xE0100, 0x1FF) + "\r"), "O");
  ASSERT_TRUE(firmware_.HasPendingData());
  ASSERT_EQ(firmware_.PendingData().size(), 0x1FFu);
  EXPECT_EQ(firmware_.PendingData()[0], 0x00);
  EXPECT_EQ(firmware_.PendingData()[0x1FE], 0xFE);

  // Past the end of the memory, zero bytes or more than the buffer: refused, nothing pending.
  EXPECT_EQ(Answer(sim_test::ReadRequest(0xFFF00, 0x200) + "\r"), "K-06");
  EXPECT_FALSE(firmware_.HasPendingData());
  EXPECT_EQ(Answer(sim_test::ReadRequest(0xE0000, 0) + "\r"), "K-05");
  EXPECT_EQ(Answer(sim_test::ReadRequest(0xE0000, sim::kMaxReadCount + 1) + "\r"), "K-05");
}

TEST_F(FirmwareTest, InformationRequestLeavesTheReply) {
  EXPECT_EQ(Answer(":0000000DF3\n\r"), "O");
  ASSERT_EQ(firmware_.PendingData().size(), formats::kDefaultInfoLength);
  EXPECT_EQ(formats::ReadText(firmware_.PendingData().data(), 20), "Quarnetik");
  EXPECT_EQ(firmware_.PendingData()[20], 3);
  // The next record drops data nobody read.
  EXPECT_EQ(Answer(":0000000FF1\r"), "O");
  EXPECT_FALSE(firmware_.HasPendingData());
}

TEST_F(FirmwareTest, ProgramsHexDataAtExtendedAddresses) {
  EXPECT_EQ(Answer(HexRecord(0x04, 0, {0x00, 0x0E}) + "\r"), "O");
  EXPECT_TRUE(Send(HexRecord(0x00, 0x0010, {1, 2, 3}) + "\r").changed);
  EXPECT_EQ(state_.memory[0xE0010], 1);
  EXPECT_EQ(state_.memory[0xE0012], 3);
  // The lower-case page digit of a configuration image.
  EXPECT_EQ(Answer(":02000004000aF0\r"), "O");
  EXPECT_EQ(Answer(HexRecord(0x00, 0xFFFF, {0x42}) + "\r"), "O");
  EXPECT_EQ(state_.memory[0xAFFFF], 0x42);
  // Extended segment address: base 0x1000 << 4.
  EXPECT_EQ(Answer(HexRecord(0x02, 0, {0x10, 0x00}) + "\r"), "O");
  EXPECT_EQ(Answer(HexRecord(0x00, 0x0001, {0x77}) + "\r"), "O");
  EXPECT_EQ(state_.memory[0x10001], 0x77);
  // Beyond 1 MiB: refused, nothing written.
  EXPECT_EQ(Answer(HexRecord(0x04, 0, {0x00, 0x0F}) + "\r"), "O");
  EXPECT_EQ(Answer(HexRecord(0x00, 0xFFFE, {9, 9, 9}) + "\r"), "K-06");
  EXPECT_EQ(state_.memory[0xFFFFE], 0xFF);
  // The end record starts the next exchange at the bottom of the memory again.
  EXPECT_TRUE(Send(":0000000FF1\r").end_of_exchange);
  EXPECT_EQ(Answer(HexRecord(0x00, 0x0004, {0x55}) + "\r"), "O");
  EXPECT_EQ(state_.memory[0x00004], 0x55);
}

TEST_F(FirmwareTest, EachEraseClearsItsAreas) {
  const std::uint32_t probes[] = {0x00000, 0x0FFFF, 0x10000, 0x7FFFF, 0x80000,
                                  0xD2000, 0xE0000, 0xF0000, 0xFFFFF};
  const struct {
    const char* record;
    std::uint32_t first, end;  // the range that must be erased
  } cases[] = {
      {":00000006FA\r", 0x00000, 0x10000},
      {":00000007F9\r", 0x10000, 0x80000},
      {":00000008F8\r", 0x80000, 0x100000},
  };
  for (const auto& c : cases) {
    std::fill(state_.memory.begin(), state_.memory.end(), std::uint8_t{0});
    sim::SetResultsArea(&state_, formats::kResultsAddress, 0x100);
    sim::RecordOutcome outcome = Send(c.record);
    EXPECT_EQ(outcome.reply.kind, 'O');
    EXPECT_TRUE(outcome.changed);
    for (std::uint32_t a : probes) {
      const bool erased = a >= c.first && a < c.end;
      EXPECT_EQ(state_.memory[a], erased ? 0xFF : 0x00) << c.record << " at " << std::hex << a;
    }
    // Only the DATA erase takes the results with it.
    const bool data = c.first == formats::kDataAddress;
    EXPECT_EQ(formats::ReadU32LE(state_.info.data() + 26), data ? 0u : 0x100u) << c.record;
  }
}

TEST_F(FirmwareTest, CommandRecordsAreAccepted) {
  for (const char* record : {":00000009F7\r", ":0000000AF6\r", ":0000000EF2\r", ":00000001FF\r"}) {
    EXPECT_EQ(Answer(record), "O") << record;
  }
  EXPECT_TRUE(Send(":00000009F7\r").end_of_exchange);
}

}  // namespace
