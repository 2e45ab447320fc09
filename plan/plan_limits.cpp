#include "plan/plan_limits.h"

#include <set>

#include "plan/cp1252.h"
#include "plan/field_path.h"

namespace plan {
namespace {

constexpr std::uint64_t kHeaderSize = 74, kCfgSize = 114, kEcuSize = 32, kFrameSize = 40;

std::string Shown(const std::string& cp1252) {
  return DisplayText({reinterpret_cast<const std::uint8_t*>(cp1252.data()), cp1252.size()});
}

}  // namespace

std::uint64_t TreeSize(const Plan& plan) {
  std::uint64_t size = kHeaderSize;
  for (const Configuration& c : plan.configurations) {
    size += kCfgSize + kEcuSize * c.ecus.size();
    if (c.type != 1) continue;
    for (const Ecu& u : c.ecus) size += kFrameSize * u.frames.size();
  }
  return size;
}

std::vector<LimitProblem> CheckLimits(const Plan& plan) {
  using W = LimitProblem::Where;
  std::vector<LimitProblem> out;
  const std::size_t count = plan.configurations.size();
  if (count == 0) {
    out.push_back({W::kConfigurations, -1, -1, -1,
                   "no configuration: the tester needs at least 1 (at most 100)"});
  } else if (count > kMaxConfigurations) {
    out.push_back({W::kConfigurations, int(kMaxConfigurations), -1, -1,
                   std::to_string(count) + " configurations: at most 100"});
  }
  // The tree is placed in configuration order: name the part that crosses the limit.
  std::uint64_t size = kHeaderSize;
  bool too_large = false;
  auto grow = [&](std::uint64_t bytes, int i, int j, int k) {
    size += bytes;
    if (too_large || size <= kMaxTreeSize) return;
    too_large = true;
    out.push_back({k >= 0   ? W::kFrames
                   : j >= 0 ? W::kEcus
                            : W::kConfigurations,
                   i, j, k,
                   "the configuration tree grows past 65536 bytes here (the tester's "
                   "configuration area): remove configurations, ECUs or frames"});
  };
  std::set<std::string> cfg_names;
  for (std::size_t i = 0; i < count; ++i) {
    const Configuration& c = plan.configurations[i];
    const int ii = int(i);
    grow(kCfgSize, ii, -1, -1);
    if (c.ecus.size() > kMaxEcus) {
      out.push_back({W::kEcus, ii, int(kMaxEcus), -1,
                     std::to_string(c.ecus.size()) + " ECUs in one configuration: at most 255"});
    }
    const std::string name = TrimmedText(c.name);
    if (!cfg_names.insert(name).second) {
      out.push_back({W::kName, ii, -1, -1,
                     "a second configuration named \"" + Shown(name) +
                         "\": the tester's list would show two alike",
                     true});
    }
    std::set<std::string> ecu_names;
    for (std::size_t j = 0; j < c.ecus.size(); ++j) {
      const Ecu& u = c.ecus[j];
      const int jj = int(j);
      grow(kEcuSize, ii, jj, -1);
      if (u.frames.size() > kMaxFrames) {
        out.push_back({W::kFrames, ii, jj, int(kMaxFrames),
                       std::to_string(u.frames.size()) + " frames in one ECU: at most 255"});
      }
      const std::string ecu_name = TrimmedText(u.name);
      if (!ecu_names.insert(ecu_name).second) {
        out.push_back({W::kName, ii, jj, -1,
                       "a second ECU named \"" + Shown(ecu_name) +
                           "\" in this configuration: the tester's menu would show two alike",
                       true});
      }
      if (c.type != 1) continue;
      std::set<std::string> frame_names;
      for (std::size_t k = 0; k < u.frames.size(); ++k) {
        grow(kFrameSize, ii, jj, int(k));
        const std::string frame_name = TrimmedText(u.frames[k].name);
        if (!frame_names.insert(frame_name).second) {
          out.push_back({W::kName, ii, jj, int(k),
                         "a second frame named \"" + Shown(frame_name) + "\" in this ECU", true});
        }
      }
    }
  }
  return out;
}

}  // namespace plan
