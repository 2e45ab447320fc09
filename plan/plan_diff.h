// The differences between two plans, by field: configurations, ECUs and frames are matched by
// name (then frames by identifier, then what is left by position), so that a renamed ECU or a
// changed identifier is one line "path: old -> new", not a removal and an addition.
#pragma once

#include <string>
#include <vector>

#include "plan/plan_model.h"

namespace plan {

std::vector<std::string> DiffPlans(const Plan& before, const Plan& after);

}  // namespace plan
