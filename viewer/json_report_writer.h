// The JSON report: everything the result model holds (configuration, thresholds, every test's
// values with units and raw values, verdicts, tests not run, the curve), UTF-8, as described by
// docs/results-report.schema.json.
#pragma once

#include <string>

#include "viewer/result_model.h"
#include "viewer/tester_identity.h"

namespace viewer {

inline constexpr int kJsonReportVersion = 1;

std::string JsonReport(const ResultModel& model, int language, const TesterIdentity& tester);

}  // namespace viewer
