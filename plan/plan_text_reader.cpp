#include "plan/plan_text_reader.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <string>

#include "plan/cp1252.h"
#include "plan/plan_keys.h"
#include "plan/plan_limits.h"
#include "plan/toml_parser.h"

namespace plan {
namespace {

std::string Quoted(std::string_view s) { return "`" + std::string(s) + "`"; }

const char* KindOf(const toml::node& node) {
  switch (node.type()) {
    case toml::node_type::string:
      return "a string";
    case toml::node_type::integer:
      return "an integer";
    case toml::node_type::floating_point:
      return "a decimal number";
    case toml::node_type::boolean:
      return "a boolean";
    case toml::node_type::array:
      return "an array";
    case toml::node_type::table:
      return "a table";
    default:
      return "a date or time";
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

class Reader {
 public:
  Reader(std::string_view text, std::vector<Diagnostic>& out) : text_(text), out_(out) {}

  void Report(const toml::source_position& at, std::string message, bool warning = false) {
    out_.push_back({at.line, at.column, 0, std::move(message), warning});
  }
  void Report(const toml::node& at, std::string message, bool warning = false) {
    Report(at.source().begin, std::move(message), warning);
  }

  // Every key of `table` must be one of `known`.
  void KnownKeys(const toml::table& table, std::initializer_list<std::string_view> known,
                 std::string_view where) {
    for (auto&& [key, node] : table) {
      bool found = false;
      for (std::string_view k : known) found = found || key.str() == k;
      if (found) continue;
      std::string list;
      for (std::string_view k : known) list += (list.empty() ? "" : ", ") + std::string(k);
      Report(key.source().begin, "unknown key " + Quoted(key.str()) + " in " + std::string(where) +
                                     "; expected " + list);
    }
  }

  const toml::node* Require(const toml::table& table, std::string_view key,
                            std::string_view where) {
    const toml::node* node = table.get(key);
    if (node == nullptr) Report(table, "missing " + Quoted(key) + " in " + std::string(where));
    return node;
  }

  // A text field: a string of at most the field's width in code page 1252, or { hex = "..." }
  // with exactly the field's bytes.
  void Text(const toml::node& node, std::string_view name, std::span<std::uint8_t> field) {
    std::fill(field.begin(), field.end(), std::uint8_t{0});
    if (const toml::table* t = node.as_table()) {
      KnownKeys(*t, {"hex"}, Quoted(name));
      if (const toml::node* hex = Require(*t, "hex", Quoted(name))) Hex(*hex, name, field);
      return;
    }
    const toml::value<std::string>* s = node.as_string();
    if (s == nullptr) {
      Report(node, Quoted(name) + " is " + KindOf(node) + "; expected a text (a string, or " +
                       "{ hex = \"...\" } with " + std::to_string(field.size()) + " bytes)");
      return;
    }
    std::string bytes;
    EncodeFailure failure;
    if (!Utf8ToCp1252(s->get(), &bytes, &failure)) {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(failure.character));
      Report(PositionIn(node, s->get(), failure.offset), Quoted(name) + ": the character " + code +
                                                             " has no code page 1252 form " +
                                                             "(the tester's character set)");
      return;
    }
    if (bytes.find('\0') != std::string::npos) {
      Report(node, Quoted(name) + ": a text cannot hold a NUL character; write the field as " +
                       "{ hex = \"...\" }");
      return;
    }
    if (bytes.size() > field.size()) {
      Report(node, Quoted(name) + ": \"" + s->get() + "\" takes " + std::to_string(bytes.size()) +
                       " bytes; the field holds at most " + std::to_string(field.size()));
      return;
    }
    std::copy(bytes.begin(), bytes.end(), field.begin());
  }

  void Hex(const toml::node& node, std::string_view name, std::span<std::uint8_t> field) {
    const toml::value<std::string>* s = node.as_string();
    const std::string expected = "expected " + std::to_string(field.size() * 2) +
                                 " hexadecimal digits (" + std::to_string(field.size()) + " bytes)";
    if (s == nullptr) {
      Report(node, Quoted(name) + " is " + KindOf(node) + "; " + expected + " in a string");
      return;
    }
    std::string digits;
    for (char c : s->get()) {
      if (c == ' ') continue;
      if (HexDigit(c) < 0) {
        Report(node, Quoted(name) + ": '" + std::string(1, c) + "' is not a hexadecimal digit; " +
                         expected);
        return;
      }
      digits += c;
    }
    if (digits.size() != field.size() * 2) {
      Report(node, Quoted(name) + ": " + std::to_string(digits.size()) + " digits; " + expected);
      return;
    }
    for (std::size_t k = 0; k < field.size(); ++k) {
      field[k] =
          static_cast<std::uint8_t>(HexDigit(digits[2 * k]) << 4 | HexDigit(digits[2 * k + 1]));
    }
  }

  template <std::size_t N>
  void TextKey(const toml::table& t, std::string_view key, Field<N>& field,
               std::string_view where) {
    if (const toml::node* node = Require(t, key, where)) Text(*node, key, field);
  }
  template <std::size_t N>
  void HexKey(const toml::table& t, std::string_view key, Field<N>& field, std::string_view where,
              bool optional) {
    field.fill(0);
    const toml::node* node = optional ? t.get(key) : Require(t, key, where);
    if (node != nullptr) Hex(*node, key, field);
  }

  bool Integer(const toml::table& t, std::string_view key, std::int64_t max, std::int64_t* out,
               std::string_view where) {
    const toml::node* node = Require(t, key, where);
    if (node == nullptr) return false;
    const toml::value<std::int64_t>* v = node->as_integer();
    const std::string expected = "expected an integer from 0 to " + std::to_string(max);
    if (v == nullptr) {
      Report(*node, Quoted(key) + " is " + KindOf(*node) + "; " + expected);
      return false;
    }
    if (v->get() < 0 || v->get() > max) {
      Report(*node,
             Quoted(key) + ": " + std::to_string(v->get()) + " is out of range; " + expected);
      return false;
    }
    *out = v->get();
    return true;
  }
  template <typename T>
  void Unsigned(const toml::table& t, std::string_view key, T* out, std::string_view where) {
    std::int64_t v = 0;
    if (Integer(t, key, std::int64_t{std::numeric_limits<T>::max()}, &v, where)) {
      *out = static_cast<T>(v);
    }
  }

  // A value the tester holds in tenths of `unit`: a number with at most one decimal.
  template <typename T>
  void Tenths(const toml::table& t, std::string_view key, T* out, const char* unit,
              std::string_view where) {
    const toml::node* node = Require(t, key, where);
    if (node == nullptr) return;
    const double max = std::numeric_limits<T>::max() / 10.0;
    char range[96];
    std::snprintf(range, sizeof range, "expected %s from 0.0 to %.1f in steps of 0.1", unit, max);
    double value = 0;
    if (const auto* f = node->as_floating_point()) {
      value = f->get();
    } else if (const auto* i = node->as_integer()) {
      value = static_cast<double>(i->get());
    } else {
      Report(*node, Quoted(key) + " is " + KindOf(*node) + "; " + range);
      return;
    }
    const double tenths = value * 10;
    if (!(tenths >= -1e-6 && tenths <= std::numeric_limits<T>::max() + 1e-6)) {
      Report(*node, Quoted(key) + ": " + Shown(value) + " is out of range; " + range);
      return;
    }
    const double rounded = std::round(tenths);
    if (std::fabs(tenths - rounded) > 1e-6) {
      Report(*node, Quoted(key) + ": " + Shown(value) + " is not a multiple of 0.1; " + range);
      return;
    }
    *out = static_cast<T>(rounded);
  }

  // An array of exactly `count` texts.
  template <typename Fields>
  void TextArray(const toml::table& t, std::string_view key, Fields& fields, std::size_t first,
                 std::size_t count, std::string_view where) {
    const toml::node* node = Require(t, key, where);
    if (node == nullptr) return;
    const toml::array* array = node->as_array();
    if (array == nullptr) {
      Report(*node, Quoted(key) + " is " + KindOf(*node) + "; expected an array of " +
                        std::to_string(count) + " texts");
      return;
    }
    for (std::size_t k = 0; k < array->size() && k < count; ++k) {
      Text((*array)[k], std::string(key) + "[" + std::to_string(k) + "]", fields[first + k]);
    }
    if (array->size() > count) {
      Report((*array)[count], Quoted(key) + ": " + std::to_string(array->size()) +
                                  " texts; the source holds exactly " + std::to_string(count) +
                                  " (this is the first one too many)");
    } else if (array->size() < count) {
      Report(array->source().end, Quoted(key) + ": " + std::to_string(array->size()) +
                                      " texts; the source holds exactly " + std::to_string(count));
    }
  }

  const toml::table* Table(const toml::table& t, std::string_view key, std::string_view where) {
    const toml::node* node = Require(t, key, where);
    if (node == nullptr) return nullptr;
    if (!node->is_table()) {
      Report(*node, Quoted(key) + " is " + KindOf(*node) + "; expected a table");
      return nullptr;
    }
    return node->as_table();
  }

 private:
  static std::string Shown(double v) {
    char text[48];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
  }

  // The place of byte `offset` of a string's value: exact for a string written on one line
  // without escapes before that place, else the string's start.
  toml::source_position PositionIn(const toml::node& node, const std::string& value,
                                   std::size_t offset) const {
    toml::source_position at = node.source().begin;
    std::size_t start = 0;
    for (std::size_t n = 1; n < at.line; ++n) {
      start = text_.find('\n', start);
      if (start == std::string_view::npos) return at;
      ++start;
    }
    std::size_t byte = start;  // the byte of column at.column
    for (std::size_t col = 1; col < at.column && byte < text_.size(); ++col) {
      ++byte;
      while (byte < text_.size() && (static_cast<unsigned char>(text_[byte]) & 0xC0) == 0x80) {
        ++byte;
      }
    }
    if (byte >= text_.size() || (text_[byte] != '"' && text_[byte] != '\'')) return at;
    if (text_.compare(byte + 1, offset, value, 0, offset) != 0) return at;
    std::size_t chars = 0;
    for (std::size_t k = 0; k < offset; ++k) {
      if ((static_cast<unsigned char>(value[k]) & 0xC0) != 0x80) ++chars;
    }
    at.column = static_cast<toml::source_index>(at.column + 1 + chars);
    return at;
  }

  std::string_view text_;
  std::vector<Diagnostic>& out_;
};

void ReadFrame(Reader& r, const toml::node& node, bool type1, Frame* f) {
  const toml::table* t = node.as_table();
  if (t == nullptr) {
    r.Report(node, std::string("a frame is ") + KindOf(node) +
                       (type1 ? "; expected { identifier = ..., name = \"...\", passed_through = "
                                "\"...\" }"
                              : "; expected {} (a configuration of this type has no frame "
                                "details)"));
    return;
  }
  if (!type1) {
    r.KnownKeys(*t, {"skipped"}, "a frame of a configuration whose type is not 1");
    r.HexKey(*t, "skipped", f->skipped, "a frame", true);
    return;
  }
  r.KnownKeys(*t, {"identifier", "name", "passed_through", "skipped"}, "a frame");
  r.Unsigned(*t, "identifier", &f->identifier, "a frame");
  r.TextKey(*t, "name", f->name, "a frame");
  r.HexKey(*t, "passed_through", f->passed, "a frame", false);
  r.HexKey(*t, "skipped", f->skipped, "a frame", true);
}

void ReadEcu(Reader& r, const toml::node& node, bool type1, Ecu* u) {
  const toml::table* t = node.as_table();
  if (t == nullptr) {
    r.Report(node, std::string("an ECU is ") + KindOf(node) + "; expected a table");
    return;
  }
  r.KnownKeys(*t, {"name", "skipped", "frames"}, "[[configuration.ecu]]");
  r.TextKey(*t, "name", u->name, "[[configuration.ecu]]");
  r.HexKey(*t, "skipped", u->skipped, "[[configuration.ecu]]", true);
  const toml::node* frames = r.Require(*t, "frames", "[[configuration.ecu]]");
  if (frames == nullptr) return;
  const toml::array* array = frames->as_array();
  if (array == nullptr) {
    r.Report(*frames, std::string("`frames` is ") + KindOf(*frames) + "; expected an array");
    return;
  }
  u->frames.resize(array->size());
  for (std::size_t k = 0; k < array->size(); ++k) ReadFrame(r, (*array)[k], type1, &u->frames[k]);
}

void ReadConfiguration(Reader& r, const toml::node& node, Configuration* c) {
  const toml::table* t = node.as_table();
  if (t == nullptr) {
    r.Report(node, std::string("a configuration is ") + KindOf(node) + "; expected a table");
    return;
  }
  constexpr std::string_view where = "[[configuration]]";
  r.KnownKeys(*t,
              {"name", "complement", "type", "passed_through", "bus_load_min", "bus_load_max",
               "error_rate_min", "error_rate_max", "outline_unused", "skipped_after_type",
               "skipped_after_ecus", "wiring", "signal", "ecu"},
              where);
  r.TextKey(*t, "name", c->name, where);
  r.TextKey(*t, "complement", c->complement, where);
  r.Unsigned(*t, "type", &c->type, where);
  r.HexKey(*t, "passed_through", c->passed_50, where, false);
  r.Unsigned(*t, "bus_load_min", &c->bus_load_min, where);
  r.Unsigned(*t, "bus_load_max", &c->bus_load_max, where);
  r.Unsigned(*t, "error_rate_min", &c->error_rate_min, where);
  r.Unsigned(*t, "error_rate_max", &c->error_rate_max, where);
  r.HexKey(*t, "outline_unused", c->outline_unused, where, true);
  r.HexKey(*t, "skipped_after_ecus", c->skipped_after_ecus, where, true);
  const bool type1 = c->type == 1;
  if (type1) {
    r.HexKey(*t, "skipped_after_type", c->skipped_after_type, where, true);
    if (const toml::table* w = r.Table(*t, "wiring", where)) {
      constexpr std::string_view ww = "[configuration.wiring]";
      std::initializer_list<std::string_view> known = {"loop_resistance_min_ohm",
                                                       "loop_resistance_max_ohm",
                                                       "open_circuit",
                                                       keys::kShortCircuit[0],
                                                       keys::kShortCircuit[1],
                                                       keys::kShortCircuit[2],
                                                       keys::kShortCircuit[3],
                                                       keys::kShortCircuit[4],
                                                       keys::kShortCircuit[5],
                                                       "skipped",
                                                       "titles"};
      r.KnownKeys(*w, known, ww);
      r.Tenths(*w, "loop_resistance_min_ohm", &c->loop_low, "ohm", ww);
      r.Tenths(*w, "loop_resistance_max_ohm", &c->loop_high, "ohm", ww);
      r.Unsigned(*w, "open_circuit", &c->open_circuit, ww);
      for (std::size_t k = 0; k < kShortCircuitCount; ++k) {
        r.Unsigned(*w, keys::kShortCircuit[k], &c->short_circuit[k], ww);
      }
      r.HexKey(*w, "skipped", c->skipped_before_titles, ww, true);
      r.TextArray(*w, "titles", c->wiring_titles, 0, kWiringTitleCount, ww);
    }
    if (const toml::table* s = r.Table(*t, "signal", where)) {
      constexpr std::string_view sw = "[configuration.signal]";
      std::initializer_list<std::string_view> known = {
          "vcc_title",      "skipped",        "titles",         keys::kLevels[0],
          keys::kLevels[1], keys::kLevels[2], keys::kLevels[3], keys::kLevels[4],
          keys::kLevels[5], keys::kLevels[6], keys::kLevels[7]};
      r.KnownKeys(*s, known, sw);
      r.TextKey(*s, "vcc_title", c->vcc_title, sw);
      for (std::size_t k = 0; k < kLevelCount; ++k) {
        r.Tenths(*s, keys::kLevels[k], &c->levels[k], "volt", sw);
      }
      r.HexKey(*s, "skipped", c->skipped_after_vcc, sw, true);
      r.TextArray(*s, "titles", c->signal_titles, 0, kSignalTitleCount, sw);
    }
  } else {
    for (const char* key : {"wiring", "signal", "skipped_after_type"}) {
      if (const toml::node* extra = t->get(key)) {
        r.Report(*extra, Quoted(key) +
                             ": only a configuration of type 1 has it (this one has "
                             "type " +
                             std::to_string(c->type) + ")");
      }
    }
  }
  const toml::node* ecus = t->get("ecu");
  if (ecus == nullptr) return;  // a configuration without ECUs
  const toml::array* array = ecus->as_array();
  if (array == nullptr) {
    r.Report(*ecus,
             std::string("`ecu` is ") + KindOf(*ecus) + "; expected [[configuration.ecu]] tables");
    return;
  }
  c->ecus.resize(array->size());
  for (std::size_t j = 0; j < array->size(); ++j) ReadEcu(r, (*array)[j], type1, &c->ecus[j]);
}

// Where a limit breach is best shown.
const toml::node* PlaceOf(const toml::table& root, const LimitProblem& p) {
  const toml::node* cfgs = root.get("configuration");
  const toml::array* configurations = cfgs ? cfgs->as_array() : nullptr;
  if (configurations == nullptr || p.configuration < 0) return cfgs;
  const toml::node* c = configurations->get(std::size_t(p.configuration));
  if (c == nullptr || !c->is_table()) return c;
  if (p.ecu < 0) {
    const toml::node* name = c->as_table()->get("name");
    return p.where == LimitProblem::Where::kName && name ? name : c;
  }
  const toml::node* ecus = c->as_table()->get("ecu");
  const toml::node* u = ecus && ecus->is_array() ? ecus->as_array()->get(std::size_t(p.ecu)) : c;
  if (u == nullptr || !u->is_table()) return u;
  if (p.frame < 0) {
    const toml::node* name = u->as_table()->get("name");
    return p.where == LimitProblem::Where::kName && name ? name : u;
  }
  const toml::node* frames = u->as_table()->get("frames");
  const toml::node* f =
      frames && frames->is_array() ? frames->as_array()->get(std::size_t(p.frame)) : nullptr;
  if (f == nullptr) return u;
  if (p.where == LimitProblem::Where::kName && f->is_table() && f->as_table()->get("name")) {
    return f->as_table()->get("name");
  }
  return f;
}

}  // namespace

bool ReadPlanText(std::string_view text, Plan* out, std::vector<Diagnostic>* diagnostics) {
  *out = Plan{};
  toml::parse_result parsed = toml::parse(text, std::string_view("plan"));
  if (!parsed) {
    const toml::parse_error& e = parsed.error();
    diagnostics->push_back(
        {e.source().begin.line, e.source().begin.column, 0, std::string(e.description()), false});
    return false;
  }
  const toml::table& root = parsed.table();
  const std::size_t before = diagnostics->size();
  Reader r(text, *diagnostics);
  r.KnownKeys(root, {"trailing", "installation", "texts", "configuration"}, "the plan");
  if (const toml::node* trailing = root.get("trailing")) {
    const toml::value<std::string>* s = trailing->as_string();
    std::size_t digits = 0;
    if (s != nullptr) {
      for (char c : s->get()) digits += c != ' ';
    }
    out->trailing.resize(digits / 2);
    r.Hex(*trailing, "trailing", out->trailing);
  }
  if (const toml::table* h = r.Table(root, "installation", "the plan")) {
    constexpr std::string_view where = "[installation]";
    r.KnownKeys(*h, {"first_text", "name", "full_name", "passed_through", "option"}, where);
    r.TextKey(*h, "first_text", out->first_text, where);
    r.TextKey(*h, "name", out->name, where);
    r.TextKey(*h, "full_name", out->full_name, where);
    r.HexKey(*h, "passed_through", out->header_passed, where, false);
    r.Unsigned(*h, "option", &out->option, where);
  }
  if (const toml::table* t = r.Table(root, "texts", "the plan")) {
    constexpr std::string_view where = "[texts]";
    r.KnownKeys(
        *t,
        {keys::kMessageGroups[0], keys::kMessageGroups[1], keys::kMessageGroups[2], "menu_labels"},
        where);
    std::size_t first = 0;
    for (std::size_t g = 0; g < kMessageGroups.size(); ++g) {
      r.TextArray(*t, keys::kMessageGroups[g], out->messages, first, kMessageGroups[g].count,
                  where);
      first += kMessageGroups[g].count;
    }
    r.TextArray(*t, "menu_labels", out->menu_labels, 0, kMenuLabelCount, where);
  }
  if (const toml::node* cfgs = root.get("configuration")) {
    const toml::array* array = cfgs->as_array();
    if (array == nullptr) {
      r.Report(*cfgs, std::string("`configuration` is ") + KindOf(*cfgs) +
                          "; expected [[configuration]] tables");
    } else {
      out->configurations.resize(array->size());
      for (std::size_t i = 0; i < array->size(); ++i) {
        ReadConfiguration(r, (*array)[i], &out->configurations[i]);
      }
    }
  }
  for (const LimitProblem& p : CheckLimits(*out)) {
    const toml::node* at = PlaceOf(root, p);
    if (at != nullptr) {
      r.Report(*at, p.message, p.warning);
    } else {
      r.Report(root, p.message, p.warning);
    }
  }
  std::vector<Diagnostic> mine(diagnostics->begin() + std::ptrdiff_t(before), diagnostics->end());
  return !HasErrors(mine);
}

}  // namespace plan
