// Builds configuration sources ("TransfertVersTR.zel") in code, for tests of the converter and
// for end-to-end tests that send a configuration. Describe the source with a SourceSpec, then
// BuildSource gives its bytes. Skipped bytes of the source are filled with kSkipFill, so that a
// reader that stores them instead of skipping shows up.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/fakes/file_bytes.h"

namespace config_test {

inline constexpr char kSkipFill = '\xEE';

struct FrameSpec {
  std::uint32_t ident = 0;
  std::string name;  // 20 bytes
  std::uint16_t pass26 = 0;
  std::uint8_t pass24 = 0, pass25 = 0, pass30 = 0, pass31 = 0;
};

struct EcuSpec {
  std::string name;  // 17 bytes
  std::vector<FrameSpec> frames;
};

struct CfgSpec {
  std::string nom, nom_comp;  // 17 bytes each
  std::uint8_t type = 1;
  std::uint16_t pass50 = 0;
  // SeuilMin_Taux_Charge, SeuilMax_Taux_Charge, SeuilMin_Taux_Err, SeuilMax_Taux_Err.
  std::array<std::uint8_t, 4> load_and_error = {};
  std::vector<EcuSpec> ecus;
  // Type 1 only.
  std::array<std::uint8_t, 6> short_circuit = {};  // L1/VCC, L2/VCC, L1/GND, L2/GND, L1/SH, L2/SH
  std::uint32_t open_circuit = 0;
  std::uint16_t loop_low = 0, loop_high = 0;
  // In source order: min R L1, max R L1, min D L1, max D L1, min R L2, max R L2, min D L2, max D
  // L2.
  std::array<std::uint8_t, 8> levels = {};
  std::string titre_vcc;               // 10 bytes
  std::array<std::string, 16> labels;  // test titles by slot, 19 bytes each
};

struct OutlineSpec {
  std::uint8_t type = 1;
  std::uint16_t unused = 0;
  std::vector<std::uint8_t> frame_counts;  // one per ECU
};

struct SourceSpec {
  // Texts by string-table slot (200-258, 0-55 and 100-134 are in the source); others are empty.
  std::map<int, std::string> strings;
  std::array<std::string, 36> labels;      // menu labels, 20 bytes each
  std::string first_text, nom, nom_compl;  // header texts, 20 bytes each
  std::array<std::uint8_t, 6> header_pass = {};
  std::uint8_t option = 2;
  std::vector<CfgSpec> configs;
  std::optional<std::vector<OutlineSpec>> outline;  // default: what the configurations need
  std::optional<std::uint8_t> count;                // K; default: the number of configurations
};

// A text field of `width` bytes: the text (cut to the width), then NULs.
inline void PutText(std::string& out, const std::string& text, std::size_t width) {
  std::string field = text.substr(0, width);
  field.resize(width, '\0');
  out += field;
}
inline void PutU8(std::string& out, std::uint8_t v) { out += static_cast<char>(v); }
inline void PutU16(std::string& out, std::uint16_t v) {
  PutU8(out, static_cast<std::uint8_t>(v));
  PutU8(out, static_cast<std::uint8_t>(v >> 8));
}
inline void PutU32(std::string& out, std::uint32_t v) {
  PutU16(out, static_cast<std::uint16_t>(v));
  PutU16(out, static_cast<std::uint16_t>(v >> 16));
}
inline void PutSkip(std::string& out, std::size_t count) { out.append(count, kSkipFill); }

// The outline that matches the configurations.
inline std::vector<OutlineSpec> OutlineOf(const std::vector<CfgSpec>& configs) {
  std::vector<OutlineSpec> outline;
  for (const CfgSpec& c : configs) {
    OutlineSpec o;
    o.type = c.type;
    for (const EcuSpec& e : c.ecus)
      o.frame_counts.push_back(static_cast<std::uint8_t>(e.frames.size()));
    outline.push_back(o);
  }
  return outline;
}

inline std::string BuildSource(const SourceSpec& spec) {
  std::string out;
  auto slot_text = [&](int slot) {
    auto it = spec.strings.find(slot);
    return it == spec.strings.end() ? std::string() : it->second;
  };
  for (int slot = 200; slot <= 258; ++slot) PutText(out, slot_text(slot), 22);
  for (int slot = 0; slot <= 55; ++slot) PutText(out, slot_text(slot), 22);
  for (int slot = 100; slot <= 134; ++slot) PutText(out, slot_text(slot), 22);
  for (const std::string& label : spec.labels) PutText(out, label, 20);

  const std::vector<OutlineSpec> outline = spec.outline ? *spec.outline : OutlineOf(spec.configs);
  PutU8(out, static_cast<std::uint8_t>(outline.size()));
  for (const OutlineSpec& o : outline) {
    PutU8(out, o.type);
    PutU8(out, static_cast<std::uint8_t>(o.frame_counts.size()));
    PutU16(out, o.unused);
    for (std::uint8_t m : o.frame_counts) PutU8(out, m);
  }

  PutText(out, spec.first_text, 20);
  PutText(out, spec.nom, 20);
  PutText(out, spec.nom_compl, 20);
  for (std::uint8_t b : spec.header_pass) PutU8(out, b);
  PutU8(out, spec.option);
  PutU8(out, spec.count ? *spec.count : static_cast<std::uint8_t>(spec.configs.size()));

  for (const CfgSpec& c : spec.configs) {
    const bool type1 = c.type == 1;
    PutText(out, c.nom, 17);
    PutText(out, c.nom_comp, 17);
    PutU8(out, c.type);
    if (type1) PutSkip(out, 9);
    PutU16(out, c.pass50);
    for (std::uint8_t b : c.load_and_error) PutU8(out, b);
    PutU8(out, static_cast<std::uint8_t>(c.ecus.size()));
    for (const EcuSpec& e : c.ecus) {
      PutText(out, e.name, 17);
      PutSkip(out, 4);
      PutU8(out, static_cast<std::uint8_t>(e.frames.size()));
      for (const FrameSpec& f : e.frames) {
        PutSkip(out, 4);
        if (!type1) continue;
        PutU16(out, f.pass26);
        PutU32(out, f.ident);
        PutText(out, f.name, 20);
        PutU8(out, f.pass24);
        PutU8(out, f.pass25);
        PutU8(out, f.pass30);
        PutU8(out, f.pass31);
      }
    }
    PutSkip(out, 2);
    if (!type1) continue;
    for (std::uint8_t b : c.short_circuit) PutU8(out, b);
    PutU32(out, c.open_circuit);
    PutU16(out, c.loop_low);
    PutU16(out, c.loop_high);
    PutSkip(out, 19);
    for (int s = 0; s < 7; ++s) PutText(out, c.labels[s], 19);
    for (std::uint8_t b : c.levels) PutU8(out, b);
    PutText(out, c.titre_vcc, 10);
    PutSkip(out, 10);
    for (int s = 7; s < 16; ++s) PutText(out, c.labels[s], 19);
  }
  return out;
}

// A configuration with distinct texts and values everywhere, `ecus` ECUs of `frames` frames each.
inline CfgSpec SampleConfig(int index, std::uint8_t type, int ecus, int frames) {
  CfgSpec c;
  c.nom = "Cfg " + std::to_string(index);
  c.nom_comp = "Complement " + std::to_string(index);
  c.type = type;
  c.pass50 = static_cast<std::uint16_t>(0x5000 + index);
  c.load_and_error = {10, 90, 1, 5};
  c.short_circuit = {21, 22, 23, 24, 25, 26};
  c.open_circuit = 0x01020304u + static_cast<std::uint32_t>(index);
  c.loop_low = 50;
  c.loop_high = 130;
  c.levels = {1, 2, 3, 4, 5, 6, 7, 8};
  c.titre_vcc = "12 V";
  for (int s = 0; s < 16; ++s) c.labels[s] = "Test " + std::to_string(s);
  for (int j = 0; j < ecus; ++j) {
    EcuSpec e;
    e.name = "ECU " + std::to_string(index) + "." + std::to_string(j);
    for (int k = 0; k < frames; ++k) {
      FrameSpec f;
      f.ident = 0x100u + static_cast<std::uint32_t>(j * 16 + k);
      f.name = "Frame " + std::to_string(k);
      f.pass24 = 1;
      f.pass25 = 2;
      f.pass26 = 0x0304;
      f.pass30 = 5;
      f.pass31 = 6;
      e.frames.push_back(f);
    }
    c.ecus.push_back(e);
  }
  return c;
}

// A whole source with every supplied text set and `configs` as given.
inline SourceSpec SampleSource(std::vector<CfgSpec> configs) {
  SourceSpec spec;
  for (int slot = 0; slot < 300; ++slot) spec.strings[slot] = "Message " + std::to_string(slot);
  for (int n = 0; n < 36; ++n) spec.labels[n] = "Label " + std::to_string(n);
  spec.first_text = "First text";
  spec.nom = "Installation";
  spec.nom_compl = "Full installation";
  spec.header_pass = {1, 2, 3, 4, 5, 6};
  spec.option = 1;
  spec.configs = std::move(configs);
  return spec;
}

// The largest tree the limits allow: a first configuration of 255 ECUs (2846 menu entries, three
// menu pages), then 99 more configurations (100 in all), region 1 just below 65536 bytes.
inline SourceSpec LargestSource() {
  std::vector<CfgSpec> configs = {SampleConfig(0, 1, 255, 1)};
  for (int i = 1; i < 100; ++i) configs.push_back(SampleConfig(i, 1, 1, 8));
  return SampleSource(std::move(configs));
}

using fakes::WriteBytes;

}  // namespace config_test
