// The simulated tester with a configuration image as the converter makes it: loaded through its
// Intel HEX records, then tested.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "config/menu_cfg_converter.h"
#include "formats/bytes.h"
#include "formats/config_records.h"
#include "formats/memory_map.h"
#include "formats/result_records.h"
#include "formats/version_record_format.h"
#include "sim/testersim_command.h"
#include "tests/config/source_builder.h"
#include "tests/fakes/temp_folder.h"
#include "tests/sim/sim_test_support.h"

namespace {

using namespace sim_test;
namespace rr = formats::result_record;
namespace eres = formats::ecu_result_record;

int Testersim(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int status = sim::RunTesterSim(args, out, err);
  EXPECT_EQ(status, 0) << err.str();
  return status;
}

TEST(SimWithConfiguration, ResultsFollowAConvertedConfiguration) {
  using config_test::SampleConfig;
  const std::string source = config_test::BuildSource(
      config_test::SampleSource({SampleConfig(0, 1, 3, 2), SampleConfig(1, 0, 2, 4)}));
  const std::vector<std::uint8_t> source_bytes(source.begin(), source.end());
  config::SourceReader reader(source_bytes);
  config::MenuCfgConverter converter;
  ASSERT_EQ(converter.ReadSource(reader), config::MenuCfgConverter::SourceResult::kReady);
  converter.BuildMenuTree();
  fakes::TempFolder folder;
  const std::string image = folder.File("MenuCfg.h86");
  std::ofstream(image, std::ios::binary) << converter.ImageText();

  const std::string state = folder.File("tester.sim");
  ASSERT_EQ(Testersim({"new", state}), 0);
  ASSERT_EQ(Testersim({"load", state, image}), 0);
  ASSERT_EQ(Testersim({"results", state, "--all-pass", "--fail-ecu", "2"}), 0);
  const sim::TesterState s = LoadTester(state);

  // The image filled the areas the upload reads back.
  const auto region1 = converter.Region1();
  EXPECT_TRUE(
      std::equal(region1.begin(), region1.end(), s.memory.begin() + formats::kConfigAddress));
  EXPECT_EQ(formats::ReadU16LE(&s.memory[formats::kMenuAddress]), 0x4B);
  EXPECT_EQ(formats::ReadU16LE(&s.memory[formats::kMenuCountAddress]), converter.EntryCount());

  // Configuration 0 (type 1) has three ECU results, the third failed; configuration 1 none.
  auto u32 = [&](std::uint32_t address) { return formats::ReadU32LE(&s.memory[address]); };
  const std::uint32_t r0 = u32(formats::kResultsAddress);
  std::uint32_t ecu = u32(r0);
  std::vector<std::uint8_t> states;
  for (int e = 0; e < 3; ++e, ecu = u32(ecu + eres::kNext))
    states.push_back(s.memory[ecu + eres::kEtat]);
  EXPECT_EQ(states, (std::vector<std::uint8_t>{0x5F, 0x5F, 0x5B}));
  EXPECT_EQ(u32(u32(r0 + rr::kNext)), formats::kNoLink);
  EXPECT_EQ(formats::ReadU32LE(s.info.data() + formats::kResultsLengthOffset),
            4u + rr::kUsedSize + 3 * eres::kUsedSize + rr::kUsedSize);
}

}  // namespace
