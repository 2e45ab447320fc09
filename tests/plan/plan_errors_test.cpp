#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "plan/builder_verdict.h"
#include "plan/plan_text_reader.h"
#include "plan/source_decoder.h"
#include "plan/source_layout.h"
#include "platform/read_whole_file.h"

namespace {

std::span<const std::uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::string SamplePlan() {
  return platform::ReadWholeFile(TEST_SOURCE_DIR "/samples/TransfertVersTR.toml").value_or("");
}

std::size_t LineAt(const std::string& text, std::size_t offset) {
  return 1 + static_cast<std::size_t>(
                 std::count(text.begin(), text.begin() + std::ptrdiff_t(offset), '\n'));
}

// One value of the sample plan changed at a time: the finding must name the changed line.
TEST(PlanErrors, EachMutationIsReportedAtItsLine) {
  const std::string sample = SamplePlan();
  ASSERT_FALSE(sample.empty());
  struct Case {
    const char* from;
    const char* to;
    const char* message;
  } cases[] = {
      {"bus_load_min = 5", "bus_load_min = 256",
       "256 is out of range; expected an integer from 0 to 255"},
      {"type = 1", "type = \"one\"", "`type` is a string; expected an integer from 0 to 255"},
      {"option = 0", "option = 0.5", "is a decimal number; expected an integer"},
      {"short_circuit_l1_vcc_ohm = 50", "short_circuit_l1_vcc_ohm = 50.0", "decimal number"},
      {"identifier = 0x0C9", "identifier = -1", "expected an integer from 0 to 4294967295"},
      {"identifier = 0x1A0", "identifier = 0x100000000", "is out of range"},
      {"r_level_l1_min_volt = 2.0", "r_level_l1_min_volt = 25.6",
       "out of range; expected volt from 0.0 to 25.5 in steps of 0.1"},
      {"loop_resistance_min_ohm = 54.0", "loop_resistance_min_ohm = 54.05",
       "is not a multiple of 0.1; expected ohm from 0.0 to 6553.5"},
      {"name = \"CALC_MOTEUR\"", "name = \"CALC_MOTEUR_ARRIERE\"",
       "takes 19 bytes; the field holds at most 17"},
      {"vcc_title = \"VCC 12V\"", "vcc_title = \"VCC 12 Volt DC\"", "at most 10"},
      {"\"Test faisceau\",", "\"Test faisceau tres complet\",",
       "takes 26 bytes; the field holds at most 22"},
      {"name = \"MOT_REGIME\"", "name = 12", "is an integer; expected a text"},
      {"complement = \"Chassis 500k\"", "complement = \"Chassis\\u0000\"", "cannot hold a NUL"},
      {"\"CC L1-VCC\",", "\"CC L1-VCC \xE2\x9C\x93\",", "U+2713 has no code page 1252 form"},
      {"\"Quitter\",", "\"Quitter\", \"Encore\",", "37 texts; the source holds exactly 36"},
      {"\"Debit\",  # bit rate", "{ hex = \"4142\" },  # bit rate",
       "4 digits; expected 38 hexadecimal digits"},
      {"passed_through = \"8813\"", "passed_through = \"88\"",
       "2 digits; expected 4 hexadecimal digits"},
      {"passed_through = \"000000000000\"", "passed_through = \"00000000000G\"",
       "'G' is not a hexadecimal digit"},
      {"error_rate_max = 2", "error_rate_maxi = 2",
       "unknown key `error_rate_maxi` in [[configuration]]"},
      {"name = \"MOT_COUPLE\", passed_through = \"640008000100\"",
       "name = \"MOT_COUPLE\", passed_through = \"640008000100\", colour = \"red\"",
       "unknown key `colour` in a frame"},
      {"name = \"COMBINE\"", "name = \"ABS_ESP\"", "a second ECU named \"ABS_ESP\""},
      {"name = \"MOT_COUPLE\"", "name = \"MOT_REGIME\"", "a second frame named \"MOT_REGIME\""},
      {"bus_load_max = 60", "bus_load_max = = 60", ""},  // a syntax error: toml++'s own words
  };
  std::size_t at_line = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.to);
    const std::size_t where = sample.find(c.from);
    ASSERT_NE(where, std::string::npos);
    ASSERT_EQ(sample.find(c.from, where + 1), std::string::npos) << "not unique";
    std::string text = sample;
    text.replace(where, std::strlen(c.from), c.to);
    plan::Plan p;
    std::vector<plan::Diagnostic> found;
    plan::ReadPlanText(text, &p, &found);
    const std::size_t line = LineAt(text, where);
    bool hit = false;
    for (const plan::Diagnostic& d : found) {
      hit = hit || (d.line == line && d.message.find(c.message) != std::string::npos);
    }
    EXPECT_TRUE(hit) << (found.empty()
                             ? "nothing found"
                             : found[0].message + " at line " + std::to_string(found[0].line) +
                                   ", expected " + std::to_string(line));
    at_line += hit;
  }
  std::printf("[ mutations ] %zu of %zu reported at the mutated line\n", at_line, std::size(cases));
}

