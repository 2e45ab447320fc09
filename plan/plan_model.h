// A configuration source ("TransfertVersTR.zel") as data: every byte of the file has a place here,
// in the order and width the file gives it, so that a source read into a Plan and written again
// is the same file. Texts are kept as their field bytes (code page 1252, NUL padded); numbers as
// numbers; the bytes the tester ignores or passes through as bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace plan {

template <std::size_t N>
using Field = std::array<std::uint8_t, N>;

inline constexpr std::size_t kMessageWidth = 22;
inline constexpr std::size_t kLabelWidth = 20;
inline constexpr std::size_t kHeaderTextWidth = 20;
inline constexpr std::size_t kCfgNameWidth = 17;
inline constexpr std::size_t kEcuNameWidth = 17;
inline constexpr std::size_t kFrameNameWidth = 20;
inline constexpr std::size_t kTitleWidth = 19;
inline constexpr std::size_t kVccTitleWidth = 10;

// The three groups of message texts the source carries, by their first string-table slot.
struct MessageGroup {
  std::size_t first_slot;
  std::size_t count;
};
inline constexpr std::array<MessageGroup, 3> kMessageGroups = {{{200, 59}, {0, 56}, {100, 35}}};
inline constexpr std::size_t kMessageCount = 59 + 56 + 35;
inline constexpr std::size_t kMenuLabelCount = 36;
inline constexpr std::size_t kWiringTitleCount = 7;
inline constexpr std::size_t kSignalTitleCount = 9;

struct Frame {
  Field<4> skipped{};  // every frame block starts with four bytes nobody reads
  // Type 1 only. `passed` holds, in source order, the two bytes for record offset 26 and the
  // four for offsets 24, 25, 30 and 31.
  Field<6> passed{};
  std::uint32_t identifier = 0;
  Field<kFrameNameWidth> name{};
};

struct Ecu {
  Field<kEcuNameWidth> name{};
  Field<4> skipped{};
  std::vector<Frame> frames;
};

// The level thresholds in source order: R min, R max, D min, D max of L1, then the same of L2.
inline constexpr std::size_t kLevelCount = 8;
// The short-circuit thresholds: L1/VCC, L2/VCC, L1/GND, L2/GND, L1/SHIELD, L2/SHIELD.
inline constexpr std::size_t kShortCircuitCount = 6;

struct Configuration {
  Field<2> outline_unused{};  // the outline's u16, read and not used
  Field<kCfgNameWidth> name{};
  Field<kCfgNameWidth> complement{};
  std::uint8_t type = 1;
  Field<9> skipped_after_type{};  // type 1 only
  Field<2> passed_50{};           // record offset 50
  std::uint8_t bus_load_min = 0, bus_load_max = 0, error_rate_min = 0, error_rate_max = 0;
  std::vector<Ecu> ecus;
  Field<2> skipped_after_ecus{};
  // Type 1 only from here on.
  std::array<std::uint8_t, kShortCircuitCount> short_circuit{};
  std::uint32_t open_circuit = 0;
  std::uint16_t loop_low = 0, loop_high = 0;
  Field<19> skipped_before_titles{};
  std::array<Field<kTitleWidth>, kWiringTitleCount> wiring_titles{};
  std::array<std::uint8_t, kLevelCount> levels{};
  Field<kVccTitleWidth> vcc_title{};
  Field<10> skipped_after_vcc{};
  std::array<Field<kTitleWidth>, kSignalTitleCount> signal_titles{};
};

struct Plan {
  std::array<Field<kMessageWidth>, kMessageCount> messages{};  // the groups in source order
  std::array<Field<kLabelWidth>, kMenuLabelCount> menu_labels{};
  Field<kHeaderTextWidth> first_text{}, name{}, full_name{};
  Field<6> header_passed{};
  std::uint8_t option = 0;
  std::vector<Configuration> configurations;
  std::vector<std::uint8_t> trailing;  // bytes after the last configuration, which nobody reads
};

}  // namespace plan
