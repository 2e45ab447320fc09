#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "config/menu_cfg_converter.h"
#include "platform/environment.h"
#include "tests/config/source_builder.h"
#include "tests/fakes/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using config::MenuCfgConverter;
using Result = MenuCfgConverter::BuildResult;

const std::string kSource = "TransfertVersTR.zel";
const std::string kImage = "MenuCfg.h86";
const std::string kOldImage = ":00000001FF\r\n";
const std::string kInvalidBox =
    "[Quillink]\nFichier de configuration invalide (TransfertVersTR.zel)\n"
    "Invalid config file (TransfertVersTR.zel)\n\n";
const std::string kMissingBox =
    "[Quillink]\nFichier de configuration absent (TransfertVersTR.zel)\n"
    "Config file not found (TransfertVersTR.zel)\n\n";
const std::string kWriteErrorBox =
    "[Quillink]\nErreur \xE9"
    "criture MenuCfg.h86\nWrite MenuCfg.h86 error\n\n";

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "text after the last CR LF";
  return lines;
}

// Runs BuildMenuCfg in a fresh folder with unattended boxes logged to a file.
class BuildMenuCfg : public testing::Test {
 protected:
  void SetUp() override {
    if (const char* old = std::getenv("HALVEN_UNATTENDED")) previous_ = old;
    log_ = (folder_.path() / "boxes.log").string();
    ASSERT_TRUE(platform::SetEnvironmentValue("HALVEN_UNATTENDED", log_.c_str()));
  }
  void TearDown() override {
    platform::SetEnvironmentValue("HALVEN_UNATTENDED", previous_ ? previous_->c_str() : nullptr);
  }

  Result Run(const std::string& source, bool with_old_image = true) {
    EXPECT_TRUE(config_test::WriteBytes(kSource, source));
    if (with_old_image) {
      EXPECT_TRUE(config_test::WriteBytes(kImage, kOldImage));
    }
    return converter_->BuildMenuCfg();
  }
  std::string Boxes() const { return folder_.Read("boxes.log"); }

  fakes::TempFolder folder_{fakes::TempFolder::kCurrent};
  std::string log_;
  std::optional<std::string> previous_;
  std::unique_ptr<MenuCfgConverter> converter_ = std::make_unique<MenuCfgConverter>();
};

TEST_F(BuildMenuCfg, WritesTheImageInPlaceOfTheOldOneAndLeavesTheSourceAlone) {
  const std::string source = config_test::BuildSource(config_test::SampleSource(
      {config_test::SampleConfig(0, 1, 3, 2), config_test::SampleConfig(1, 0, 2, 1)}));
  EXPECT_EQ(Result::kWritten, Run(source));
  EXPECT_EQ(Boxes(), "");
  EXPECT_EQ(folder_.Read(kSource), source);
  EXPECT_FALSE(fs::exists("MenuCfg.h86.partial"));

  const std::vector<std::string> lines = SplitCrLf(folder_.Read(kImage));
  const std::size_t region1 = converter_->Region1().size();
  ASSERT_EQ(region1, 74u + (114 + 3 * (32 + 2 * 40)) + (114 + 2 * 32));
  const std::size_t region1_lines = (region1 + 15) / 16;
  ASSERT_EQ(converter_->EntryCount(), 73);
  ASSERT_EQ(lines.size(), 1 + region1_lines + 1 + 413 + 1 + (73 * 70 + 15) / 16 + 3);
  EXPECT_EQ(lines[0], ":02000004000EEC");
  EXPECT_EQ(lines[1].substr(0, 9), ":10000000");
  EXPECT_EQ(lines[region1_lines + 1], ":020000040008F2");
  EXPECT_EQ(lines[region1_lines + 2].substr(0, 9), ":10000200");
  EXPECT_EQ(lines[region1_lines + 414].substr(0, 9), ":0819C200");
  EXPECT_EQ(lines[region1_lines + 415], ":0219CA004900D2");
  EXPECT_EQ(lines[region1_lines + 416].substr(0, 9), ":1019CC00");
  EXPECT_EQ(std::vector(lines.end() - 3, lines.end()),
            (std::vector<std::string>{":020000040008F2", ":020000004B00B3", ":00000001FF"}));
}

TEST_F(BuildMenuCfg, SmallRegionOneAndTheLargestMenuAcrossThreePages) {
  // One type-0 configuration with one ECU: region 1 is 220 bytes.
  EXPECT_EQ(Result::kWritten, Run(config_test::BuildSource(config_test::SampleSource(
                                  {config_test::SampleConfig(0, 0, 1, 0)}))));
  std::vector<std::string> lines = SplitCrLf(folder_.Read(kImage));
  ASSERT_GT(lines.size(), 16u);
  EXPECT_EQ(lines[13].substr(0, 9), ":1000C000");
  EXPECT_EQ(lines[14].substr(0, 9), ":0C00D000");
  EXPECT_EQ(lines[15], ":020000040008F2");

  // 255 ECUs: 2846 entries, 199220 bytes from 0x819CC, pages 0x0009 to 0x000B.
  EXPECT_EQ(Result::kWritten, Run(config_test::BuildSource(config_test::SampleSource(
                                  {config_test::SampleConfig(0, 1, 255, 0)}))));
  lines = SplitCrLf(folder_.Read(kImage));
  EXPECT_EQ(converter_->EntryCount(), 2846);
  EXPECT_NE(std::find(lines.begin(), lines.end(), ":0219CA001E0BF2"), lines.end());
  std::vector<std::string> pages;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    if (lines[k].rfind(":020000040009", 0) == 0 || lines[k].rfind(":02000004000a", 0) == 0 ||
        lines[k].rfind(":02000004000b", 0) == 0) {
      pages.push_back(lines[k]);
      EXPECT_EQ(lines[k + 1].substr(3, 4), "0000");
    }
  }
  EXPECT_EQ(pages,
            (std::vector<std::string>{":020000040009F1", ":02000004000aF0", ":02000004000bEF"}));
  EXPECT_EQ(Boxes(), "");
}

