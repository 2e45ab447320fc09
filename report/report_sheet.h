// The measured values of one upload as rows, the way the web-page, JSON and CSV reports show
// them: each value in its unit beside its limits, its margin (distance to the nearest limit,
// negative outside) and the tester's own verdict, in the text report's order and numbering.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "report/result_model.h"

namespace report {

enum class TestSection { kWiring, kScreening, kSignal, kLength };
inline constexpr int kTestSectionCount = 4;

// The tester's verdict on a row; the margin never changes it.
enum class RowVerdict { kNone, kPassed, kFailed, kMeasurementError };

struct SheetRow {
  TestSection section = TestSection::kWiring;
  int ecu = -1;        // index into the model's ECUs, signal rows only
  std::string number;  // the text report's number: "1.2", "3.1.4"
  std::string key;     // a stable name for programs: "R_L1/L2", "D_L1", "Debit"
  std::string item;    // Windows-1252 title, as the results file or the tables give it
  double value = 0;
  const char* unit = "";
  std::string mark_before;  // ">"
  std::string mark_after;   // "C", "D", "DC", or "*" for a level out of range
  std::uint32_t raw = 0;    // the value as read, marks included
  std::optional<double> lower, upper, margin;
  RowVerdict verdict = RowVerdict::kNone;
  std::string verdict_word;  // Windows-1252, as the text report prints it
};

struct EcuHeading {
  int index = 0;   // into the model's ECUs
  int number = 0;  // from 1, by position, as in the text report
  bool tested = false;
  RowVerdict verdict = RowVerdict::kNone;
  std::string verdict_word;
};

enum class OverallVerdict { kPassed, kFailed, kNoTestRun };

struct ReportSheet {
  bool run[kTestSectionCount] = {};  // by TestSection
  std::vector<SheetRow> rows;
  std::vector<EcuHeading> ecus;
  // Failed when any row of a test that ran failed; tests not run never count as passed.
  OverallVerdict overall = OverallVerdict::kNoTestRun;
};

ReportSheet BuildReportSheet(const ResultModel& model, int language);

// "passed", "failed", "no_test_run"; "passed", "failed", "measurement_error", "" for programs.
const char* OverallVerdictKey(OverallVerdict verdict);
const char* RowVerdictKey(RowVerdict verdict);
const char* SectionKey(TestSection section);  // "wiring", "screening", "signal", "length"

}  // namespace report
