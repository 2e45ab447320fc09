#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "config/menu_cfg_converter.h"
#include "formats/config_records.h"
#include "tests/config/menu_cfg_test_util.h"
#include "tests/config/source_builder.h"

namespace {

using config::MenuCfgConverter;
using config_test::BytesAt;
using config_test::TextAt;
using config_test::U32At;
namespace hdr = formats::cfg_header;
namespace cfg = formats::cfg_record;
namespace ecu = formats::ecu_record;
namespace frm = formats::frame_record;
using Bytes = std::vector<std::uint8_t>;

TEST(MenuCfgTrimText, TrimsBothEndsAndKeepsTheBytesBehind) {
  struct Case {
    std::string field, expected;
  } cases[] = {
      // Two spaces, four letters, two spaces, NUL: the old bytes stay from the sixth byte on.
      {std::string("  ABCD  \0XYZ", 12), std::string("ABCD\0D  \0XYZ", 12)},
      {std::string("\t\n\v\f\r A\r\n\0..", 12), std::string("A\0\v\f\r A\r\n\0..", 12)},
      {"NoSpacesAtAll", "NoSpacesAtAll"},  // fills the field without a NUL: untouched
      {"Inner space", "Inner space"},
      {std::string("\xA0"
                   "A\xA0",
                   3),
       std::string("\xA0"
                   "A\xA0",
                   3)},  // not white space
      {std::string("      ", 6), std::string("\0     ", 6)},
      {std::string("AB \0  ", 6), std::string("AB\0\0  ", 6)},  // text ends at its NUL
      {std::string("\xFF\xFF\xFF\xFF", 4), std::string("\xFF\xFF\xFF\xFF", 4)},
  };
  for (const Case& c : cases) {
    std::string field = c.field;
    MenuCfgConverter::TrimText(reinterpret_cast<std::uint8_t*>(field.data()), field.size());
    EXPECT_EQ(field, c.expected) << "field \"" << c.field << "\"";
  }
}

class MenuCfgSource : public testing::Test {
 protected:
  MenuCfgConverter::SourceResult Read(const config_test::SourceSpec& spec) {
    return config_test::ReadFromBytes(*converter_, config_test::BuildSource(spec));
  }
  std::span<const std::uint8_t> Region1() const { return converter_->Region1(); }

  std::unique_ptr<MenuCfgConverter> converter_ = std::make_unique<MenuCfgConverter>();
};

TEST_F(MenuCfgSource, StringSlotsGoWhereTheSourceSaysAndUnsuppliedSlotsStayFF) {
  config_test::SourceSpec spec = config_test::SampleSource({config_test::SampleConfig(0, 0, 0, 0)});
  spec.strings[0] = std::string("  ABCD  \0XYZWVUTSRQPON", 22);
  spec.strings[258] = std::string(22, 'Q');
  ASSERT_EQ(Read(spec), MenuCfgConverter::SourceResult::kReady);
  auto table = converter_->StringTable();
  ASSERT_EQ(table.size(), 6600u);
  for (int slot = 0; slot < 300; ++slot) {
    const bool supplied =
        slot <= 55 || (slot >= 100 && slot <= 134) || (slot >= 200 && slot <= 258);
    if (!supplied) {
      EXPECT_EQ(BytesAt(table, slot * 22, 22), Bytes(22, 0xFF)) << "slot " << slot;
    } else if (slot != 0 && slot != 258) {
      EXPECT_EQ(TextAt(table, slot * 22, 22), "Message " + std::to_string(slot));
    }
  }
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(table.data()), 22),
            std::string("ABCD\0D  \0XYZWVUTSRQPON", 22));
  EXPECT_EQ(TextAt(table, 258 * 22, 22), std::string(22, 'Q'));
  // Menu labels are kept as the source gives them.
  EXPECT_EQ(TextAt(converter_->MenuLabels(), 35 * 20, 20), "Label 35");
}

