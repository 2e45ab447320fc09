// The tester's menu table, built from the first configuration of the tree: fixed entries, a ring
// with one entry per ECU (closed by an extra entry from 8 ECUs on), ten tests per ECU and five
// trailing entries. Entry positions and links are what the tester and the result decoder walk.
#include <array>
#include <cstring>

#include "config/menu_cfg_areas.h"
#include "config/menu_cfg_converter.h"
#include "formats/bytes.h"
#include "formats/config_records.h"

namespace config {
namespace {

namespace me = formats::menu_entry;
namespace cfg = formats::cfg_record;
namespace ecu = formats::ecu_record;

constexpr std::size_t kFixedEntries = 35;
constexpr std::size_t kTrailingEntries = 5;
constexpr std::size_t kTestsPerEcu = 10;
constexpr std::size_t kClosingFrom = 8;  // ECU count from which the ECU ring gets a closing entry

// Where an entry's text comes from.
enum class Text : std::uint8_t { kLabel, kCfgNom, kSlot };
struct TextRef {
  Text source;
  std::uint8_t number;  // label or slot number
};
constexpr TextRef L(std::uint8_t n) { return {Text::kLabel, n}; }
constexpr TextRef S(std::uint8_t n) { return {Text::kSlot, n}; }
constexpr TextRef kNom = {Text::kCfgNom, 0};

// Link targets of the fixed entries: an entry number, or one of these.
constexpr int kNone = -1;
constexpr int kFirstEcu = -2;  // U0, the first ECU entry (none without ECUs)
constexpr int kTrail = 1000;   // kTrail + k: trailing entry Tk

struct FixedEntry {
  TextRef title;
  int parent, prev, next;
  TextRef label;
  std::uint16_t flags;
  std::array<std::uint8_t, 7>
      bytes58;  // bytes 58 to 64; byte 60 of a slot entry is the slot's code
  int child;
};

constexpr std::uint8_t X = 255;
constexpr int T0 = kTrail, T1 = kTrail + 1, T2 = kTrail + 2, T3 = kTrail + 3, T4 = kTrail + 4;

// Entries 0 to 34, then T0 to T4. The ring 0 to 5 steps over entry 2 (1's next is 3).
constexpr std::array<FixedEntry, kFixedEntries + kTrailingEntries> kFixed = {{
    {L(7), 0, 5, 1, L(8), 0x0699, {X, X, 0, X, X, X, 0}, kNone},
    {L(7), 0, 0, 3, L(9), 0x049B, {X, X, X, X, X, X, 1}, 6},
    {L(7), 0, 1, 3, L(10), 0x049D, {X, X, X, X, X, X, 2}, 8},
    {L(7), 0, 1, 4, L(11), 0x049F, {X, X, 1, X, X, X, 3}, kNone},
    {L(7), 0, 3, 5, L(12), 0x04A5, {X, X, 6, X, X, X, 4}, kNone},
    {L(7), 0, 4, 0, L(17), 0x04A7, {X, X, 7, X, X, X, 5}, 10},
    {L(9), 0, 7, 7, L(15), 0x02A1, {X, X, 2, X, X, X, X}, kNone},
    {L(9), 0, 6, 6, L(16), 0x00A3, {X, X, 3, X, X, X, X}, kNone},
    {L(10), 0, 9, 9, L(13), 0x00A1, {X, X, 4, X, X, X, X}, kNone},  // flags: option byte
    {L(10), 0, 8, 8, L(14), 0x00A3, {X, X, 5, X, X, X, X}, kNone},  // flags: option byte
    {L(17), 0, 14, 11, L(18), 0x0300, {X, X, X, X, X, X, X}, 15},
    {L(17), 0, 10, 12, L(19), 0x0100, {X, X, 10, X, X, X, X}, kNone},
    {L(17), 0, 11, 13, L(20), 0x0100, {X, X, 11, X, X, X, X}, kNone},
    {L(17), 0, 12, 14, L(23), 0x0100, {X, X, 12, X, X, X, X}, kNone},
    {L(17), 0, 13, 10, L(34), 0x0100, {X, X, 13, X, X, X, X}, kNone},
    {L(18), 10, 16, 16, L(21), 0x0300, {X, X, 8, X, X, X, X}, kNone},
    {L(18), 10, 15, 15, L(22), 0x0100, {X, X, 9, X, X, X, X}, kNone},
    {L(24), 0, 18, 18, L(25), 0x06A9, {X, X, X, X, X, X, X}, 19},
    {L(24), 0, 17, 17, L(26), 0x04AB, {X, X, X, X, X, X, X}, 20},
    {L(25), 17, 19, 19, L(27), 0x02AD, {X, X, 41, X, X, X, X}, kNone},
    {L(26), 17, 20, 20, L(27), 0x02AD, {X, X, 42, X, X, X, X}, kNone},
    {L(1), kNone, 22, 22, kNom, 0x0281, {0, X, X, 0, 0, 0, 6}, 23},
    {L(1), kNone, 21, 21, L(28), 0x0283, {X, X, 14, 0, 0, 0, 7}, T0},
    {kNom, 21, 27, 24, L(2), 0x028F, {0, X, 20, X, X, X, 8}, 28},
    {kNom, 21, 23, 25, L(35), 0x0295, {0, X, 23, X, X, X, 11}, kNone},
    {kNom, 21, 24, 26, L(4), 0x0091, {0, X, 21, X, X, X, 9}, kNone},
    {kNom, 21, 25, 27, L(3), 0x0093, {0, X, 22, X, X, X, 10}, kFirstEcu},
    {kNom, 21, 26, 23, L(5), 0x0097, {0, X, 24, X, X, X, 12}, kNone},
    {L(6), 23, 34, 29, S(0), 0x1300, {0, X, 0, X, X, X, 13}, kNone},
    {L(6), 23, 28, 30, S(1), 0x1100, {0, X, 0, X, X, X, 13}, kNone},
    {L(6), 23, 29, 31, S(2), 0x1100, {0, X, 0, X, X, X, 13}, kNone},
    {L(6), 23, 30, 32, S(3), 0x1100, {0, X, 0, X, X, X, 13}, kNone},
    {L(6), 23, 31, 33, S(4), 0x1100, {0, X, 0, X, X, X, 13}, kNone},
    {L(6), 23, 32, 34, S(5), 0x1100, {0, X, 0, X, X, X, 13}, kNone},
    {L(6), 23, 33, 28, S(6), 0x1100, {0, X, 0, X, X, X, 13}, kNone},
    {L(28), 21, T4, T1, L(29), 0x1085, {X, X, 15, X, X, X, X}, kNone},
    {L(28), 21, T0, T2, L(30), 0x1287, {X, X, 16, X, X, X, X}, kNone},
    {L(28), 21, T1, T3, L(31), 0x1089, {X, X, 17, X, X, X, X}, kNone},
    {L(28), 21, T2, T4, L(32), 0x108B, {X, X, 18, X, X, X, X}, kNone},
    {L(28), 21, T3, T0, L(33), 0x108D, {X, X, 19, X, X, X, X}, kNone},
}};

// Copies a text that ends at its NUL or after `width` bytes into a zeroed 20-byte entry field.
void CopyText(std::uint8_t* field, const std::uint8_t* text, std::size_t width) {
  for (std::size_t k = 0; k < width && k < me::kTextWidth && text[k] != 0; ++k) field[k] = text[k];
}

std::uint8_t* Entry(std::uint8_t* entries, std::size_t index) {
  return entries + index * me::kSize;
}

void SetLink(std::uint8_t* entry, std::size_t field, std::size_t target) {
  formats::WriteU32LE(entry + field, static_cast<std::uint32_t>(target * me::kSize));
}

void SetNoLink(std::uint8_t* entry, std::size_t field) {
  formats::WriteU32LE(entry + field, formats::kNoLink);
}

void SetFlagsAndBytes(std::uint8_t* entry, std::uint16_t flags,
                      const std::array<std::uint8_t, 7>& bytes58) {
  formats::WriteU16LE(entry + me::kFlags, flags);
  std::memcpy(entry + me::kCfgIndex, bytes58.data(), bytes58.size());
}

}  // namespace

void MenuCfgConverter::BuildMenuTree() {
  Areas& a = *areas_;
  std::uint8_t* entries = a.entries.data();
  std::memset(entries, 0, a.entries.size());

  const std::uint8_t* header = a.region1.data();
  const std::uint32_t first_cfg = formats::ReadU32LE(header + formats::cfg_header::kFirstCfg);
  const std::uint8_t* config = RecordAt(first_cfg, cfg::kSize);
  if (config == nullptr) return;  // never after a source that was read whole
  const std::size_t ecu_count = config[cfg::kCfgNbrEcu];
  const std::uint8_t option = header[formats::cfg_header::kOption];
  const std::uint8_t* slots = a.label_blocks.data();  // block of configuration index 0

  const std::size_t ecu_ring = ecu_count + (ecu_count >= kClosingFrom ? 1 : 0);
  const std::size_t first_ecu = kFixedEntries;
  const std::size_t first_test = first_ecu + ecu_ring;
  const std::size_t first_trail = first_test + kTestsPerEcu * ecu_count;
  const std::size_t count = first_trail + kTrailingEntries;

  struct Source {
    const std::uint8_t* text;
    std::size_t width;
  };
  auto source_of = [&](TextRef ref) -> Source {
    if (ref.source == Text::kCfgNom) return {config + cfg::kCfgNom, cfg::kNameWidth};
    if (ref.source == Text::kSlot) {
      return {slots + ref.number * kLabelSlotWidth, kLabelSlotWidth - 1};
    }
    return {a.menu_labels.data() + ref.number * kMenuLabelWidth, kMenuLabelWidth};
  };
  auto target = [&](int link) -> std::size_t {
    if (link >= kTrail) return first_trail + static_cast<std::size_t>(link - kTrail);
    if (link == kFirstEcu) return first_ecu;
    return static_cast<std::size_t>(link);
  };

  for (std::size_t n = 0; n < kFixed.size(); ++n) {
    const FixedEntry& f = kFixed[n];
    std::uint8_t* e = Entry(entries, n < kFixedEntries ? n : first_trail + (n - kFixedEntries));
    const Source title = source_of(f.title);
    const Source label = source_of(f.label);
    CopyText(e + me::kTitle, title.text, title.width);
    CopyText(e + me::kLabel, label.text, label.width);
    if (f.parent == kNone) {
      SetNoLink(e, me::kParent);
    } else {
      SetLink(e, me::kParent, target(f.parent));
    }
    SetLink(e, me::kPrev, target(f.prev));
    SetLink(e, me::kNext, target(f.next));
    SetFlagsAndBytes(e, f.flags, f.bytes58);
    if (f.label.source == Text::kSlot) e[me::kCode] = label.text[kLabelSlotWidth - 1];
    if (f.child == kNone || (f.child == kFirstEcu && ecu_count == 0)) {
      SetNoLink(e, me::kChild);
    } else {
      SetLink(e, me::kChild, target(f.child));
    }
  }
  // The option byte marks one of the two entries under entry 2 (bit 9).
  if (option == 0) formats::WriteU16LE(Entry(entries, 8) + me::kFlags, 0x02A1);
  if (option == 1) formats::WriteU16LE(Entry(entries, 9) + me::kFlags, 0x02A3);

  // The ECU ring under entry 26, then each ECU's ring of ten tests.
  std::uint32_t unit = formats::ReadU32LE(config + cfg::kFirstEcu);
  for (std::size_t j = 0; j < ecu_ring; ++j) {
    std::uint8_t* e = Entry(entries, first_ecu + j);
    CopyText(e + me::kTitle, a.menu_labels.data() + 6 * kMenuLabelWidth, kMenuLabelWidth);
    SetLink(e, me::kParent, 23);
    SetLink(e, me::kPrev, first_ecu + (j + ecu_ring - 1) % ecu_ring);
    SetLink(e, me::kNext, first_ecu + (j + 1) % ecu_ring);
    if (j == ecu_count) {  // the closing entry
      CopyText(e + me::kLabel, a.menu_labels.data(), kMenuLabelWidth);
      SetFlagsAndBytes(e, 0x2900, {0, X, X, X, X, X, X});
      SetNoLink(e, me::kChild);
      continue;
    }
    const std::uint8_t* u = RecordAt(unit, ecu::kSize);
    if (u == nullptr) return;
    unit = formats::ReadU32LE(u + ecu::kNext);
    CopyText(e + me::kLabel, u + ecu::kNom, ecu::kNomWidth);
    const std::uint8_t j8 = static_cast<std::uint8_t>(j);
    SetFlagsAndBytes(e, j == 0 ? 0x1300 : 0x1100, {0, j8, X, X, 1, X, 14});
    const std::size_t tests = first_test + kTestsPerEcu * j;
    SetLink(e, me::kChild, tests);

    for (std::size_t k = 0; k < kTestsPerEcu; ++k) {
      std::uint8_t* t = Entry(entries, tests + k);
      CopyText(t + me::kTitle, e + me::kLabel, me::kTextWidth);
      SetLink(t, me::kParent, first_ecu);
      SetLink(t, me::kPrev, tests + (k + kTestsPerEcu - 1) % kTestsPerEcu);
      SetLink(t, me::kNext, tests + (k + 1) % kTestsPerEcu);
      SetNoLink(t, me::kChild);
      if (k == kTestsPerEcu - 1) {
        CopyText(t + me::kLabel, a.menu_labels.data(), kMenuLabelWidth);
        SetFlagsAndBytes(t, 0x2900, {0, j8, X, X, X, X, X});
        continue;
      }
      const std::uint8_t* slot = slots + (7 + k) * kLabelSlotWidth;
      CopyText(t + me::kLabel, slot, kLabelSlotWidth - 1);
      const std::uint16_t flags = k == 0 ? 0x1300 : k <= 4 ? 0x1100 : 0x0100;
      SetFlagsAndBytes(t, flags, {0, j8, slot[kLabelSlotWidth - 1], X, X, X, 15});
    }
  }

  for (std::size_t n = 0; n < count; ++n) {
    std::uint8_t* e = Entry(entries, n);
    TrimText(e + me::kTitle, me::kTextWidth);
    TrimText(e + me::kLabel, me::kTextWidth);
    formats::WriteU16LE(e + me::kIndex, static_cast<std::uint16_t>(n));
  }
  a.entry_count = static_cast<std::uint16_t>(count);
}

}  // namespace config
