#include "report/csv_report_writer.h"

#include "report/report_labels.h"
#include "report/report_sheet.h"
#include "report/text_escaping.h"

namespace report {
namespace {

ReportLabel SectionLabel(TestSection section) {
  switch (section) {
    case TestSection::kWiring:
      return ReportLabel::kWiring;
    case TestSection::kScreening:
      return ReportLabel::kScreening;
    case TestSection::kSignal:
      return ReportLabel::kSignal;
    default:
      return ReportLabel::kLength;
  }
}

// Whole units stay whole, as the text report prints them.
std::string Value(double value, const std::string& unit) {
  if (unit == "m" || unit == "ns") return std::to_string(static_cast<long long>(value));
  return FixedTwo(value);
}

}  // namespace

std::string CsvReport(const ResultModel& model, int language) {
  const ReportSheet sheet = BuildReportSheet(model, language);
  std::string out = std::string(kCsvHeader) + "\r\n";
  for (const SheetRow& row : sheet.rows) {
    std::string item = row.item;
    // A signal value names its ECU, so that each row stands on its own.
    if (row.ecu >= 0) item = model.ecus[static_cast<std::size_t>(row.ecu)].nom + ": " + item;
    const std::string unit = row.unit;
    out += CsvText(ReportLabelText(language, SectionLabel(row.section))) + "," +
           CsvText(row.number) + "," + CsvText(item) + "," + Value(row.value, unit) + "," +
           CsvText(row.mark_before + row.mark_after) + "," + CsvText(unit) + "," +
           (row.lower ? Value(*row.lower, unit) : "") + "," +
           (row.upper ? Value(*row.upper, unit) : "") + "," +
           (row.margin ? Value(*row.margin, unit) : "") + "," + CsvText(row.verdict_word) + "\r\n";
  }
  return out;
}

}  // namespace report
