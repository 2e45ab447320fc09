#include "plan/testerplan_command.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/config_records.h"
#include "plan/builder_verdict.h"
#include "plan/cp1252.h"
#include "platform/read_whole_file.h"
#include "tests/fakes/temp_folder.h"

namespace {

namespace ex = plan::exit_status;

struct Outcome {
  int status;
  std::string out, err;
};

std::string Drain(std::FILE* f) {
  std::string text(static_cast<std::size_t>(std::ftell(f)), '\0');
  std::rewind(f);
  text.resize(std::fread(text.data(), 1, text.size(), f));
  std::fclose(f);
  return text;
}

Outcome Testerplan(std::vector<std::string> args) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int status = plan::RunTesterPlan(args, out, err);
  return {status, Drain(out), Drain(err)};
}

class TesterplanCommand : public testing::Test {
 protected:
  void SetUp() override {
    sample_ = platform::ReadWholeFile(TEST_SOURCE_DIR "/samples/TransfertVersTR.toml").value();
    folder_.Write("plan.toml", sample_);
  }
  std::string Changed(const std::string& from, const std::string& to) {
    std::string text = sample_;
    text.replace(text.find(from), from.size(), to);
    return text;
  }
  fakes::TempFolder folder_;
  std::string sample_;
};

TEST_F(TesterplanCommand, StatusesAndOutputsThatAreWholeOrNotThere) {
  const std::string out = folder_.File("out.zel");
  EXPECT_EQ(Testerplan({"compile", folder_.File("plan.toml"), "-o", out}).status, ex::kOk);
  const std::string compiled = folder_.Read("out.zel");
  EXPECT_EQ(compiled, platform::ReadWholeFile(TEST_SOURCE_DIR "/samples/TransfertVersTR.zel"));

  // A plan with errors writes nothing: the old output stays, no temporary is left beside it.
  folder_.Write("bad.toml", Changed("bus_load_min = 5", "bus_load_min = 500"));
  const Outcome bad = Testerplan({"compile", folder_.File("bad.toml"), "-o", out});
  EXPECT_EQ(bad.status, ex::kFindings);
  EXPECT_NE(bad.err.find("bad.toml:"), std::string::npos);
  EXPECT_NE(bad.err.find("^"), std::string::npos);
  EXPECT_EQ(folder_.Read("out.zel"), compiled);
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
    ++files;
  }
  EXPECT_EQ(files, 3u);

  struct Case {
    std::vector<std::string> args;
    int status;
  } cases[] = {
      {{"check", folder_.File("plan.toml")}, ex::kOk},
      {{"check", out}, ex::kOk},
      {{"check", folder_.File("bad.toml")}, ex::kFindings},
      {{"check", folder_.File("absent.toml")}, ex::kUnreadable},
      {{"check", folder_.path().string()}, ex::kUnreadable},
      {{"decompile", folder_.File("plan.toml"), "-o", "-"}, ex::kFindings},  // not a source
      {{"compile", folder_.File("plan.toml"), "-o", folder_.File("no/such/folder.zel")},
       ex::kCannotWrite},
      {{}, ex::kUsage},
      {{"frobnicate"}, ex::kUsage},
      {{"compile", folder_.File("plan.toml")}, ex::kUsage},
      {{"show", folder_.File("plan.toml"), "--language", "it"}, ex::kUsage},
      {{"diff", folder_.File("plan.toml")}, ex::kUsage},
      {{"diff", folder_.File("plan.toml"), folder_.File("bad.toml")}, ex::kDiffInvalid},
      {{"--help"}, ex::kOk},
      {{"diff", "--help"}, ex::kOk},
  };
  for (const Case& c : cases) {
    std::string line;
    for (const std::string& a : c.args) line += a + " ";
    EXPECT_EQ(Testerplan(c.args).status, c.status) << line;
  }
}

