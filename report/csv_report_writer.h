// The CSV report: one row per measured value (section, number, item, value, its marks, unit,
// lower limit, upper limit, margin, verdict), RFC 4180 (comma, CRLF, quoted where needed), UTF-8.
// The header row is fixed for programs; sections, items and verdicts are in the report's language.
#pragma once

#include <string>

#include "report/result_model.h"

namespace report {

inline constexpr char kCsvHeader[] =
    "section,number,item,value,marks,unit,lower_limit,upper_limit,margin,verdict";

std::string CsvReport(const ResultModel& model, int language);

}  // namespace report
