#include "plan/plan_show.h"

#include <array>
#include <cstdio>
#include <span>

#include "formats/bytes.h"
#include "formats/config_records.h"
#include "plan/cp1252.h"

namespace plan {
namespace {

namespace me = formats::menu_entry;

enum Word {
  kInstallation,
  kConfiguration,
  kType,
  kEcus,
  kBusLoad,
  kErrorRate,
  kLoop,
  kOpenCircuit,
  kShortCircuit,
  kLevels,
  kSupplyTitle,
  kWiringTitles,
  kSignalTitles,
  kFrames,
  kMenu,
  kMenuFrom,
  kFirstText,
  kOption,
  kWordCount
};

// German, English, French.
constexpr std::array<std::array<const char*, 3>, kWordCount> kWords = {{
    {"Anlage", "Installation", "Installation"},
    {"Konfiguration", "Configuration", "Configuration"},
    {"Typ", "type", "type"},
    {"Steuergeräte", "ECUs", "calculateurs"},
    {"Buslast", "Bus load", "Taux de charge"},
    {"Fehlerrate", "error rate", "taux d'erreur"},
    {"Schleifenwiderstand", "Loop resistance", "Résistance de boucle"},
    {"Unterbrechung", "open circuit", "circuit ouvert"},
    {"Kurzschluss", "Short circuit", "Court-circuit"},
    {"Pegel", "Levels", "Niveaux"},
    {"Titel Versorgung", "Supply title", "Titre alimentation"},
    {"Titel Verkabelungstests", "Wiring-test titles", "Titres des tests faisceau"},
    {"Titel Signaltests", "Signal-test titles", "Titres des tests signal"},
    {"Botschaften", "frames", "trames"},
    {"Menü des Prüfgeräts", "Tester menu", "Menu du testeur"},
    {"aus Konfiguration 1", "from configuration 1", "d'après la configuration 1"},
    {"erster Text", "first text", "premier texte"},
    {"Option", "option", "option"},
}};

class Shower {
 public:
  explicit Shower(ShowLanguage language) : language_(static_cast<int>(language)) {}
  const char* W(Word w) const { return kWords[w][language_]; }
  void Line(const std::string& text) {
    out_ += text;
    out_ += '\n';
  }
  std::string Take() { return std::move(out_); }

 private:
  int language_;
  std::string out_;
};

std::string T(std::span<const std::uint8_t> field) { return DisplayText(field); }

std::string Tenths(unsigned raw) {
  return std::to_string(raw / 10) + "." + std::to_string(raw % 10);
}

// The menu tree: the ring that has no parent first, then every ring not reached from it, each
// entry with the ring it opens below it.
class MenuPrinter {
 public:
  MenuPrinter(const std::vector<std::uint8_t>& entries, Shower& out)
      : entries_(entries), count_(entries.size() / me::kSize), seen_(count_, false), out_(out) {}

  void PrintAll() {
    for (std::size_t n = 0; n < count_; ++n) {
      if (formats::ReadU32LE(Entry(n) + me::kParent) == formats::kNoLink) Ring(n, 1);
    }
    for (std::size_t n = 0; n < count_; ++n) {
      if (!seen_[n]) Ring(n, 1);
    }
  }

 private:
  const std::uint8_t* Entry(std::size_t n) const { return entries_.data() + n * me::kSize; }
  // The entry a link names, or count_ for none or a link outside the table.
  std::size_t Target(std::size_t n, std::size_t field) const {
    const std::uint32_t link = formats::ReadU32LE(Entry(n) + field);
    if (link == formats::kNoLink || link % me::kSize != 0 || link / me::kSize >= count_) {
      return count_;
    }
    return link / me::kSize;
  }
  void Ring(std::size_t first, std::size_t depth) {
    if (seen_[first]) return;
    const std::string indent(2 * depth, ' ');
    out_.Line(indent + "[" + T({Entry(first) + me::kTitle, me::kTextWidth}) + "]");
    for (std::size_t n = first; n < count_ && !seen_[n]; n = Target(n, me::kNext)) {
      seen_[n] = true;
      char index[32];
      std::snprintf(index, sizeof index, "%4zu  ", n);
      out_.Line(indent + "  " + index + T({Entry(n) + me::kLabel, me::kTextWidth}));
      const std::size_t child = Target(n, me::kChild);
      if (child < count_) Ring(child, depth + 3);
    }
  }

