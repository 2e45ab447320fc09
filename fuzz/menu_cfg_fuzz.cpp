// Fuzz target: arbitrary bytes as a configuration source. Whatever the source holds, reading it
// must stay inside the fixed areas, and a source that is accepted must give a menu table whose
// links all name entries of the table and a configuration tree whose first link lies inside it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "config/menu_cfg_converter.h"
#include "config/source_reader.h"
#include "formats/bytes.h"
#include "formats/config_records.h"

namespace {

void CheckTrees(const config::MenuCfgConverter& converter) {
  namespace me = formats::menu_entry;
  const auto entries = converter.MenuEntries();
  const std::uint32_t table = static_cast<std::uint32_t>(entries.size());
  for (std::size_t e = 0; e < table; e += me::kSize) {
    for (std::size_t field : {me::kParent, me::kPrev, me::kNext, me::kChild}) {
      const std::uint32_t link = formats::ReadU32LE(entries.data() + e + field);
      if (link != formats::kNoLink && (link % me::kSize != 0 || link >= table)) std::abort();
    }
  }
  const auto region1 = converter.Region1();
  if (region1.size() > config::MenuCfgConverter::kMaxRegion1) std::abort();
  if (formats::ReadU32LE(region1.data() + formats::cfg_header::kFirstCfg) != 74) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static config::MenuCfgConverter converter;
  config::SourceReader source(std::span<const std::uint8_t>(data, size));
  if (converter.ReadSource(source) != config::MenuCfgConverter::SourceResult::kReady) return 0;
  converter.BuildMenuTree();
  CheckTrees(converter);
  if (converter.ImageText().empty()) std::abort();
  return 0;
}
