// Writes a plan as its canonical text: the TOML form that docs/configuration-plan.md describes,
// with a comment at each message and label saying which slot it fills. The same plan always gives
// the same text, so that decompiled configurations diff cleanly in version control.
#pragma once

#include <string>

#include "plan/plan_model.h"

namespace plan {

std::string WritePlanText(const Plan& plan);

}  // namespace plan