TEST_F(TesterplanCommand, DiffNamesChangesByConfigurationEcuAndFrame) {
  folder_.Write("new.toml",
                Changed("name = \"COMBINE\"", "name = \"COMBINE_AV\"")
                    .replace(sample_.find("identifier = 0x1F5"), 18, "identifier = 0x1F6"));
  folder_.Write("moved.toml", Changed("bus_load_max = 60", "bus_load_max = 70"));
  Testerplan({"compile", folder_.File("plan.toml"), "-o", folder_.File("plan.zel")});

  EXPECT_EQ(Testerplan({"diff", folder_.File("plan.toml"), folder_.File("plan.zel")}).out, "");
  EXPECT_EQ(Testerplan({"diff", folder_.File("plan.toml"), folder_.File("plan.zel")}).status,
            ex::kOk);
  const Outcome renamed = Testerplan({"diff", folder_.File("plan.zel"), folder_.File("new.toml")});
  EXPECT_EQ(renamed.status, ex::kFindings);
  EXPECT_EQ(renamed.out,
            "configuration[LIGNE4_BUS_A].ecu[ABS_ESP].frame[ESP_LACET].identifier: 0x1F5 -> 0x1F6\n"
            "configuration[LIGNE4_BUS_A].ecu[COMBINE].name: \"COMBINE\" -> \"COMBINE_AV\"\n");
  EXPECT_EQ(Testerplan({"diff", folder_.File("plan.toml"), folder_.File("moved.toml")}).out,
            "configuration[LIGNE4_BUS_A].bus_load_max: 60 -> 70\n");

  // ECUs reordered, one removed, one added.
  std::string text = sample_;
  const std::size_t abs = text.find("[[configuration.ecu]]\nname = \"ABS_ESP\"");
  const std::size_t combine = text.find("[[configuration.ecu]]\nname = \"COMBINE\"");
  const std::string abs_block = text.substr(abs, combine - abs);
  text.erase(abs, combine - abs);
  text += "\n" + abs_block;
  text.replace(text.find("name = \"BOITIER_HABIT\""), 22, "name = \"CLIM\"");
  folder_.Write("order.toml", text);
  const Outcome order = Testerplan({"diff", folder_.File("plan.toml"), folder_.File("order.toml")});
  EXPECT_NE(order.out.find("configuration[LIGNE4_BUS_A].ecu[BOITIER_HABIT].name: "
                           "\"BOITIER_HABIT\" -> \"CLIM\""),
            std::string::npos)
      << order.out;
  EXPECT_NE(order.out.find("ecu order: ecu[CALC_MOTEUR], ecu[ABS_ESP], ecu[COMBINE], "
                           "ecu[BOITIER_HABIT] -> ecu[CALC_MOTEUR], ecu[COMBINE], "
                           "ecu[BOITIER_HABIT], ecu[ABS_ESP]"),
            std::string::npos)
      << order.out;
}

// Every entry of the builder's menu table appears in `show`, with its number and label, and
// the listing's words follow --language.
TEST_F(TesterplanCommand, ShowListsTheBuildersMenuTree) {
  const std::string source =
      platform::ReadWholeFile(TEST_SOURCE_DIR "/samples/TransfertVersTR.zel").value();
  const std::vector<std::uint8_t> entries = plan::BuilderMenuEntries(source);
  const std::size_t count = entries.size() / formats::menu_entry::kSize;
  ASSERT_EQ(count, 40u + 4 + 40);
  const Outcome shown = Testerplan({"show", folder_.File("plan.toml")});
  ASSERT_EQ(shown.status, ex::kOk);
  std::size_t at = shown.out.find("Tester menu");
  ASSERT_NE(at, std::string::npos);
  std::size_t listed = 0;
  for (std::size_t n = 0; n < count; ++n) {
    const std::string label = plan::DisplayText(
        {entries.data() + n * formats::menu_entry::kSize + formats::menu_entry::kLabel, 20});
    char line[64];
    std::snprintf(line, sizeof line, "%4zu  ", n);
    listed += shown.out.find(line + label + "\n", at) != std::string::npos;
  }
  EXPECT_EQ(listed, count);
  EXPECT_NE(shown.out.find("  ECU ABS_ESP: 2 frames\n    0x0F1  ABS_VITESSE_ROUES\n"),
            std::string::npos);
  const Outcome german = Testerplan({"show", folder_.File("plan.toml"), "--language", "de"});
  EXPECT_NE(german.out.find("Menü des Prüfgeräts"), std::string::npos);
}

}  // namespace
