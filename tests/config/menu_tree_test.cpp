#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "config/menu_cfg_converter.h"
#include "formats/config_records.h"
#include "tests/config/menu_cfg_test_util.h"
#include "tests/config/source_builder.h"

namespace {

using config::MenuCfgConverter;
using config_test::BytesAt;
namespace me = formats::menu_entry;
using Bytes = std::vector<std::uint8_t>;

constexpr int kNone = -1;

// One entry as the tester reads it, links as entry numbers (kNone for 0xFFFFFFFF).
struct Entry {
  std::string title;
  int parent, prev, next;
  std::string label;
  std::uint16_t flags;
  Bytes bytes58;  // bytes 58 to 64
  int child;
  bool operator==(const Entry&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Entry& e) {
  os << "{\"" << e.title << "\" parent " << e.parent << " prev " << e.prev << " next " << e.next
     << " \"" << e.label << "\" flags 0x" << std::hex << e.flags << std::dec << " bytes";
  for (int b : e.bytes58) os << ' ' << b;
  return os << " child " << e.child << '}';
}

class MenuTree : public testing::Test {
 protected:
  // Reads a source whose first configuration has `ecus` ECUs and builds the menu.
  void Build(int ecus, std::uint8_t type = 1, std::uint8_t option = 1) {
    config_test::SourceSpec spec = config_test::SampleSource(
        {config_test::SampleConfig(0, type, ecus, 1), config_test::SampleConfig(1, 1, 2, 1)});
    spec.option = option;
    Build(spec);
  }
  void Build(const config_test::SourceSpec& spec) {
    ASSERT_EQ(config_test::ReadFromBytes(*converter_, config_test::BuildSource(spec)),
              MenuCfgConverter::SourceResult::kReady);
    converter_->BuildMenuTree();
  }

  int Link(int n, std::size_t field) const {
    const std::uint32_t link = config_test::U32At(converter_->MenuEntries(), n * me::kSize + field);
    if (link == formats::kNoLink) return kNone;
    EXPECT_EQ(link % me::kSize, 0u) << "entry " << n;
    return static_cast<int>(link / me::kSize);
  }
  Entry At(int n) const {
    auto entries = converter_->MenuEntries();
    const std::size_t e = n * me::kSize;
    return {config_test::TextAt(entries, e + me::kTitle, 20),
            Link(n, me::kParent),
            Link(n, me::kPrev),
            Link(n, me::kNext),
            config_test::TextAt(entries, e + me::kLabel, 20),
            config_test::U16At(entries, e + me::kFlags),
            BytesAt(entries, e + me::kCfgIndex, 7),
            Link(n, me::kChild)};
  }
  std::string Label(int n) const { return "Label " + std::to_string(n); }
  std::string Slot(int s) const { return "Test " + std::to_string(s); }

