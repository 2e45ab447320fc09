#include "plan/plan_diff.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <span>
#include <utility>

#include "plan/cp1252.h"
#include "plan/field_path.h"
#include "plan/plan_keys.h"

namespace plan {
namespace {

using Leaves = std::vector<std::pair<std::string, std::string>>;

std::string Hex(std::span<const std::uint8_t> bytes) {
  std::string out;
  char digits[4];
  for (std::uint8_t b : bytes) {
    std::snprintf(digits, sizeof digits, "%02X", b);
    out += digits;
  }
  return out;
}

// A text as the plan writes it: quoted, or its bytes when a string would not give them back.
std::string TextShown(std::span<const std::uint8_t> field) {
  std::size_t end = 0;
  while (end < field.size() && field[end] != 0) ++end;
  std::string utf8;
  const bool zeros = std::all_of(field.begin() + std::ptrdiff_t(end), field.end(),
                                 [](std::uint8_t b) { return b == 0; });
  if (zeros && Cp1252ToUtf8(field.first(end), &utf8)) return "\"" + utf8 + "\"";
  return "hex " + Hex(field);
}

std::string Tenths(unsigned raw, const char* unit) {
  return std::to_string(raw / 10) + "." + std::to_string(raw % 10) + " " + unit;
}

Leaves HeaderLeaves(const Plan& p) {
  Leaves out = {{"installation.first_text", TextShown(p.first_text)},
                {"installation.name", TextShown(p.name)},
                {"installation.full_name", TextShown(p.full_name)},
                {"installation.passed_through", Hex(p.header_passed)},
                {"installation.option", std::to_string(p.option)},
                {"trailing", Hex(p.trailing)}};
  std::size_t m = 0;
  for (std::size_t g = 0; g < kMessageGroups.size(); ++g) {
    for (std::size_t k = 0; k < kMessageGroups[g].count; ++k) {
      out.push_back(
          {"texts." + std::string(keys::kMessageGroups[g]) + "[" + std::to_string(k) + "]",
           TextShown(p.messages[m++])});
    }
  }
  for (std::size_t k = 0; k < kMenuLabelCount; ++k) {
    out.push_back({"texts.menu_labels[" + std::to_string(k) + "]", TextShown(p.menu_labels[k])});
  }
  return out;
}

Leaves ConfigurationLeaves(const Configuration& c) {
  Leaves out = {{"name", TextShown(c.name)},
                {"complement", TextShown(c.complement)},
                {"type", std::to_string(c.type)},
                {"passed_through", Hex(c.passed_50)},
                {"bus_load_min", std::to_string(c.bus_load_min)},
                {"bus_load_max", std::to_string(c.bus_load_max)},
                {"error_rate_min", std::to_string(c.error_rate_min)},
                {"error_rate_max", std::to_string(c.error_rate_max)},
                {"outline_unused", Hex(c.outline_unused)},
                {"skipped_after_ecus", Hex(c.skipped_after_ecus)}};
  if (c.type != 1) return out;
  out.push_back({"skipped_after_type", Hex(c.skipped_after_type)});
  out.push_back({"wiring.loop_resistance_min_ohm", Tenths(c.loop_low, "ohm")});
  out.push_back({"wiring.loop_resistance_max_ohm", Tenths(c.loop_high, "ohm")});
  out.push_back({"wiring.open_circuit", std::to_string(c.open_circuit)});
  for (std::size_t k = 0; k < kShortCircuitCount; ++k) {
    out.push_back({"wiring." + std::string(keys::kShortCircuit[k]),
                   std::to_string(c.short_circuit[k]) + " ohm"});
  }
  out.push_back({"wiring.skipped", Hex(c.skipped_before_titles)});
  for (std::size_t k = 0; k < kWiringTitleCount; ++k) {
    out.push_back({"wiring.titles[" + std::to_string(k) + "]", TextShown(c.wiring_titles[k])});
  }
  out.push_back({"signal.vcc_title", TextShown(c.vcc_title)});
  for (std::size_t k = 0; k < kLevelCount; ++k) {
    out.push_back({"signal." + std::string(keys::kLevels[k]), Tenths(c.levels[k], "V")});
  }
  out.push_back({"signal.skipped", Hex(c.skipped_after_vcc)});
  for (std::size_t k = 0; k < kSignalTitleCount; ++k) {
    out.push_back({"signal.titles[" + std::to_string(k) + "]", TextShown(c.signal_titles[k])});
  }
  return out;
}

Leaves EcuLeaves(const Ecu& u) {
  return {{"name", TextShown(u.name)}, {"skipped", Hex(u.skipped)}};
}

Leaves FrameLeaves(const Frame& f) {
  char ident[16];
  std::snprintf(ident, sizeof ident, "0x%03X", static_cast<unsigned>(f.identifier));
  return {{"identifier", ident},
          {"name", TextShown(f.name)},
          {"passed_through", Hex(f.passed)},
          {"skipped", Hex(f.skipped)}};
}

void CompareLeaves(const std::string& prefix, const Leaves& a, const Leaves& b,
                   std::vector<std::string>& out) {
  auto value_in = [](const Leaves& leaves, const std::string& key) -> const std::string* {
    for (const auto& leaf : leaves) {
      if (leaf.first == key) return &leaf.second;
    }
    return nullptr;
  };
  for (const auto& leaf : a) {
    const std::string* now = value_in(b, leaf.first);
    const std::string new_value = now == nullptr ? "(none)" : *now;
    if (new_value != leaf.second) {
      out.push_back(prefix + leaf.first + ": " + leaf.second + " -> " + new_value);
    }
  }
  for (const auto& leaf : b) {
    if (value_in(a, leaf.first) == nullptr) {
      out.push_back(prefix + leaf.first + ": (none) -> " + leaf.second);
    }
  }
}

// Pairs the items of two lists: by equal key where `key` gives one, then the rest in order.
// Returns for each item of `b` the index in `a` it stands for, or -1 when it is new.
template <typename T>
std::vector<int> Match(const std::vector<T>& a, const std::vector<T>& b,
                       const std::vector<std::function<std::string(const T&)>>& keys) {
  std::vector<int> of_b(b.size(), -1);
  std::vector<bool> used(a.size(), false);
  for (const auto& key : keys) {
    for (std::size_t j = 0; j < b.size(); ++j) {
      if (of_b[j] >= 0) continue;
      const std::string k = key(b[j]);
      if (k.empty()) continue;
      for (std::size_t i = 0; i < a.size(); ++i) {
        if (!used[i] && key(a[i]) == k) {
          of_b[j] = int(i);
          used[i] = true;
          break;
        }
      }
    }
  }
  std::size_t next = 0;
  for (std::size_t j = 0; j < b.size(); ++j) {
    if (of_b[j] >= 0) continue;
    while (next < a.size() && used[next]) ++next;
    if (next == a.size()) break;
    of_b[j] = int(next);
    used[next] = true;
  }
  return of_b;
}

// Lists removed and added items and a changed order; calls `pair` for each matched pair.
template <typename T, typename PathA, typename PathB, typename Pair>
void DiffList(const std::string& prefix, const char* what, const std::vector<T>& a,
              const std::vector<T>& b, const std::vector<int>& of_b, PathA path_a, PathB path_b,
              Pair pair, std::vector<std::string>& out) {
  const std::string lead = prefix.empty() ? "" : prefix + ".";
  std::vector<bool> kept(a.size(), false);
  std::vector<int> order;
  for (std::size_t j = 0; j < b.size(); ++j) {
    if (of_b[j] < 0) {
      out.push_back(lead + path_b(j) + ": (none) -> added");
      continue;
    }
    kept[std::size_t(of_b[j])] = true;
    order.push_back(of_b[j]);
    pair(std::size_t(of_b[j]), j);
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!kept[i]) out.push_back(lead + path_a(i) + ": present -> (removed)");
  }
  if (!std::is_sorted(order.begin(), order.end())) {
    std::string old_order, new_order;
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (int i : sorted) old_order += (old_order.empty() ? "" : ", ") + path_a(std::size_t(i));
    for (int i : order) new_order += (new_order.empty() ? "" : ", ") + path_a(std::size_t(i));
    out.push_back(lead + what + " order: " + old_order + " -> " + new_order);
  }
}

std::string Trimmed(std::span<const std::uint8_t> field) { return TrimmedText(field); }

}  // namespace