TEST_F(MenuCfgSource, TypeOneConfigurationFillsEveryRecordField) {
  config_test::CfgSpec c = config_test::SampleConfig(0, 1, 3, 0);
  c.nom = "  Name  ";
  c.nom_comp = "\tComplement";
  c.titre_vcc = " 24 V ";
  c.ecus[0].name = "  First ECU ";
  c.ecus[2].name = " Last ECU\t";
  c.ecus[1].frames.resize(2);
  c.ecus[1].frames[0] = {0x18FEF100, "  Engine  ", 0x0A0B, 0x11, 0x12, 0x13, 0x14};
  c.ecus[1].frames[1] = {0x7FF, "Frame two", 0, 0, 0, 0, 0};
  c.levels = {1, 2, 3, 4, 5, 6, 7, 8};
  config_test::SourceSpec spec = config_test::SampleSource({c});
  spec.first_text = "  Site  ";
  spec.nom = " kept ";
  spec.option = 7;
  ASSERT_EQ(Read(spec), MenuCfgConverter::SourceResult::kReady);

  // ECU 0 without frames, ECU 1 with two, ECU 2 without: 74 + 114 + 3 * 32 + 2 * 40.
  auto r1 = Region1();
  ASSERT_EQ(r1.size(), 364u);
  EXPECT_EQ(TextAt(r1, hdr::kFirstText, 20), "Site");
  EXPECT_EQ(TextAt(r1, hdr::kNom, 20), " kept ");
  EXPECT_EQ(TextAt(r1, hdr::kNomCompl, 20), "Full installation");
  EXPECT_EQ(BytesAt(r1, hdr::kPassThrough, 6), (Bytes{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(r1[hdr::kNbrRes], 1);
  EXPECT_EQ(r1[hdr::kZero67], 0);
  EXPECT_EQ(U32At(r1, hdr::kFirstCfg), 74u);
  EXPECT_EQ(r1[hdr::kOption], 7);
  EXPECT_EQ(r1[hdr::kZero73], 0);

  const std::size_t r = 74;
  EXPECT_EQ(TextAt(r1, r + cfg::kCfgNom, 17), "Name");
  EXPECT_EQ(TextAt(r1, r + cfg::kCfgNomComp, 17), "Complement");
  EXPECT_EQ(r1[r + cfg::kCfgType], 1);
  EXPECT_EQ(TextAt(r1, r + cfg::kTitreVcc, 10), "24 V");
  EXPECT_EQ(r1[r + cfg::kCfgNbrEcu], 3);
  EXPECT_EQ(U32At(r1, r + cfg::kFirstEcu), 188u);
  EXPECT_EQ(config_test::U16At(r1, r + cfg::kPassThrough50), 0x5000);
  EXPECT_EQ(BytesAt(r1, r + 52, 4), (Bytes{10, 90, 1, 5}));
  // Source order L1 first; the record pairs L1 and L2.
  EXPECT_EQ(BytesAt(r1, r + 58, 8), (Bytes{1, 5, 2, 6, 3, 7, 4, 8}));
  EXPECT_EQ(BytesAt(r1, r + 82, 6), (Bytes{21, 22, 23, 24, 25, 26}));
  EXPECT_EQ(U32At(r1, r + cfg::kSeuilCoL1L2), 0x01020304u);
  EXPECT_EQ(config_test::U16At(r1, r + cfg::kSeuilBasRL1L2), 50);
  EXPECT_EQ(config_test::U16At(r1, r + cfg::kSeuilHautRL1L2), 130);
  for (auto [offset, count] : {std::pair{56, 2}, {66, 16}, {88, 6}, {102, 4}}) {
    EXPECT_EQ(BytesAt(r1, r + offset, count), Bytes(count, 0xFF)) << "offset " << offset;
  }
  EXPECT_EQ(U32At(r1, r + cfg::kNext), 74u);  // a ring of one
  EXPECT_EQ(U32At(r1, r + cfg::kPrev), 74u);

  const std::size_t u0 = 188, u1 = 220, f0 = 252, f1 = 292, u2 = 332;
  EXPECT_EQ(TextAt(r1, u0 + ecu::kNom, 17), "First ECU");
  EXPECT_EQ(TextAt(r1, u1 + ecu::kNom, 17), "ECU 0.1");
  EXPECT_EQ(TextAt(r1, u2 + ecu::kNom, 17), "Last ECU");
  EXPECT_EQ(r1[u1 + ecu::kNbMsg], 2);
  // An ECU without frames names the record placed after it, or the end of the tree.
  EXPECT_EQ(U32At(r1, u0 + ecu::kFirstFrame), u1);
  EXPECT_EQ(U32At(r1, u1 + ecu::kFirstFrame), f0);
  EXPECT_EQ(U32At(r1, u2 + ecu::kFirstFrame), 364u);
  EXPECT_EQ(BytesAt(r1, u0 + 22, 2), (Bytes{0xFF, 0xFF}));
  for (auto [unit, next, prev] : {std::tuple{u0, u1, u2}, {u1, u2, u0}, {u2, u0, u1}}) {
    EXPECT_EQ(U32At(r1, unit + ecu::kNext), next) << "ECU at " << unit;
    EXPECT_EQ(U32At(r1, unit + ecu::kPrev), prev) << "ECU at " << unit;
  }
  EXPECT_EQ(U32At(r1, f0 + frm::kIdent), 0x18FEF100u);
  EXPECT_EQ(TextAt(r1, f0 + frm::kNom, 20), "Engine");
  EXPECT_EQ(BytesAt(r1, f0 + 24, 8), (Bytes{0x11, 0x12, 0x0B, 0x0A, 0xFF, 0xFF, 0x13, 0x14}));
  EXPECT_EQ(U32At(r1, f0 + frm::kNext), f1);
  EXPECT_EQ(U32At(r1, f0 + frm::kPrev), f1);
  EXPECT_EQ(U32At(r1, f1 + frm::kNext), f0);
  EXPECT_EQ(U32At(r1, f1 + frm::kIdent), 0x7FFu);

  // The test titles and their codes.
  auto block = converter_->LabelBlock(0);
  const std::uint8_t codes[16] = {31, 25, 26, 27, 28, 29, 30, 32, 33, 34, 35, 36, 37, 38, 39, 40};
  for (int s = 0; s < 16; ++s) {
    EXPECT_EQ(TextAt(block, s * 20, 19), "Test " + std::to_string(s));
    EXPECT_EQ(block[s * 20 + 19], codes[s]) << "slot " << s;
  }
  EXPECT_EQ(BytesAt(converter_->LabelBlock(1), 0, 320), Bytes(320, 0));
}

TEST_F(MenuCfgSource, OtherTypesCarryNoFramesNoLabelsAndNoTypeOneFields) {
  // Two configurations: type 0 with frame counts in the source, then type 1.
  config_test::SourceSpec spec = config_test::SampleSource(
      {config_test::SampleConfig(0, 0, 2, 3), config_test::SampleConfig(1, 1, 1, 1)});
  ASSERT_EQ(Read(spec), MenuCfgConverter::SourceResult::kReady);
  auto r1 = Region1();
  // 74 + (114 + 2 * 32) + (114 + 32 + 40).
  ASSERT_EQ(r1.size(), 438u);
  const std::size_t r = 74, u0 = 188, u1 = 220, second = 252;
  EXPECT_EQ(r1[r + cfg::kCfgType], 0);
  EXPECT_EQ(BytesAt(r1, r + cfg::kTitreVcc, 10), Bytes(10, 0xFF));
  EXPECT_EQ(BytesAt(r1, r + 56, 50), Bytes(50, 0xFF));  // every threshold from 56 to 105
  EXPECT_EQ(BytesAt(r1, r + 52, 4), (Bytes{10, 90, 1, 5}));
  EXPECT_EQ(r1[u0 + ecu::kNbMsg], 3);
  EXPECT_EQ(U32At(r1, u0 + ecu::kFirstFrame), formats::kNoLink);
  EXPECT_EQ(U32At(r1, u1 + ecu::kFirstFrame), formats::kNoLink);
  EXPECT_EQ(TextAt(r1, u1 + ecu::kNom, 17), "ECU 0.1");
  EXPECT_EQ(BytesAt(converter_->LabelBlock(0), 0, 320), Bytes(320, 0));

  // The ring of two configurations and the second one's own ECU ring of one.
  EXPECT_EQ(U32At(r1, r + cfg::kNext), second);
  EXPECT_EQ(U32At(r1, r + cfg::kPrev), second);
  EXPECT_EQ(U32At(r1, second + cfg::kNext), r);
  EXPECT_EQ(TextAt(r1, second + cfg::kCfgNom, 17), "Cfg 1");
  const std::size_t u = second + 114, f = u + 32;
  EXPECT_EQ(U32At(r1, u + ecu::kNext), u);
  EXPECT_EQ(U32At(r1, u + ecu::kPrev), u);
  EXPECT_EQ(U32At(r1, u + ecu::kFirstFrame), f);
  EXPECT_EQ(U32At(r1, f + frm::kNext), f);
  EXPECT_EQ(U32At(r1, f + frm::kPrev), f);
  EXPECT_EQ(TextAt(converter_->LabelBlock(1), 15 * 20, 19), "Test 15");
}

TEST_F(MenuCfgSource, ConfigurationWithoutEcusPointsAtWhatFollows) {
  config_test::SourceSpec spec = config_test::SampleSource(
      {config_test::SampleConfig(0, 1, 0, 0), config_test::SampleConfig(1, 0, 0, 0)});
  ASSERT_EQ(Read(spec), MenuCfgConverter::SourceResult::kReady);
  auto r1 = Region1();
  ASSERT_EQ(r1.size(), 74u + 2 * 114);
  EXPECT_EQ(U32At(r1, 74 + cfg::kFirstEcu), 188u);
  EXPECT_EQ(U32At(r1, 188 + cfg::kFirstEcu), 302u);
}

TEST_F(MenuCfgSource, NoConfigurationAndBrokenSourcesAreReported) {
  using Result = MenuCfgConverter::SourceResult;
  const config_test::SourceSpec good = config_test::SampleSource(
      {config_test::SampleConfig(0, 1, 2, 2), config_test::SampleConfig(1, 0, 1, 1)});
  const std::string source = config_test::BuildSource(good);
  ASSERT_EQ(config_test::ReadFromBytes(*converter_, source), Result::kReady);
  // Trailing bytes beyond the contents are not read.
  EXPECT_EQ(config_test::ReadFromBytes(*converter_, source + "more"), Result::kReady);

  config_test::SourceSpec none = good;
  none.count = 0;
  EXPECT_EQ(Read(none), Result::kNoConfiguration);

  // Every cut, from within the string table to the last byte, is refused.
  for (std::size_t cut :
       {std::size_t{0}, std::size_t{1000}, std::size_t{3300}, std::size_t{4020}, std::size_t{4021},
        std::size_t{4030}, std::size_t{4100}, source.size() - 200, source.size() - 1}) {
    EXPECT_EQ(config_test::ReadFromBytes(*converter_, source.substr(0, cut)), Result::kInvalid)
        << "cut at " << cut;
  }
}

}  // namespace
