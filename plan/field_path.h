// The names by which messages, differences and byte maps call the parts of a plan:
// "configuration[LIGNE4_BUS_A].ecu[ABS_ESP].frame[MOT_REGIME].identifier". A part is named by
// its trimmed name, or by "#index" when its name is empty or not unique among its siblings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "plan/plan_model.h"

namespace plan {

// The text of a field as the tester uses it: up to its first NUL, white space trimmed at both
// ends (the builder's rule), still in code page 1252.
std::string TrimmedText(std::span<const std::uint8_t> field);

std::string ConfigurationPath(const Plan& plan, std::size_t index);
std::string EcuPath(const Configuration& configuration, std::size_t index);
std::string FramePath(const Ecu& ecu, std::size_t index);

}  // namespace plan