std::vector<std::string> DiffPlans(const Plan& before, const Plan& after) {
  std::vector<std::string> out;
  CompareLeaves("", HeaderLeaves(before), HeaderLeaves(after), out);
  const auto& ca = before.configurations;
  const auto& cb = after.configurations;
  const std::vector<int> cfg_of =
      Match<Configuration>(ca, cb, {[](const Configuration& c) { return Trimmed(c.name); }});
  DiffList(
      "", "configuration", ca, cb, cfg_of,
      [&](std::size_t i) { return ConfigurationPath(before, i); },
      [&](std::size_t j) { return ConfigurationPath(after, j); },
      [&](std::size_t i, std::size_t j) {
        const Configuration& a = ca[i];
        const Configuration& b = cb[j];
        const std::string prefix = ConfigurationPath(before, i);
        CompareLeaves(prefix + ".", ConfigurationLeaves(a), ConfigurationLeaves(b), out);
        const std::vector<int> ecu_of =
            Match<Ecu>(a.ecus, b.ecus, {[](const Ecu& u) { return Trimmed(u.name); }});
        DiffList(
            prefix, "ecu", a.ecus, b.ecus, ecu_of,
            [&](std::size_t x) { return EcuPath(a, x).substr(1); },
            [&](std::size_t y) { return EcuPath(b, y).substr(1); },
            [&](std::size_t x, std::size_t y) {
              const Ecu& ua = a.ecus[x];
              const Ecu& ub = b.ecus[y];
              const std::string pu = prefix + EcuPath(a, x);
              CompareLeaves(pu + ".", EcuLeaves(ua), EcuLeaves(ub), out);
              const bool named = a.type == 1 && b.type == 1;
              std::vector<std::function<std::string(const Frame&)>> keys;
              if (named) {
                keys.push_back([](const Frame& f) { return Trimmed(f.name); });
                keys.push_back([](const Frame& f) { return std::to_string(f.identifier); });
              }
              const std::vector<int> frame_of = Match<Frame>(ua.frames, ub.frames, keys);
              DiffList(
                  pu, "frame", ua.frames, ub.frames, frame_of,
                  [&](std::size_t k) { return FramePath(ua, k).substr(1); },
                  [&](std::size_t k) { return FramePath(ub, k).substr(1); },
                  [&](std::size_t k, std::size_t l) {
                    CompareLeaves(pu + FramePath(ua, k) + ".", FrameLeaves(ua.frames[k]),
                                  FrameLeaves(ub.frames[l]), out);
                  },
                  out);
            },
            out);
      },
      out);
  return out;
}

}  // namespace plan
