#include "sim/results_generator.h"

#include <gtest/gtest.h>

#include "formats/bytes.h"
#include "formats/config_records.h"
#include "formats/memory_map.h"
#include "formats/result_records.h"
#include "formats/version_record_format.h"

namespace {

namespace hdr = formats::cfg_header;
namespace cr = formats::cfg_record;
namespace er = formats::ecu_record;
namespace rr = formats::result_record;
namespace eres = formats::ecu_result_record;

// A tiny configuration area: configuration 0 of type 1 with two ECUs, configuration 1 of type 2
// with one ECU, links as offsets, rings closed.
constexpr std::uint32_t kCfg0 = 74, kEcu00 = 188, kEcu01 = 220, kCfg1 = 252, kEcu10 = 366;

sim::TesterState TesterWithConfiguration() {
  sim::TesterState s = sim::NewTesterState(sim::Identity{});
  std::uint8_t* a = s.memory.data() + formats::kConfigAddress;
  a[hdr::kNbrRes] = 2;
  formats::WriteU32LE(a + hdr::kFirstCfg, kCfg0);
  auto cfg = [&](std::uint32_t at, std::uint8_t type, std::uint8_t ecus, std::uint32_t first,
                 std::uint32_t next) {
    a[at + cr::kCfgType] = type;
    a[at + cr::kCfgNbrEcu] = ecus;
    formats::WriteU32LE(a + at + cr::kFirstEcu, first);
    formats::WriteU32LE(a + at + cr::kNext, next);
    formats::WriteU32LE(a + at + cr::kPrev, next);
  };
  cfg(kCfg0, 1, 2, kEcu00, kCfg1);
  cfg(kCfg1, 2, 1, kEcu10, kCfg0);
  a[kCfg0 + cr::kSeuilMinDL1] = 30;  // D level of L1: 3.0 to 4.5 V
  a[kCfg0 + cr::kSeuilMaxDL1] = 45;
  formats::WriteU32LE(a + kEcu00 + er::kNext, kEcu01);
  formats::WriteU32LE(a + kEcu01 + er::kNext, kEcu00);
  formats::WriteU32LE(a + kEcu10 + er::kNext, kEcu10);
  return s;
}

std::uint32_t U32(const sim::TesterState& s, std::uint32_t address) {
  return formats::ReadU32LE(s.memory.data() + address);
}

TEST(ResultsGenerator, ChainsOneResultPerConfigurationAndOnePerEcuOfType1) {
  sim::TesterState s = TesterWithConfiguration();
  std::string error;
  sim::ResultOptions options;
  options.all_pass = true;
  ASSERT_TRUE(sim::GenerateResults(options, &s, &error)) << error;

  const std::uint32_t r0 = U32(s, formats::kResultsAddress);
  EXPECT_EQ(r0, formats::kResultsAddress + 4);
  const std::uint32_t e0 = U32(s, r0);
  EXPECT_EQ(e0, r0 + rr::kUsedSize);
  const std::uint32_t e1 = U32(s, e0 + eres::kNext);
  EXPECT_EQ(e1, e0 + eres::kUsedSize);
  const std::uint32_t r1 = U32(s, r0 + rr::kNext);
  EXPECT_EQ(r1, e1 + eres::kUsedSize);
  EXPECT_EQ(U32(s, r1), formats::kNoLink);  // type 2: no ECU results

  // The information reply names what was stored.
  EXPECT_EQ(formats::ReadU32LE(s.info.data() + formats::kResultsAddressOffset),
            formats::kResultsAddress);
  EXPECT_EQ(formats::ReadU32LE(s.info.data() + formats::kResultsLengthOffset),
            r1 + rr::kUsedSize - formats::kResultsAddress);
  EXPECT_EQ(formats::ReadU32LE(s.info.data() + formats::kAcquisitionAddressOffset),
            formats::kAcquisitionAddress);
  EXPECT_EQ(formats::ReadU16LE(s.info.data() + formats::kAcquisitionLengthOffset), 0xE000);

  // Everything run and passed; the ECU's D level lies within the configuration's range.
  for (std::uint32_t r : {r0, r1}) {
    for (std::size_t flag = rr::kTestsFaisceau; flag <= rr::kTestBlindage; ++flag)
      EXPECT_EQ(s.memory[r + flag], 1);
    EXPECT_EQ(s.memory[r + rr::kEtatCc], 0);      // no short circuit
    EXPECT_EQ(s.memory[r + rr::kEtatCoL1L2], 0);  // no open circuit
    EXPECT_EQ(s.memory[r + rr::kEtatRL1L2], 1);   // resistance passed
    EXPECT_EQ(s.memory[r + rr::kResultLongueur], 1);
    EXPECT_EQ(s.memory[r + rr::kResultBlindage], 1);
  }
  for (std::uint32_t e : {e0, e1}) {
    EXPECT_EQ(s.memory[e + eres::kEtat], 0x5F);
    EXPECT_GE(s.memory[e + eres::kValDL1], 30);
    EXPECT_LE(s.memory[e + eres::kValDL1], 45);
  }
}

TEST(ResultsGenerator, ChosenFailuresAndSkippedTests) {
  sim::TesterState s = TesterWithConfiguration();
  std::string error;
  sim::ResultOptions options;
  options.all_pass = true;
  options.fail_ecus = {1};
  options.fail_wiring = true;
  options.fail_screening = true;
  options.fail_length = true;
  options.skipped = {sim::TestKind::kSignal};
  ASSERT_TRUE(sim::GenerateResults(options, &s, &error)) << error;
  const std::uint32_t r0 = U32(s, formats::kResultsAddress);
  const std::uint32_t e0 = U32(s, r0);
  const std::uint32_t e1 = U32(s, e0 + eres::kNext);
  EXPECT_EQ(s.memory[e0 + eres::kEtat], 0x5F);
  EXPECT_EQ(s.memory[e1 + eres::kEtat],
            0x5B);  // D level L1 failed; the ECU was tested (overall bit)
  EXPECT_LT(s.memory[e1 + eres::kValDL1], 30);
  EXPECT_EQ(s.memory[r0 + rr::kEtatCc], 0x04);            // short L1-GND
  EXPECT_LT(U32(s, r0 + rr::kValCcL1Vcc + 2 * 4), 100u);  // the value of L1/GND, the third
  EXPECT_EQ(s.memory[r0 + rr::kResultBlindage], 2);
  EXPECT_EQ(s.memory[r0 + rr::kResultLongueur], 2);
  EXPECT_GT(formats::ReadU16LE(&s.memory[r0 + rr::kLongueurMes]),
            formats::ReadU16LE(&s.memory[r0 + rr::kLongueurMax]));
  EXPECT_EQ(s.memory[r0 + rr::kTestsElectriques], 0);
  EXPECT_EQ(s.memory[r0 + rr::kTestsFaisceau], 1);
}

TEST(ResultsGenerator, CurveStepsAtTheMeasuredLength) {
  sim::TesterState s = TesterWithConfiguration();
  std::string error;
  sim::ResultOptions options;
  options.all_pass = true;
  options.length_m = 50;
  ASSERT_TRUE(sim::GenerateResults(options, &s, &error)) << error;
  const std::uint8_t* curve = s.memory.data() + formats::kAcquisitionAddress;
  auto level = [&](int k) { return curve[4 * k + 3]; };
  // 2.77 m per entry at 5.0 ns/m: entry 19 (52 m) is the first at 50 m or more.
  EXPECT_EQ(s.memory[U32(s, formats::kResultsAddress) + rr::kVitesse], 50);
  EXPECT_LT(level(18), 80);
  EXPECT_GT(level(22), 150);
  EXPECT_EQ(formats::ReadU16LE(curve + 4 * 18), 18);
  EXPECT_EQ(formats::ReadU16LE(curve + 4 * 200), 0xFFFF);  // the curve ends
  for (int k = 0; k < 200; ++k) EXPECT_EQ(level(k) & 1, 0);

  // The same seed gives the same tester; another seed other values.
  sim::TesterState again = TesterWithConfiguration();
  ASSERT_TRUE(sim::GenerateResults(options, &again, &error));
  EXPECT_EQ(again.memory, s.memory);
  options.seed = 2;
  ASSERT_TRUE(sim::GenerateResults(options, &again, &error));
  EXPECT_NE(again.memory, s.memory);

  options.skipped = {sim::TestKind::kLength};
  ASSERT_TRUE(sim::GenerateResults(options, &again, &error));
  EXPECT_EQ(formats::ReadU16LE(again.memory.data() + formats::kAcquisitionAddress), 0xFFFF);
}

TEST(ResultsGenerator, AcceptsARecordEndingWithTheArea) {
  sim::TesterState s = TesterWithConfiguration();
  std::uint8_t* a = s.memory.data() + formats::kConfigAddress;
  const std::uint32_t last = formats::kConfigSize - cr::kSize;  // its last byte is the area's last
  std::copy_n(a + kCfg1, cr::kSize, a + last);
  formats::WriteU32LE(a + kCfg0 + cr::kNext, last);
  std::string error;
  EXPECT_TRUE(sim::GenerateResults({}, &s, &error)) << error;
}

TEST(ResultsGenerator, RefusesMissingOrDamagedConfigurations) {
  std::string error;
  sim::TesterState fresh = sim::NewTesterState(sim::Identity{});
  EXPECT_FALSE(sim::GenerateResults({}, &fresh, &error));
  EXPECT_NE(error.find("no configuration"), std::string::npos) << error;

  const struct {
    std::uint32_t offset;  // within the configuration area
    std::uint32_t link;
  } damage[] = {
      {hdr::kFirstCfg, 0xFFF0},         // configuration record past the readable area
      {kCfg0 + cr::kFirstEcu, 0xFFFE},  // ECU past it
      {kCfg0 + cr::kNext, 0x7FFFFFFF},  // next configuration far outside
      {kEcu00 + er::kNext, 0xFFFFFFF0},
  };
  for (const auto& d : damage) {
    sim::TesterState s = TesterWithConfiguration();
    formats::WriteU32LE(s.memory.data() + formats::kConfigAddress + d.offset, d.link);
    const std::vector<std::uint8_t> before = s.memory;
    EXPECT_FALSE(sim::GenerateResults({}, &s, &error)) << d.offset;
    EXPECT_NE(error.find("outside"), std::string::npos) << error;
    EXPECT_EQ(s.memory, before);
  }
}

}  // namespace
