// `testerplan show`: what a configuration holds, in words, and the tester's menu tree as the
// builder makes it for the tester (the same entries, rings and texts Quillink sends).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plan/plan_model.h"

namespace plan {

enum class ShowLanguage { kGerman, kEnglish, kFrench };

// `menu_entries`: the builder's entry table (builder_verdict.h) for the same plan.
std::string ShowPlan(const Plan& plan, const std::vector<std::uint8_t>& menu_entries,
                     ShowLanguage language);

}  // namespace plan
