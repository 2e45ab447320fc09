// Reads a configuration source into a Plan, refusing what the configuration builder refuses
// (a cut file, an outline that does not match the configurations, a tree too large for the
// tester's area, no configuration at all) with the byte offset and the reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "plan/plan_model.h"

namespace plan {

struct DecodeError {
  std::size_t offset = 0;  // where the fault lies in the source
  std::string message;
};

bool DecodeSource(std::span<const std::uint8_t> bytes, Plan* out, DecodeError* error);

}  // namespace plan