  const std::vector<std::uint8_t>& entries_;
  std::size_t count_;
  std::vector<bool> seen_;
  Shower& out_;
};

}  // namespace

std::string ShowPlan(const Plan& plan, const std::vector<std::uint8_t>& menu_entries,
                     ShowLanguage language) {
  Shower s(language);
  s.Line(std::string(s.W(kInstallation)) + ": " + T(plan.name) + " (" + T(plan.full_name) + "), " +
         s.W(kFirstText) + " \"" + T(plan.first_text) + "\", " + s.W(kOption) + " " +
         std::to_string(plan.option));
  for (std::size_t i = 0; i < plan.configurations.size(); ++i) {
    const Configuration& c = plan.configurations[i];
    s.Line("");
    s.Line(std::string(s.W(kConfiguration)) + " " + std::to_string(i + 1) + ": " + T(c.name) +
           " (" + T(c.complement) + "), " + s.W(kType) + " " + std::to_string(c.type) + ", " +
           std::to_string(c.ecus.size()) + " " + s.W(kEcus));
    s.Line(std::string("  ") + s.W(kBusLoad) + " " + std::to_string(c.bus_load_min) + "-" +
           std::to_string(c.bus_load_max) + ", " + s.W(kErrorRate) + " " +
           std::to_string(c.error_rate_min) + "-" + std::to_string(c.error_rate_max));
    if (c.type == 1) {
      s.Line(std::string("  ") + s.W(kLoop) + " " + Tenths(c.loop_low) + "-" + Tenths(c.loop_high) +
             " Ohm, " + s.W(kOpenCircuit) + " " + std::to_string(c.open_circuit));
      static constexpr const char* kPairs[kShortCircuitCount] = {
          "L1-VCC", "L2-VCC", "L1-GND", "L2-GND", "L1-SHIELD", "L2-SHIELD"};
      std::string line = std::string("  ") + s.W(kShortCircuit) + ":";
      for (std::size_t k = 0; k < kShortCircuitCount; ++k) {
        line += std::string(k ? ", " : " ") + kPairs[k] + " " + std::to_string(c.short_circuit[k]) +
                " Ohm";
      }
      s.Line(line);
      const auto& v = c.levels;
      s.Line(std::string("  ") + s.W(kLevels) + ": L1 R " + Tenths(v[0]) + "-" + Tenths(v[1]) +
             " V, D " + Tenths(v[2]) + "-" + Tenths(v[3]) + " V; L2 R " + Tenths(v[4]) + "-" +
             Tenths(v[5]) + " V, D " + Tenths(v[6]) + "-" + Tenths(v[7]) + " V");
      s.Line(std::string("  ") + s.W(kSupplyTitle) + ": \"" + T(c.vcc_title) + "\"");
      std::string titles = std::string("  ") + s.W(kWiringTitles) + ":";
      for (const auto& t : c.wiring_titles) titles += " \"" + T(t) + "\"";
      s.Line(titles);
      titles = std::string("  ") + s.W(kSignalTitles) + ":";
      for (const auto& t : c.signal_titles) titles += " \"" + T(t) + "\"";
      s.Line(titles);
    }
    for (const Ecu& u : c.ecus) {
      s.Line("  ECU " + T(u.name) + ": " + std::to_string(u.frames.size()) + " " + s.W(kFrames));
      if (c.type != 1) continue;
      for (const Frame& f : u.frames) {
        char ident[16];
        std::snprintf(ident, sizeof ident, "0x%03X", static_cast<unsigned>(f.identifier));
        s.Line(std::string("    ") + ident + "  " + T(f.name));
      }
    }
  }
  s.Line("");
  s.Line(std::string(s.W(kMenu)) + " (" + s.W(kMenuFrom) + "):");
  MenuPrinter(menu_entries, s).PrintAll();
  return s.Take();
}

}  // namespace plan