// A limit that no single value breaks: the part that crosses it is named.
TEST(PlanErrors, TreeTooLargeIsReportedAtTheFrameThatCrossesIt) {
  std::string text = SamplePlan();
  const std::string frame =
      "  { identifier = 0x4A2, name = \"BSI_ECLAIRAGE\", passed_through = \"640008000100\" },\n";
  const std::size_t where = text.find(frame);
  ASSERT_NE(where, std::string::npos);
  std::string many;
  for (int k = 0; k < 255 - 2; ++k) many += frame;  // this ECU gets 255 frames
  text.insert(where + frame.size(), many);
  const std::string ecu = text.substr(text.find("[[configuration.ecu]]\nname = \"BOITIER_HABIT\""));
  for (int k = 0; k < 6; ++k) text += "\n" + ecu;  // 7 ECUs of 255 frames: past 65536 bytes
  plan::Plan p;
  std::vector<plan::Diagnostic> found;
  EXPECT_FALSE(plan::ReadPlanText(text, &p, &found));
  std::vector<plan::Diagnostic> errors;
  for (const plan::Diagnostic& d : found) {
    if (!d.warning) errors.push_back(d);  // the copies' names are warnings
  }
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].message.find("past 65536 bytes"), std::string::npos);
  // 74 + 114 + 3 * 32 + 6 * 40 = 524 bytes, then 32 + 255 * 40 an ECU: 61916 before the 7th ECU,
  // whose frame 89 (from 0) ends at 65548, the first past the limit, 90 lines below `frames = [`.
  std::size_t frames_line = 0, line = 1;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text.compare(at, 10, "frames = [") == 0 && (at == 0 || text[at - 1] == '\n')) {
      frames_line = line;
    }
    if (text[at] == '\n') ++line;
  }
  EXPECT_EQ(errors[0].line, frames_line + 90);
}

TEST(PlanErrors, HostileTextIsAClearErrorNeverACrash) {
  struct Case {
    std::string name, text;
  } cases[] = {
      {"megabytes in one text", "[installation]\nname = \"" + std::string(8 << 20, 'x') + "\"\n"},
      {"megabytes of comments", std::string(4 << 20, '#') + "\n"},
      {"deep nesting", "a = " + std::string(100000, '[') + std::string(100000, ']') + "\n"},
      {"deep tables", "a = " + std::string(10000, '{') + "\n"},
      {"invalid UTF-8", "[installation]\nname = \"\xC3\x28\"\n"},
      {"a NUL", std::string("x = 1\0", 6)},
      {"empty", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    plan::Plan p;
    std::vector<plan::Diagnostic> found;
    EXPECT_FALSE(plan::ReadPlanText(c.text, &p, &found));
    ASSERT_FALSE(found.empty());
    EXPECT_FALSE(found[0].message.empty());
  }
}

// Cut, padded, flipped and random sources: this program and Quillink's builder agree on every
// one, and what is accepted decompiles and compiles back unchanged.
TEST(PlanErrors, BadSourcesAreRefusedAsTheBuilderRefusesThem) {
  const std::string sample =
      platform::ReadWholeFile(TEST_SOURCE_DIR "/samples/TransfertVersTR.zel").value_or("");
  ASSERT_FALSE(sample.empty());
  std::vector<std::string> inputs;
  for (std::size_t cut = 0; cut < sample.size(); cut += 7) inputs.push_back(sample.substr(0, cut));
  inputs.push_back(sample.substr(0, sample.size() - 1));
  inputs.push_back(sample + std::string(70000, '\xFF'));
  std::mt19937 rng(21);
  for (int k = 0; k < 400; ++k) {
    std::string flipped = sample;
    flipped[rng() % flipped.size()] = static_cast<char>(rng());
    inputs.push_back(flipped);
  }
  for (int k = 0; k < 50; ++k) {
    std::string random(rng() % 6000, '\0');
    for (char& c : random) c = static_cast<char>(rng());
    inputs.push_back(random);
  }
  for (const std::string& input : inputs) {
    plan::Plan p;
    plan::DecodeError error;
    const bool decoded = plan::DecodeSource(Bytes(input), &p, &error);
    ASSERT_EQ(decoded, plan::BuilderAccepts(input)) << input.size() << ": " << error.message;
    if (decoded) {
      EXPECT_EQ(plan::EncodeSource(p), input);
    } else {
      EXPECT_FALSE(error.message.empty());
      EXPECT_LE(error.offset, input.size());
    }
  }
}

}  // namespace