TEST_F(BuildMenuCfg, MissingSourceShowsItsBoxAndKeepsTheOldImage) {
  ASSERT_TRUE(config_test::WriteBytes(kImage, kOldImage));
  EXPECT_EQ(converter_->BuildMenuCfg(), Result::kOldImageKept);
  EXPECT_EQ(Boxes(), kMissingBox);
  EXPECT_EQ(folder_.Read(kImage), kOldImage);
}

TEST_F(BuildMenuCfg, NoConfigurationKeepsTheOldImageSilently) {
  config_test::SourceSpec spec = config_test::SampleSource({config_test::SampleConfig(0, 1, 1, 1)});
  spec.count = 0;
  EXPECT_EQ(Run(config_test::BuildSource(spec)), Result::kOldImageKept);
  EXPECT_EQ(Boxes(), "");
  EXPECT_EQ(folder_.Read(kImage), kOldImage);
}

// Three configurations whose region 1 is exactly 65536 bytes: 74 + 3 * 114 + 10 * 32 + 1620 * 40.
config_test::SourceSpec FullRegionSource(int extra_frames) {
  config_test::CfgSpec a = config_test::SampleConfig(0, 1, 7, 255);
  a.ecus[6].frames.resize(90 + extra_frames);
  return config_test::SampleSource(
      {a, config_test::SampleConfig(1, 0, 3, 2), config_test::SampleConfig(2, 0, 0, 0)});
}

TEST_F(BuildMenuCfg, RegionOneOfExactly65536BytesIsWritten) {
  EXPECT_EQ(Result::kWritten, Run(config_test::BuildSource(FullRegionSource(0))));
  EXPECT_EQ(converter_->Region1().size(), 65536u);
  const std::vector<std::string> lines = SplitCrLf(folder_.Read(kImage));
  ASSERT_GT(lines.size(), 4097u);
  EXPECT_EQ(lines[4096].substr(0, 9), ":10FFF000");
  EXPECT_EQ(lines[4097], ":020000040008F2");
}

TEST_F(BuildMenuCfg, SourcesThatBreakTheModelAreRefusedWithoutImage) {
  using config_test::SampleConfig;
  const config_test::SourceSpec base =
      config_test::SampleSource({SampleConfig(0, 1, 2, 3), SampleConfig(1, 0, 2, 1)});
  auto with = [&](auto change) {
    config_test::SourceSpec spec = base;
    spec.outline = config_test::OutlineOf(spec.configs);
    change(spec);
    return config_test::BuildSource(spec);
  };
  const std::string good = config_test::BuildSource(base);
  const struct {
    const char* what;
    std::string source;
  } cases[] = {
      {"K below the outline count", with([](auto& s) { s.count = 1; })},
      {"K above the outline count", with([](auto& s) { s.outline->pop_back(); })},
      {"more ECUs in the outline",
       with([](auto& s) { s.outline->at(0).frame_counts.push_back(0); })},
      {"fewer ECUs in the outline",
       with([](auto& s) { s.outline->at(1).frame_counts.pop_back(); })},
      {"frame count of a type-1 ECU", with([](auto& s) { s.outline->at(0).frame_counts[1] = 2; })},
      {"frame count of a type-0 ECU", with([](auto& s) { s.outline->at(1).frame_counts[0] = 0; })},
      {"type 1 in the outline, 0 in the block", with([](auto& s) { s.outline->at(1).type = 1; })},
      {"type 0 in the outline, 1 in the block", with([](auto& s) { s.outline->at(0).type = 0; })},
      {"type 2 in the outline, 0 in the block", with([](auto& s) { s.outline->at(1).type = 2; })},
      {"more than 100 configurations",
       config_test::BuildSource(config_test::SampleSource(
           std::vector<config_test::CfgSpec>(101, SampleConfig(0, 0, 0, 0))))},
      {"region 1 above 65536 bytes", config_test::BuildSource(FullRegionSource(1))},
      {"tree beyond the arena", with([](auto& s) {
         s.outline = std::vector<config_test::OutlineSpec>(
             255, config_test::OutlineSpec{1, 0, std::vector<std::uint8_t>(255, 255)});
       })},
      {"source cut in the string table", good.substr(0, 2000)},
      {"source cut in the outline", good.substr(0, 4022)},
      {"source cut in the header", good.substr(0, 4100)},
      {"source cut in an ECU block", good.substr(0, 4200)},
      {"source short of its last byte", good.substr(0, good.size() - 1)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(log_);
    EXPECT_EQ(Run(c.source), Result::kNoImage);
    EXPECT_EQ(Boxes(), kInvalidBox);
    EXPECT_FALSE(fs::exists(kImage));
    EXPECT_FALSE(fs::exists("MenuCfg.h86.partial"));
    EXPECT_EQ(folder_.Read(kSource), c.source);
  }
}

TEST_F(BuildMenuCfg, ImageThatCannotBeWrittenLeavesNoImage) {
  // A folder under the image's own name: a temporary of that name would no longer be in the way.
  fs::create_directory("MenuCfg.h86");
  EXPECT_EQ(Run(config_test::BuildSource(
                    config_test::SampleSource({config_test::SampleConfig(0, 1, 1, 1)})),
                /*with_old_image=*/false),
            Result::kNoImage);
  EXPECT_EQ(Boxes(), kWriteErrorBox);
  EXPECT_FALSE(fs::is_regular_file(kImage));
}

}  // namespace
