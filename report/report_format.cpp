#include "report/report_format.h"

#include "platform/error_text.h"
#include "platform/file_replace.h"
#include "report/csv_report_writer.h"
#include "report/html_report_writer.h"
#include "report/json_report_writer.h"
#include "report/text_report_writer.h"

namespace report {
namespace {

std::string LowerExtension(const std::string& path) {
  const std::size_t name_start = path.find_last_of("\\/");
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (name_start != std::string::npos && dot < name_start)) return {};
  std::string extension = path.substr(dot + 1);
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension;
}

}  // namespace

ReportFormat ReportFormatFor(const std::string& path) {
  const std::string extension = LowerExtension(path);
  if (extension == "html" || extension == "htm") return ReportFormat::kHtml;
  if (extension == "json") return ReportFormat::kJson;
  if (extension == "csv") return ReportFormat::kCsv;
  return ReportFormat::kText;
}

std::string ReportBytes(ReportFormat format, const ResultModel& model, int language,
                        const TesterIdentity& tester) {
  switch (format) {
    case ReportFormat::kHtml:
      return HtmlReport(model, language, tester);
    case ReportFormat::kJson:
      return JsonReport(model, language, tester);
    case ReportFormat::kCsv:
      return CsvReport(model, language);
    default:
      return TextReport(model, language);
  }
}

bool WriteReportAs(const std::string& path, const ResultModel& model, int language,
                   const TesterIdentity& tester, std::string& reason) {
  const std::string bytes = ReportBytes(ReportFormatFor(path), model, language, tester);
  if (platform::ReplaceFileContent(path, bytes)) return true;
  reason = platform::LastErrorText();
  return false;
}

}  // namespace report
