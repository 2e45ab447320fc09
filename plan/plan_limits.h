// What a plan must keep to for the tester to take it, beyond each field's own range: the counts,
// the size of the configuration tree, and names that tell the parts apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "plan/plan_model.h"

namespace plan {

inline constexpr std::size_t kMaxConfigurations = 100;  // the builder's label blocks
inline constexpr std::size_t kMaxEcus = 255;            // counts are single bytes
inline constexpr std::size_t kMaxFrames = 255;
inline constexpr std::uint64_t kMaxTreeSize = 65536;  // the image has no address record inside it

// Bytes of the configuration tree (header and records) the builder places for `plan`.
std::uint64_t TreeSize(const Plan& plan);

// One breach, located by the part it concerns (-1: none) and what of it.
struct LimitProblem {
  enum class Where { kConfigurations, kEcus, kFrames, kName };
  Where where;
  int configuration = -1, ecu = -1, frame = -1;
  std::string message;
  bool warning = false;  // the builder takes it, but it is likely a mistake
};

std::vector<LimitProblem> CheckLimits(const Plan& plan);

}  // namespace plan
