// Reads a plan's text (TOML, docs/configuration-plan.md) into a Plan, finding every fault in one
// pass: a syntax error ends the reading where it stands, every other fault (a value out of its
// range or of the wrong kind, a text too long for its field or without a code page 1252 form, a
// wrong count, an unknown key, a breached limit) is reported at the value's line and column and
// the reading goes on.
#pragma once

#include <string_view>
#include <vector>

#include "plan/diagnostic.h"
#include "plan/plan_model.h"

namespace plan {

// False when any error (not a warning) was found; `out` is then incomplete.
bool ReadPlanText(std::string_view text, Plan* out, std::vector<Diagnostic>* diagnostics);

}  // namespace plan
