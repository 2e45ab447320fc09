// The labels of the web-page, JSON and CSV reports in the three languages, beside the text
// report's own UI texts (which these reports reuse for the tester's verdict words). Windows-1252
// bytes like every other table of the application.
#pragma once

#include <string>

namespace report {

enum class ReportLabel : int {
  kTitle,
  kTester,
  kFirmware,
  kUploadDate,
  kConfiguration,
  kOverallVerdict,
  kPassed,
  kFailed,
  kNoTestRun,
  kTestsNotRun,
  kWiring,
  kScreening,
  kSignal,
  kLength,
  kTest,
  kMeasured,
  kLowerLimit,
  kUpperLimit,
  kMargin,
  kVerdict,
  kEcu,
  kEcuNotTested,
  kBitRate,
  kPropagationSpeed,
  kMeasuredLength,
  kMaximumLength,
  kCursorLevel,
  kCurve,
  kDistance,
  kLevel,
  kSample,
  kNoCurve,
  kNoSpeed,
  kLegend,
  kMarkGreater,
  kMarkC,
  kMarkD,
  kMarkStar,
  kMarginNote,
  kArchiveFailed,
  kCount
};

// `label` in `language`; English for a language out of range.
const std::string& ReportLabelText(int language, ReportLabel label);

// "de", "en" or "fr" ("en" for a language out of range).
const char* LanguageCode(int language);

}  // namespace report
