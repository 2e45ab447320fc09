// The fixed areas of MenuCfgConverter (private to config/): allocated once with the converter.
#pragma once

#include <array>
#include <cstdint>

#include "config/menu_cfg_converter.h"
#include "formats/config_records.h"

namespace config {

// One configuration of the source's outline: what to allocate for it before it is read.
struct CfgOutline {
  std::uint8_t type;  // 1: its ECUs get frame records
  std::uint8_t ecu_count;
  std::uint16_t unused;
  std::array<std::uint8_t, 255> frame_counts;
};

struct MenuCfgConverter::Areas {
  using C = MenuCfgConverter;
  // CfgHeader followed by the arena.
  std::array<std::uint8_t, formats::cfg_header::kSize + C::kArenaSize> region1;
  std::uint32_t region1_size;
  std::array<std::uint8_t, C::kStringSlots * C::kStringWidth> string_table;
  std::array<std::uint8_t, C::kMenuLabelCount * C::kMenuLabelWidth> menu_labels;
  std::array<CfgOutline, 255> outline;
  std::uint8_t outline_count;
  std::array<std::uint8_t, C::kLabelBlocks * C::kLabelSlots * C::kLabelSlotWidth> label_blocks;
  std::array<std::uint8_t, C::kMaxEntries * formats::menu_entry::kSize> entries;
  std::uint16_t entry_count;
};

}  // namespace config
