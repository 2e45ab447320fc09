// The web-page report: one self-contained UTF-8 HTML file (inline CSS and SVG, no script, nothing
// fetched) in one language, made to be read at a glance and printed on A4.
#pragma once

#include <string>

#include "report/result_model.h"
#include "report/tester_identity.h"

namespace report {

std::string HtmlReport(const ResultModel& model, int language, const TesterIdentity& tester);

}  // namespace report
