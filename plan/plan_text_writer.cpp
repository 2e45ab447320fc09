#include "plan/plan_text_writer.h"

#include <algorithm>
#include <cstdio>
#include <span>

#include "plan/cp1252.h"
#include "plan/plan_keys.h"

namespace plan {
namespace {

std::string Hex(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (std::uint8_t b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

bool AllZero(std::span<const std::uint8_t> bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

void AppendQuoted(std::string& out, const std::string& utf8) {
  out += '"';
  for (char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04X", c);
          out += escape;
        } else {
          out += ch;
        }
    }
  }
  out += '"';
}

// A text field as a string when the string gives back its bytes (the text, then NULs only);
// otherwise its bytes in hex, so that nothing is lost.
std::string TextValue(std::span<const std::uint8_t> field) {
  std::size_t end = 0;
  while (end < field.size() && field[end] != 0) ++end;
  std::string utf8;
  std::string out;
  if (AllZero(field.subspan(end)) && Cp1252ToUtf8(field.first(end), &utf8)) {
    AppendQuoted(out, utf8);
  } else {
    out = "{ hex = \"" + Hex(field) + "\" }";
  }
  return out;
}

std::string Tenths(unsigned raw) {
  return std::to_string(raw / 10) + "." + std::to_string(raw % 10);
}

class Writer {
 public:
  void Line(const std::string& text = "") {
    out_ += text;
    out_ += '\n';
  }
  void Key(const char* key, const std::string& value) { Line(std::string(key) + " = " + value); }
  void Number(const char* key, unsigned value) { Key(key, std::to_string(value)); }
  void Text(const char* key, std::span<const std::uint8_t> field) { Key(key, TextValue(field)); }
  void HexKey(const char* key, std::span<const std::uint8_t> bytes) {
    Key(key, "\"" + Hex(bytes) + "\"");
  }
  // Written only when not all zero: the bytes nobody reads are noise in a plan otherwise.
  void Skipped(const char* key, std::span<const std::uint8_t> bytes) {
    if (!AllZero(bytes)) HexKey(key, bytes);
  }
  // One text a line, each with a comment saying what it fills.
  template <typename Fields, typename Comment>
  void TextArray(const char* key, const Fields& fields, std::size_t first, std::size_t count,
                 Comment comment) {
    Line(std::string(key) + " = [");
    for (std::size_t k = 0; k < count; ++k) {
      Line("  " + TextValue(fields[first + k]) + ",  # " + comment(k));
    }
    Line("]");
  }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

void WriteEcu(Writer& w, const Configuration& c, const Ecu& u) {
  w.Line();
  w.Line("[[configuration.ecu]]");
  w.Text("name", u.name);
  w.Skipped("skipped", u.skipped);
  if (u.frames.empty()) {
    w.Line("frames = []");
    return;
  }
  const bool type1 = c.type == 1;
  const bool bare = !type1 && std::all_of(u.frames.begin(), u.frames.end(),
                                          [](const Frame& f) { return AllZero(f.skipped); });
  if (bare) {
    std::string line = "frames = [";
    for (std::size_t k = 0; k < u.frames.size(); ++k) line += k == 0 ? "{}" : ", {}";
    w.Line(line + "]");
    return;
  }
  w.Line("frames = [");
  for (const Frame& f : u.frames) {
    std::string line = "  {";
    const char* sep = " ";
    if (type1) {
      char ident[16];
      std::snprintf(ident, sizeof ident, "0x%03X", static_cast<unsigned>(f.identifier));
      line += std::string(" identifier = ") + ident + ", name = " + TextValue(f.name) +
              ", passed_through = \"" + Hex(f.passed) + "\"";
      sep = ", ";
    }
    if (!AllZero(f.skipped)) line += std::string(sep) + "skipped = \"" + Hex(f.skipped) + "\"";
    w.Line(line + " },");
  }
  w.Line("]");
}

void WriteConfiguration(Writer& w, const Configuration& c) {
  w.Line();
  w.Line("[[configuration]]");
  w.Text("name", c.name);
  w.Text("complement", c.complement);
  w.Number("type", c.type);
  w.HexKey("passed_through", c.passed_50);
  w.Number("bus_load_min", c.bus_load_min);
  w.Number("bus_load_max", c.bus_load_max);
  w.Number("error_rate_min", c.error_rate_min);
  w.Number("error_rate_max", c.error_rate_max);
  w.Skipped("outline_unused", c.outline_unused);
  if (c.type == 1) w.Skipped("skipped_after_type", c.skipped_after_type);
  w.Skipped("skipped_after_ecus", c.skipped_after_ecus);
  if (c.type == 1) {
    w.Line();
    w.Line("[configuration.wiring]");
    w.Key("loop_resistance_min_ohm", Tenths(c.loop_low));
    w.Key("loop_resistance_max_ohm", Tenths(c.loop_high));
    w.Number("open_circuit", c.open_circuit);
    for (std::size_t k = 0; k < kShortCircuitCount; ++k) {
      w.Number(keys::kShortCircuit[k], c.short_circuit[k]);
    }
    w.Skipped("skipped", c.skipped_before_titles);
    w.TextArray("titles", c.wiring_titles, 0, kWiringTitleCount,
                [](std::size_t k) { return std::string(keys::kWiringTitles[k]); });
    w.Line();
    w.Line("[configuration.signal]");
    w.Text("vcc_title", c.vcc_title);
    for (std::size_t k = 0; k < kLevelCount; ++k) w.Key(keys::kLevels[k], Tenths(c.levels[k]));
    w.Skipped("skipped", c.skipped_after_vcc);
    w.TextArray("titles", c.signal_titles, 0, kSignalTitleCount,
                [](std::size_t k) { return std::string(keys::kSignalTitles[k]); });
  }
  for (const Ecu& u : c.ecus) WriteEcu(w, c, u);
}

}  // namespace

std::string WritePlanText(const Plan& plan) {
  Writer w;
  w.Line("# Tester configuration plan: testerplan compile turns it into TransfertVersTR.zel.");
  w.Line("# Texts are UTF-8 here and code page 1252 on the tester (docs/configuration-plan.md).");
  if (!plan.trailing.empty()) {
    w.HexKey("trailing", {plan.trailing.data(), plan.trailing.size()});
  }
  w.Line();
  w.Line("[installation]");
  w.Text("first_text", plan.first_text);
  w.Text("name", plan.name);
  w.Text("full_name", plan.full_name);
  w.HexKey("passed_through", plan.header_passed);
  w.Number("option", plan.option);
  w.Line();
  w.Line("[texts]");
  std::size_t first = 0;
  for (std::size_t g = 0; g < kMessageGroups.size(); ++g) {
    const std::size_t slot = kMessageGroups[g].first_slot;
    w.TextArray(keys::kMessageGroups[g], plan.messages, first, kMessageGroups[g].count,
                [slot](std::size_t k) { return "slot " + std::to_string(slot + k); });
    first += kMessageGroups[g].count;
  }
  w.TextArray("menu_labels", plan.menu_labels, 0, kMenuLabelCount,
              [](std::size_t k) { return "label " + std::to_string(k); });
  for (const Configuration& c : plan.configurations) WriteConfiguration(w, c);
  return w.Take();
}

}  // namespace plan
