// Writes configuration images for the independent Intel HEX check (tests/scripts/
// check_hex_images.py): for each sample source, a folder with the source, the MenuCfg.h86 that
// the converter makes of it, and the memory the image must fill: region1.bin (from 0x000E0000)
// and region2.bin (from 0x00080000: marker word, string table, entry count, entries).
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "config/menu_cfg_converter.h"
#include "formats/bytes.h"
#include "tests/config/source_builder.h"

namespace {

namespace fs = std::filesystem;
using config_test::SampleConfig;
using config_test::SourceSpec;

std::string AsText(std::span<const std::uint8_t> bytes) {
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

bool WriteCase(const fs::path& root, const std::string& name, const SourceSpec& spec) {
  const fs::path folder = root / name;
  std::error_code error;
  fs::create_directories(folder, error);
  fs::current_path(folder, error);
  if (error || !config_test::WriteBytes("TransfertVersTR.zel", config_test::BuildSource(spec))) {
    return false;
  }
  config::MenuCfgConverter converter;
  if (converter.BuildMenuCfg() != config::MenuCfgConverter::BuildResult::kWritten) return false;
  std::string region2 = std::string("\x4B\x00", 2) + AsText(converter.StringTable());
  std::uint8_t count[2];
  formats::WriteU16LE(count, converter.EntryCount());
  region2 += AsText(count) + AsText(converter.MenuEntries());
  return config_test::WriteBytes("region1.bin", AsText(converter.Region1())) &&
         config_test::WriteBytes("region2.bin", region2);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: menu_cfg_images OUTPUT_FOLDER\n");
    return 2;
  }
  const fs::path root = fs::absolute(argv[1]);
  // Region 1 exactly 65536 bytes: 74 + 3 * 114 + 10 * 32 + 1620 * 40.
  config_test::CfgSpec full = SampleConfig(0, 1, 7, 255);
  full.ecus[6].frames.resize(90);
  const struct {
    const char* name;
    SourceSpec spec;
  } cases[] = {
      {"region1_220", config_test::SampleSource({SampleConfig(0, 0, 1, 0)})},
      {"no_ecu", config_test::SampleSource({SampleConfig(0, 1, 0, 0)})},
      {"three_ecus",
       config_test::SampleSource({SampleConfig(0, 1, 3, 2), SampleConfig(1, 0, 2, 4)})},
      {"eight_ecus", config_test::SampleSource({SampleConfig(0, 1, 8, 1)})},
      {"one_page", config_test::SampleSource({SampleConfig(0, 1, 72, 0)})},   // 833 entries
      {"two_pages", config_test::SampleSource({SampleConfig(0, 1, 73, 0)})},  // 844 entries
      {"full_region1",
       config_test::SampleSource({full, SampleConfig(1, 0, 3, 2), SampleConfig(2, 0, 0, 0)})},
      {"largest", config_test::LargestSource()},
  };
  int failures = 0;
  for (const auto& c : cases) {
    if (!WriteCase(root, c.name, c.spec)) {
      std::fprintf(stderr, "menu_cfg_images: %s failed\n", c.name);
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
