// The report's format, chosen like a Windows program's "Save as type": by the file name's
// extension. ".html"/".htm", ".json" and ".csv" (any letter case) choose the web page, the data and
// the table; every other name is a text report, byte for byte as always.
#pragma once

#include <string>

#include "report/result_model.h"
#include "report/tester_identity.h"

namespace report {

enum class ReportFormat { kText, kHtml, kJson, kCsv };

ReportFormat ReportFormatFor(const std::string& path);

// The report's bytes in `format`; the model stays as it is.
std::string ReportBytes(ReportFormat format, const ResultModel& model, int language,
                        const TesterIdentity& tester);

// Writes the report for `path`'s format as the file's whole new content (through a temporary
// beside it, so that a failed write leaves an earlier file as it was). False with the system's
// reason.
bool WriteReportAs(const std::string& path, const ResultModel& model, int language,
                   const TesterIdentity& tester, std::string& reason);

}  // namespace report