  std::unique_ptr<MenuCfgConverter> converter_ = std::make_unique<MenuCfgConverter>();
};

constexpr std::uint8_t X = 255;

TEST_F(MenuTree, FixedEntriesAsTheTesterExpects) {
  Build(3);  // ECU entries 35 to 37, tests 38 to 67, T0 to T4 at 68 to 72
  const std::string nom = "Cfg 0";
  const struct {
    int n;
    Entry expected;
  } cases[] = {
      {0, {Label(7), 0, 5, 1, Label(8), 0x0699, {X, X, 0, X, X, X, 0}, kNone}},
      {1, {Label(7), 0, 0, 3, Label(9), 0x049B, {X, X, X, X, X, X, 1}, 6}},
      {2, {Label(7), 0, 1, 3, Label(10), 0x049D, {X, X, X, X, X, X, 2}, 8}},
      {3, {Label(7), 0, 1, 4, Label(11), 0x049F, {X, X, 1, X, X, X, 3}, kNone}},
      {5, {Label(7), 0, 4, 0, Label(17), 0x04A7, {X, X, 7, X, X, X, 5}, 10}},
      {7, {Label(9), 0, 6, 6, Label(16), 0x00A3, {X, X, 3, X, X, X, X}, kNone}},
      {10, {Label(17), 0, 14, 11, Label(18), 0x0300, {X, X, X, X, X, X, X}, 15}},
      {14, {Label(17), 0, 13, 10, Label(34), 0x0100, {X, X, 13, X, X, X, X}, kNone}},
      {15, {Label(18), 10, 16, 16, Label(21), 0x0300, {X, X, 8, X, X, X, X}, kNone}},
      {18, {Label(24), 0, 17, 17, Label(26), 0x04AB, {X, X, X, X, X, X, X}, 20}},
      {20, {Label(26), 17, 20, 20, Label(27), 0x02AD, {X, X, 42, X, X, X, X}, kNone}},
      {21, {Label(1), kNone, 22, 22, nom, 0x0281, {0, X, X, 0, 0, 0, 6}, 23}},
      {22, {Label(1), kNone, 21, 21, Label(28), 0x0283, {X, X, 14, 0, 0, 0, 7}, 68}},
      {23, {nom, 21, 27, 24, Label(2), 0x028F, {0, X, 20, X, X, X, 8}, 28}},
      {24, {nom, 21, 23, 25, Label(35), 0x0295, {0, X, 23, X, X, X, 11}, kNone}},
      {26, {nom, 21, 25, 27, Label(3), 0x0093, {0, X, 22, X, X, X, 10}, 35}},
      {27, {nom, 21, 26, 23, Label(5), 0x0097, {0, X, 24, X, X, X, 12}, kNone}},
      {28, {Label(6), 23, 34, 29, Slot(0), 0x1300, {0, X, 31, X, X, X, 13}, kNone}},
      {29, {Label(6), 23, 28, 30, Slot(1), 0x1100, {0, X, 25, X, X, X, 13}, kNone}},
      {34, {Label(6), 23, 33, 28, Slot(6), 0x1100, {0, X, 30, X, X, X, 13}, kNone}},
      {68, {Label(28), 21, 72, 69, Label(29), 0x1085, {X, X, 15, X, X, X, X}, kNone}},
      {69, {Label(28), 21, 68, 70, Label(30), 0x1287, {X, X, 16, X, X, X, X}, kNone}},
      {72, {Label(28), 21, 71, 68, Label(33), 0x108D, {X, X, 19, X, X, X, X}, kNone}},
      // The ECU entries and the tests of the second ECU.
      {35, {Label(6), 23, 37, 36, "ECU 0.0", 0x1300, {0, 0, X, X, 1, X, 14}, 38}},
      {36, {Label(6), 23, 35, 37, "ECU 0.1", 0x1100, {0, 1, X, X, 1, X, 14}, 48}},
      {48, {"ECU 0.1", 35, 57, 49, Slot(7), 0x1300, {0, 1, 32, X, X, X, 15}, kNone}},
      {52, {"ECU 0.1", 35, 51, 53, Slot(11), 0x1100, {0, 1, 36, X, X, X, 15}, kNone}},
      {53, {"ECU 0.1", 35, 52, 54, Slot(12), 0x0100, {0, 1, 37, X, X, X, 15}, kNone}},
      {56, {"ECU 0.1", 35, 55, 57, Slot(15), 0x0100, {0, 1, 40, X, X, X, 15}, kNone}},
      {57, {"ECU 0.1", 35, 56, 48, Label(0), 0x2900, {0, 1, X, X, X, X, X}, kNone}},
  };
  ASSERT_EQ(converter_->EntryCount(), 73);
  for (const auto& c : cases) EXPECT_EQ(At(c.n), c.expected) << "entry " << c.n;
}

TEST_F(MenuTree, CountsRingsAndPositionsFollowTheEcuCount) {
  const struct {
    int ecus, count;
  } cases[] = {{0, 40}, {1, 51}, {3, 73}, {7, 117}, {8, 129}, {255, 2846}};
  for (const auto& c : cases) {
    SCOPED_TRACE("E = " + std::to_string(c.ecus));
    Build(c.ecus);
    ASSERT_EQ(converter_->EntryCount(), c.count);
    ASSERT_EQ(converter_->MenuEntries().size(), c.count * me::kSize);
    for (int n = 0; n < c.count; ++n) {
      ASSERT_EQ(config_test::U16At(converter_->MenuEntries(), n * me::kSize + me::kIndex), n);
    }
    const int ring = c.ecus + (c.ecus >= 8 ? 1 : 0);
    const int trail = c.count - 5;
    EXPECT_EQ(trail, 35 + ring + 10 * c.ecus);
    EXPECT_EQ(At(22).child, trail);
    EXPECT_EQ(At(trail).label, Label(29));
    EXPECT_EQ(At(trail).prev, trail + 4);
    EXPECT_EQ(At(26).child, c.ecus == 0 ? kNone : 35);
    for (int j = 0; j < ring; ++j) {
      const Entry u = At(35 + j);
      EXPECT_EQ(u.parent, 23);
      EXPECT_EQ(u.next, 35 + (j + 1) % ring);
      EXPECT_EQ(u.prev, 35 + (j + ring - 1) % ring);
      if (j == c.ecus) {  // the closing entry
        EXPECT_EQ(
            u, (Entry{Label(6), 23, u.prev, 35, Label(0), 0x2900, {0, X, X, X, X, X, X}, kNone}));
        continue;
      }
      const int tests = 35 + ring + 10 * j;
      EXPECT_EQ(u.child, tests);
      for (int k = 0; k < 10; ++k) {
        const Entry t = At(tests + k);
        EXPECT_EQ(t.parent, 35);
        EXPECT_EQ(t.title, u.label);
        EXPECT_EQ(t.next, tests + (k + 1) % 10);
        EXPECT_EQ(t.bytes58[1], j);
      }
    }
  }
}

TEST_F(MenuTree, TheDecodersWalkFindsTheTestTitles) {
  Build(2);
  const Entry root = At(21);
  const int cfg = root.child;
  std::vector<std::string> wiring;
  for (int n = At(cfg).child, k = 0; k < 7; n = At(n).next, ++k) wiring.push_back(At(n).label);
  EXPECT_EQ(wiring, (std::vector<std::string>{Slot(0), Slot(1), Slot(2), Slot(3), Slot(4), Slot(5),
                                              Slot(6)}));
  int ecus = cfg;
  for (int k = 0; k < 3; ++k) ecus = At(ecus).next;
  EXPECT_EQ(ecus, 26);
  std::vector<std::string> signal;
  for (int n = At(At(ecus).child).child, k = 0; k < 9; n = At(n).next, ++k) {
    signal.push_back(At(n).label);
  }
  EXPECT_EQ(signal.front(), Slot(7));
  EXPECT_EQ(signal.back(), Slot(15));

  // Stepping through the first ring never lands on entry 2, which keeps its own index.
  std::vector<int> steps;
  for (int n = 0, k = 0; k < 6; n = At(n).next, ++k) steps.push_back(n);
  EXPECT_EQ(steps, (std::vector<int>{0, 1, 3, 4, 5, 0}));
  EXPECT_EQ(config_test::U16At(converter_->MenuEntries(), 2 * me::kSize + me::kIndex), 2);
}

TEST_F(MenuTree, OptionByteMarksOneOfTwoEntries) {
  const struct {
    std::uint8_t option;
    std::uint16_t flags8, flags9;
  } cases[] = {
      {0, 0x02A1, 0x00A3}, {1, 0x00A1, 0x02A3}, {2, 0x00A1, 0x00A3}, {255, 0x00A1, 0x00A3}};
  for (const auto& c : cases) {
    Build(1, 1, c.option);
    EXPECT_EQ(At(8).flags, c.flags8) << "option " << int{c.option};
    EXPECT_EQ(At(9).flags, c.flags9) << "option " << int{c.option};
  }
}

TEST_F(MenuTree, SingleEcuRingsToItself) {
  Build(1);
  EXPECT_EQ(At(35).next, 35);
  EXPECT_EQ(At(35).prev, 35);
  EXPECT_EQ(At(35).child, 36);
  EXPECT_EQ(At(46).label, Label(29));  // T0
}

TEST_F(MenuTree, FirstConfigurationWithoutTestTitlesGivesEmptyTitlesAndCodeZero) {
  Build(1, 0);
  for (int n : {28, 34, 36, 44}) {
    EXPECT_EQ(At(n).label, "") << "entry " << n;
    EXPECT_EQ(At(n).bytes58[2], 0) << "entry " << n;
  }
  EXPECT_EQ(At(45).label, Label(0));  // test 9 still carries label 0
}

TEST_F(MenuTree, EntryTextsAreTrimmedCopies) {
  config_test::SourceSpec spec = config_test::SampleSource({config_test::SampleConfig(0, 1, 1, 0)});
  spec.labels[7] = "  Padded  ";
  spec.labels[8] = "Twenty characters!!!";  // fills the field without a NUL
  spec.configs[0].ecus[0].name = "Seventeen chars!!";
  Build(spec);
  auto entries = converter_->MenuEntries();
  EXPECT_EQ(BytesAt(entries, me::kTitle, 20),
            (Bytes{'P', 'a', 'd', 'd', 'e', 'd', 0, 'd', ' ', ' ', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(config_test::TextAt(converter_->MenuLabels(), 7 * 20, 20), "  Padded  ");
  EXPECT_EQ(At(0).label, "Twenty characters!!!");
  EXPECT_EQ(At(35).label, "Seventeen chars!!");
  EXPECT_EQ(At(36).title, "Seventeen chars!!");
}

}  // namespace
