#include "plan/source_layout.h"

#include <algorithm>

#include "plan/field_path.h"
#include "plan/plan_keys.h"

namespace plan {
namespace {

class Fields {
 public:
  explicit Fields(std::vector<SourceField>& out) : out_(out) {}
  template <std::size_t N>
  void Bytes(std::string path, const Field<N>& field) {
    Add(std::move(path), std::string(field.begin(), field.end()));
  }
  void U8(std::string path, std::uint8_t v) { Add(std::move(path), std::string(1, char(v))); }
  void U16(std::string path, std::uint16_t v) {
    Add(std::move(path), {char(v & 0xFF), char(v >> 8)});
  }
  void U32(std::string path, std::uint32_t v) {
    Add(std::move(path),
        {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)});
  }
  void Add(std::string path, std::string bytes) {
    const std::size_t length = bytes.size();
    out_.push_back({offset_, length, std::move(path), std::move(bytes)});
    offset_ += length;
  }

 private:
  std::vector<SourceField>& out_;
  std::size_t offset_ = 0;
};

std::string Index(std::size_t k) { return "[" + std::to_string(k) + "]"; }

}  // namespace

std::vector<SourceField> SourceFields(const Plan& plan) {
  std::vector<SourceField> out;
  Fields f(out);
  std::size_t message = 0;
  for (std::size_t g = 0; g < kMessageGroups.size(); ++g) {
    for (std::size_t k = 0; k < kMessageGroups[g].count; ++k) {
      f.Bytes("texts." + std::string(keys::kMessageGroups[g]) + Index(k), plan.messages[message++]);
    }
  }
  for (std::size_t k = 0; k < kMenuLabelCount; ++k) {
    f.Bytes("texts.menu_labels" + Index(k), plan.menu_labels[k]);
  }

  std::vector<std::string> cfg_paths;
  for (std::size_t i = 0; i < plan.configurations.size(); ++i) {
    cfg_paths.push_back(ConfigurationPath(plan, i));
  }
  f.U8("configuration count (outline)", std::uint8_t(plan.configurations.size()));
  for (std::size_t i = 0; i < plan.configurations.size(); ++i) {
    const Configuration& c = plan.configurations[i];
    f.U8(cfg_paths[i] + ".type (outline)", c.type);
    f.U8(cfg_paths[i] + ".ecu count (outline)", std::uint8_t(c.ecus.size()));
    f.Bytes(cfg_paths[i] + ".outline_unused", c.outline_unused);
    for (std::size_t j = 0; j < c.ecus.size(); ++j) {
      f.U8(cfg_paths[i] + EcuPath(c, j) + ".frame count (outline)",
           std::uint8_t(c.ecus[j].frames.size()));
    }
  }

  f.Bytes("installation.first_text", plan.first_text);
  f.Bytes("installation.name", plan.name);
  f.Bytes("installation.full_name", plan.full_name);
  f.Bytes("installation.passed_through", plan.header_passed);
  f.U8("installation.option", plan.option);
  f.U8("configuration count", std::uint8_t(plan.configurations.size()));

  for (std::size_t i = 0; i < plan.configurations.size(); ++i) {
    const Configuration& c = plan.configurations[i];
    const std::string& p = cfg_paths[i];
    const bool type1 = c.type == 1;
    f.Bytes(p + ".name", c.name);
    f.Bytes(p + ".complement", c.complement);
    f.U8(p + ".type", c.type);
    if (type1) f.Bytes(p + ".skipped_after_type", c.skipped_after_type);
    f.Bytes(p + ".passed_through", c.passed_50);
    f.U8(p + ".bus_load_min", c.bus_load_min);
    f.U8(p + ".bus_load_max", c.bus_load_max);
    f.U8(p + ".error_rate_min", c.error_rate_min);
    f.U8(p + ".error_rate_max", c.error_rate_max);
    f.U8(p + ".ecu count", std::uint8_t(c.ecus.size()));
    for (std::size_t j = 0; j < c.ecus.size(); ++j) {
      const Ecu& u = c.ecus[j];
      const std::string pu = p + EcuPath(c, j);
      f.Bytes(pu + ".name", u.name);
      f.Bytes(pu + ".skipped", u.skipped);
      f.U8(pu + ".frame count", std::uint8_t(u.frames.size()));
      for (std::size_t k = 0; k < u.frames.size(); ++k) {
        const Frame& fr = u.frames[k];
        const std::string pf = pu + FramePath(u, k);
        f.Bytes(pf + ".skipped", fr.skipped);
        if (!type1) continue;
        f.Add(pf + ".passed_through[0..1]", std::string(fr.passed.begin(), fr.passed.begin() + 2));
        f.U32(pf + ".identifier", fr.identifier);
        f.Bytes(pf + ".name", fr.name);
        f.Add(pf + ".passed_through[2..5]", std::string(fr.passed.begin() + 2, fr.passed.end()));
      }
    }
    f.Bytes(p + ".skipped_after_ecus", c.skipped_after_ecus);
    if (!type1) continue;
    for (std::size_t k = 0; k < kShortCircuitCount; ++k) {
      f.U8(p + ".wiring." + keys::kShortCircuit[k], c.short_circuit[k]);
    }
    f.U32(p + ".wiring.open_circuit", c.open_circuit);
    f.U16(p + ".wiring.loop_resistance_min_ohm", c.loop_low);
    f.U16(p + ".wiring.loop_resistance_max_ohm", c.loop_high);
    f.Bytes(p + ".wiring.skipped", c.skipped_before_titles);
    for (std::size_t k = 0; k < kWiringTitleCount; ++k) {
      f.Bytes(p + ".wiring.titles" + Index(k), c.wiring_titles[k]);
    }
    for (std::size_t k = 0; k < kLevelCount; ++k) {
      f.U8(p + ".signal." + keys::kLevels[k], c.levels[k]);
    }
    f.Bytes(p + ".signal.vcc_title", c.vcc_title);
    f.Bytes(p + ".signal.skipped", c.skipped_after_vcc);
    for (std::size_t k = 0; k < kSignalTitleCount; ++k) {
      f.Bytes(p + ".signal.titles" + Index(k), c.signal_titles[k]);
    }
  }
  if (!plan.trailing.empty()) {
    f.Add("trailing", std::string(plan.trailing.begin(), plan.trailing.end()));
  }
  return out;
}

std::string EncodeSource(const Plan& plan) {
  std::string out;
  for (const SourceField& field : SourceFields(plan)) out += field.bytes;
  return out;
}

const SourceField* FieldAt(const std::vector<SourceField>& fields, std::size_t offset) {
  auto it = std::upper_bound(fields.begin(), fields.end(), offset,
                             [](std::size_t o, const SourceField& f) { return o < f.offset; });
  if (it == fields.begin()) return nullptr;
  --it;
  return offset < it->offset + it->length ? &*it : nullptr;
}

}  // namespace plan
