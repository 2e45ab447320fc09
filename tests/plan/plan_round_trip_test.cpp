#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "config/menu_cfg_converter.h"
#include "plan/builder_verdict.h"
#include "plan/plan_text_reader.h"
#include "plan/plan_text_writer.h"
#include "plan/source_decoder.h"
#include "platform/read_whole_file.h"
#include "tests/config/menu_cfg_test_util.h"
#include "tests/plan/plan_corpus.h"

namespace {

std::span<const std::uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// Source -> plan -> text -> plan -> source, and the text is its own canonical form.
void ExpectLossless(const std::string& name, const std::string& source) {
  SCOPED_TRACE(name);
  ASSERT_TRUE(plan::BuilderAccepts(source));
  plan::Plan decoded;
  plan::DecodeError error;
  ASSERT_TRUE(plan::DecodeSource(Bytes(source), &decoded, &error)) << error.message;
  EXPECT_EQ(plan::EncodeSource(decoded), source);
  const std::string text = plan::WritePlanText(decoded);
  plan::Plan read;
  std::vector<plan::Diagnostic> diagnostics;
  ASSERT_TRUE(plan::ReadPlanText(text, &read, &diagnostics))
      << (diagnostics.empty() ? "" : diagnostics[0].message);
  EXPECT_EQ(plan::EncodeSource(read), source);
  EXPECT_EQ(plan::WritePlanText(read), text);
}

TEST(PlanRoundTrip, FixturesAndConfigTestSourcesLoseNothing) {
  const auto sample = platform::ReadWholeFile(TEST_SOURCE_DIR "/samples/TransfertVersTR.zel");
  ASSERT_TRUE(sample);
  ExpectLossless("sample", *sample);
  for (const plan_test::NamedSource& s : plan_test::ConfigTestSources()) {
    ExpectLossless(s.name, s.bytes);
  }
}

TEST(PlanRoundTrip, SeededRandomSourcesLoseNothing) {
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    ExpectLossless("seed " + std::to_string(seed), plan::EncodeSource(plan_test::RandomPlan(seed)));
  }
}

// The commented sample compiles to the committed source, and its canonical form is what
// decompiling that source gives; the image Quillink builds from either is the same.
TEST(PlanRoundTrip, SamplePlanCompilesToTheSampleSourceAndItsImage) {
  const auto text = platform::ReadWholeFile(TEST_SOURCE_DIR "/samples/TransfertVersTR.toml");
  const auto source = platform::ReadWholeFile(TEST_SOURCE_DIR "/samples/TransfertVersTR.zel");
  ASSERT_TRUE(text && source);
  plan::Plan p;
  std::vector<plan::Diagnostic> diagnostics;
  ASSERT_TRUE(plan::ReadPlanText(*text, &p, &diagnostics));
  EXPECT_TRUE(diagnostics.empty());
  const std::string compiled = plan::EncodeSource(p);
  EXPECT_EQ(compiled, *source);

  plan::Plan decoded;
  plan::DecodeError error;
  ASSERT_TRUE(plan::DecodeSource(Bytes(*source), &decoded, &error));
  EXPECT_EQ(plan::WritePlanText(decoded), plan::WritePlanText(p));

  auto image_of = [](const std::string& bytes) {
    auto converter = std::make_unique<config::MenuCfgConverter>();
    EXPECT_EQ(config_test::ReadFromBytes(*converter, bytes),
              config::MenuCfgConverter::SourceResult::kReady);
    converter->BuildMenuTree();
    const std::string out = converter->ImageText();
    return out;
  };
  EXPECT_EQ(image_of(compiled), image_of(*source));
}

// Every byte of the source belongs to exactly one listed field, in order.
TEST(PlanRoundTrip, FieldMapCoversTheSourceAndNamesItsParts) {
  const plan::Plan p = plan_test::RandomPlan(7);
  const auto fields = plan::SourceFields(p);
  std::size_t offset = 0;
  for (const plan::SourceField& f : fields) {
    ASSERT_EQ(f.offset, offset) << f.path;
    offset += f.length;
  }
  EXPECT_EQ(offset, plan::EncodeSource(p).size());

  const auto sample = platform::ReadWholeFile(TEST_SOURCE_DIR "/samples/TransfertVersTR.zel");
  plan::Plan decoded;
  plan::DecodeError error;
  ASSERT_TRUE(sample && plan::DecodeSource(Bytes(*sample), &decoded, &error));
  const auto sample_fields = plan::SourceFields(decoded);
  const std::string ident = "configuration[LIGNE4_BUS_A].ecu[ABS_ESP].frame[ESP_LACET].identifier";
  auto it = std::find_if(sample_fields.begin(), sample_fields.end(),
                         [&](const plan::SourceField& f) { return f.path == ident; });
  ASSERT_NE(it, sample_fields.end());
  EXPECT_EQ(it->length, 4u);
  EXPECT_EQ(plan::FieldAt(sample_fields, it->offset + 3), &*it);
  EXPECT_EQ(plan::FieldAt(sample_fields, sample->size()), nullptr);
}

}  // namespace
