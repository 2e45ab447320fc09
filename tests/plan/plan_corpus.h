// Sources for the plan tests: the committed sample, the sources the configuration tests build,
// and seeded random valid sources (texts with bytes behind their NUL, undefined code page 1252
// bytes, skipped bytes and trailing bytes included, so that every kind of field is exercised).
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "plan/plan_limits.h"
#include "plan/plan_model.h"
#include "plan/source_layout.h"
#include "tests/config/source_builder.h"

namespace plan_test {

struct NamedSource {
  std::string name;
  std::string bytes;
};

// The sources of tests/config (tests/config/source_builder.h), the fixtures that matter.
inline std::vector<NamedSource> ConfigTestSources() {
  using config_test::BuildSource;
  using config_test::SampleConfig;
  using config_test::SampleSource;
  std::vector<NamedSource> out = {
      {"type 0, one ECU", BuildSource(SampleSource({SampleConfig(0, 0, 1, 0)}))},
      {"no ECU", BuildSource(SampleSource({SampleConfig(0, 1, 0, 0)}))},
      {"types 1 and 0",
       BuildSource(SampleSource({SampleConfig(0, 1, 3, 2), SampleConfig(1, 0, 2, 4)}))},
      {"eight ECUs", BuildSource(SampleSource({SampleConfig(0, 1, 8, 1)}))},
      {"255 ECUs", BuildSource(SampleSource({SampleConfig(0, 1, 255, 0)}))},
      {"largest", BuildSource(config_test::LargestSource())},
  };
  config_test::CfgSpec c = SampleConfig(0, 1, 3, 1);
  c.nom = "  Name  ";
  c.titre_vcc = " 24 V ";
  c.ecus[0].name = "  First ECU ";
  c.ecus[1].frames[0] = {0x18FEF100, "  Engine  ", 0x0A0B, 0x11, 0x12, 0x13, 0x14};
  config_test::SourceSpec spec = SampleSource({c});
  spec.strings[0] = std::string("  ABCD  \0XYZWVUTSRQPON", 22);  // bytes behind the NUL
  spec.strings[258] = std::string(22, 'Q');                      // no NUL at all
  spec.option = 7;
  out.push_back({"untrimmed texts", BuildSource(spec)});
  out.push_back({"trailing bytes", BuildSource(spec) + "\x01\x02\xFF"});
  return out;
}

template <std::size_t N>
void RandomText(std::mt19937& rng, plan::Field<N>& field) {
  field.fill(0);
  const unsigned kind = rng() % 8;
  const std::size_t length = rng() % (N + 1);
  for (std::size_t k = 0; k < length; ++k) {
    if (kind == 0) {
      field[k] = static_cast<std::uint8_t>(rng());  // anything, NULs and 0x81 included
    } else if (kind == 1) {
      field[k] = static_cast<std::uint8_t>(0x80 + rng() % 128);
    } else {
      field[k] = static_cast<std::uint8_t>(0x20 + rng() % 95);
    }
  }
}

template <std::size_t N>
void RandomBytes(std::mt19937& rng, plan::Field<N>& field) {
  for (auto& b : field) b = rng() % 3 == 0 ? static_cast<std::uint8_t>(rng()) : 0;
}

// A random plan the builder accepts: its tree within 65536 bytes, 1 to 100 configurations.
inline plan::Plan RandomPlan(std::uint32_t seed) {
  std::mt19937 rng(seed);
  plan::Plan p;
  for (auto& m : p.messages) RandomText(rng, m);
  for (auto& l : p.menu_labels) RandomText(rng, l);
  RandomText(rng, p.first_text);
  RandomText(rng, p.name);
  RandomText(rng, p.full_name);
  RandomBytes(rng, p.header_passed);
  p.option = static_cast<std::uint8_t>(rng() % 4);
  const std::size_t configurations = 1 + rng() % (seed % 5 == 0 ? 100 : 4);
  for (std::size_t i = 0; i < configurations; ++i) {
    plan::Configuration c;
    c.type = rng() % 3 == 0 ? static_cast<std::uint8_t>(rng() % 4) : 1;
    RandomBytes(rng, c.outline_unused);
    RandomText(rng, c.name);
    RandomText(rng, c.complement);
    RandomBytes(rng, c.skipped_after_type);
    RandomBytes(rng, c.passed_50);
    c.bus_load_min = static_cast<std::uint8_t>(rng());
    c.bus_load_max = static_cast<std::uint8_t>(rng());
    c.error_rate_min = static_cast<std::uint8_t>(rng());
    c.error_rate_max = static_cast<std::uint8_t>(rng());
    const std::size_t ecus = rng() % (configurations > 10 ? 3 : 12);
    for (std::size_t j = 0; j < ecus; ++j) {
      plan::Ecu u;
      RandomText(rng, u.name);
      RandomBytes(rng, u.skipped);
      const std::size_t frames = rng() % (configurations > 10 ? 3 : 9);
      for (std::size_t k = 0; k < frames; ++k) {
        plan::Frame f;
        RandomBytes(rng, f.skipped);
        if (c.type == 1) {
          RandomBytes(rng, f.passed);
          f.identifier = rng();
          RandomText(rng, f.name);
        }
        u.frames.push_back(f);
      }
      c.ecus.push_back(u);
    }
    RandomBytes(rng, c.skipped_after_ecus);
    if (c.type == 1) {
      for (auto& s : c.short_circuit) s = static_cast<std::uint8_t>(rng());
      c.open_circuit = rng();
      c.loop_low = static_cast<std::uint16_t>(rng());
      c.loop_high = static_cast<std::uint16_t>(rng());
      RandomBytes(rng, c.skipped_before_titles);
      for (auto& t : c.wiring_titles) RandomText(rng, t);
      for (auto& l : c.levels) l = static_cast<std::uint8_t>(rng());
      RandomText(rng, c.vcc_title);
      RandomBytes(rng, c.skipped_after_vcc);
      for (auto& t : c.signal_titles) RandomText(rng, t);
    }
    p.configurations.push_back(c);
    if (plan::TreeSize(p) > plan::kMaxTreeSize) {
      p.configurations.pop_back();
      break;
    }
  }
  if (rng() % 4 == 0) p.trailing.resize(rng() % 40, static_cast<std::uint8_t>(rng()));
  return p;
}

}  // namespace plan_test
