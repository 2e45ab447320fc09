// The JSON report: everything the result model holds (configuration, thresholds, every test's
// values with units and raw values, verdicts, tests not run, the curve), UTF-8, as described by
// docs/results-report.schema.json.
#pragma once

#include <string>

#include "report/result_model.h"
#include "report/tester_identity.h"

namespace report {

inline constexpr int kJsonReportVersion = 1;

std::string JsonReport(const ResultModel& model, int language, const TesterIdentity& tester);

}  // namespace report
