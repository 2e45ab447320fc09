#include "report/report_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "report/language_tables.h"
#include "report/report_labels.h"
#include "report/signal_subtests.h"
#include "report/value_marks.h"

namespace report {
namespace {

// The wiring names of entries 7 down to 0, for programs.
constexpr const char* kWiringKeys[kWiringTestCount] = {"CC_L2/SHIELD", "CC_L1/SHIELD", "CC_L2/GND",
                                                       "CC_L1/GND",    "CC_L2/VCC",    "CC_L1/VCC",
                                                       "CO_L1/L2",     "R_L1/L2"};

double Margin(double value, const std::optional<double>& lower,
              const std::optional<double>& upper) {
  double margin = INFINITY;
  if (lower) margin = std::min(margin, value - *lower);
  if (upper) margin = std::min(margin, *upper - value);
  // Tenths of a unit are the finest the tester gives; this keeps -0.00 and 0.0999.. away.
  return std::round(margin * 1000.0) / 1000.0;
}

class SheetBuilder {
 public:
  SheetBuilder(const ResultModel& model, int language) : model_(model), language_(language) {}

  ReportSheet Build() {
    sheet_.run[static_cast<int>(TestSection::kWiring)] = model_.tests_faisceau == 1;
    sheet_.run[static_cast<int>(TestSection::kScreening)] = model_.test_blindage == 1;
    sheet_.run[static_cast<int>(TestSection::kSignal)] = model_.tests_electriques == 1;
    sheet_.run[static_cast<int>(TestSection::kLength)] = model_.test_longueur == 1;
    if (model_.tests_faisceau == 1) Wiring();
    if (model_.test_blindage == 1) Screening();
    if (model_.tests_electriques == 1) Signal();
    if (model_.test_longueur == 1) Length();

    bool any_run = false;
    for (bool run : sheet_.run) any_run = any_run || run;
    bool failed = false;
    for (const SheetRow& row : sheet_.rows) {
      failed = failed || row.verdict == RowVerdict::kFailed ||
               row.verdict == RowVerdict::kMeasurementError;
    }
    for (const EcuHeading& ecu : sheet_.ecus) {
      failed = failed || (ecu.tested && ecu.verdict == RowVerdict::kFailed);
    }
    sheet_.overall = !any_run ? OverallVerdict::kNoTestRun
                     : failed ? OverallVerdict::kFailed
                              : OverallVerdict::kPassed;
    return std::move(sheet_);
  }

 private:
  const std::string& Ui(int index) const { return UiText(language_, index); }

  SheetRow& Add(TestSection section, std::string number, std::string key, std::string item,
                double value, const char* unit) {
    SheetRow& row = sheet_.rows.emplace_back();
    row.section = section;
    row.number = std::move(number);
    row.key = std::move(key);
    row.item = std::move(item);
    row.value = value;
    row.unit = unit;
    return row;
  }

  void Judge(SheetRow& row, bool passed, const std::string& failed_word) {
    row.verdict = passed ? RowVerdict::kPassed : RowVerdict::kFailed;
    row.verdict_word = passed ? "OK" : failed_word;
  }

  void Limits(SheetRow& row, std::optional<double> lower, std::optional<double> upper) {
    row.lower = lower;
    row.upper = upper;
    row.margin = Margin(row.value, lower, upper);
  }

  // A wiring or screening value: marks apart, the number in ohm.
  SheetRow& AddMarkedOhm(TestSection section, std::string number, std::string key, std::string item,
                         std::uint32_t raw) {
    SheetRow& row =
        Add(section, std::move(number), std::move(key), std::move(item), MarkedOhm(raw), "Ohm");
    row.raw = raw;
    row.mark_before = MarkBefore(raw);
    row.mark_after = MarkAfter(raw);
    return row;
  }

  void Wiring() {
    const WiringTest& loop = model_.wiring[kWiringLoopResistance];
    SheetRow& row = AddMarkedOhm(TestSection::kWiring, "1.1", kWiringKeys[kWiringLoopResistance],
                                 loop.title, loop.value);
    Limits(row, loop.threshold * 0.1, loop.threshold_high * 0.1);
    Judge(row, loop.state == 1, Ui(ui_text::kError));
    int n = 1;
    // Short circuits 5 down to 0, as the text report numbers them; state 1 is a short circuit.
    for (int entry = 5; entry >= 0; --entry) {
      const WiringTest& test = model_.wiring[entry];
      SheetRow& shorted = AddMarkedOhm(TestSection::kWiring, "1." + std::to_string(++n),
                                       kWiringKeys[entry], test.title, test.value);
      Limits(shorted, static_cast<double>(test.threshold), std::nullopt);
      Judge(shorted, test.state != 1, Ui(ui_text::kError));
    }
  }

  void Screening() {
    const ScreeningResult& s = model_.screening;
    SheetRow& row = AddMarkedOhm(TestSection::kScreening, "2", "Blindage",
                                 Ui(ui_text::kScreeningName), s.mes_co_blindage);
    Limits(row, std::nullopt, s.seuil_co_blindage * 0.1);
    const bool passed = s.result_blindage == 1;
    row.verdict = passed ? RowVerdict::kPassed : RowVerdict::kFailed;
    row.verdict_word = Ui(passed ? ui_text::kScreeningOk : ui_text::kScreeningError);
  }

  void Signal() {
    const SignalTitles& titles = model_.signal;
    for (std::size_t index = 0; index < model_.ecus.size(); ++index) {
      const EcuSignalRecord& ecu = model_.ecus[index];
      EcuHeading& heading = sheet_.ecus.emplace_back();
      heading.index = static_cast<int>(index);
      heading.number = static_cast<int>(index) + 1;
      heading.tested = ecu.etat_test_st == 1;
      if (!heading.tested) continue;
      const bool passed = ecu.result_test_st == 1;
      heading.verdict = passed ? RowVerdict::kPassed : RowVerdict::kFailed;
      heading.verdict_word = passed ? "OK" : Ui(ui_text::kError);

      const std::string prefix = "3." + std::to_string(heading.number) + ".";
      auto add = [&](int sub, const char* key, const std::string& title, double value,
                     const char* unit) -> SheetRow& {
        SheetRow& row =
            Add(TestSection::kSignal, prefix + std::to_string(sub), key, title, value, unit);
        row.ecu = heading.index;
        return row;
      };
      SheetRow& rate = add(1, "Debit", titles.titre_debit, ecu.val_debit * 0.1, "kBit/s");
      rate.raw = ecu.val_debit;
      const double selected = ecu.val_debit_conf * 0.1;
      const double tolerance = ecu.tol_debit * 0.001;
      Limits(rate, selected - tolerance, selected + tolerance);
      Judge(rate, ecu.etat_debit == 1, Ui(ui_text::kError));

      for (const LevelSubtest& sub : kLevelSubtests) {
        const std::uint32_t level = ecu.*sub.level;
        const bool out_of_range = level == kLevelOutOfRange;
        SheetRow& row =
            add(sub.number, sub.key, titles.*sub.title, out_of_range ? 25.5 : level * 0.1, "V");
        row.raw = level;
        if (out_of_range) row.mark_after = "*";
        Limits(row, model_.*sub.lower * 0.1, model_.*sub.upper * 0.1);
        // A measurement error outweighs the state, as in the text report.
        if (ecu.*sub.error != 0) {
          row.verdict = RowVerdict::kMeasurementError;
          row.verdict_word = Ui(ui_text::kProblemL2);
        } else {
          Judge(row, ecu.*sub.state == 1, Ui(ui_text::kError));
        }
      }
      for (const EdgeSubtest& sub : kEdgeSubtests) {
        SheetRow& row =
            add(sub.number, sub.key, titles.*sub.title, static_cast<int>(ecu.*sub.value), "ns");
        row.raw = ecu.*sub.value;
      }
    }
  }

  void Length() {
    const LengthResult& length = model_.length;
    SheetRow& rate =
        Add(TestSection::kLength, "4.1", "Debit", ReportLabelText(language_, ReportLabel::kBitRate),
            length.debit * 0.1, "kBit/s");
    rate.raw = length.debit;
    SheetRow& speed = Add(TestSection::kLength, "4.1", "Vitesse",
                          ReportLabelText(language_, ReportLabel::kPropagationSpeed),
                          length.vitesse * 0.1, "ns/m");
    speed.raw = length.vitesse;
    SheetRow& measured = Add(TestSection::kLength, "4.2", "Longueur_Mes",
                             ReportLabelText(language_, ReportLabel::kMeasuredLength),
                             static_cast<int>(length.longueur_mes), "m");
    measured.raw = length.longueur_mes;
    Limits(measured, std::nullopt, static_cast<double>(length.longueur_max));
    const bool passed = length.result_longueur == 1;
    measured.verdict = passed ? RowVerdict::kPassed : RowVerdict::kFailed;
    measured.verdict_word = passed ? "OK" : Ui(ui_text::kError);
  }

  const ResultModel& model_;
  int language_;
  ReportSheet sheet_;
};

}  // namespace

ReportSheet BuildReportSheet(const ResultModel& model, int language) {
  return SheetBuilder(model, language).Build();
}

const char* OverallVerdictKey(OverallVerdict verdict) {
  switch (verdict) {
    case OverallVerdict::kPassed:
      return "passed";
    case OverallVerdict::kFailed:
      return "failed";
    default:
      return "no_test_run";
  }
}

const char* RowVerdictKey(RowVerdict verdict) {
  switch (verdict) {
    case RowVerdict::kPassed:
      return "passed";
    case RowVerdict::kFailed:
      return "failed";
    case RowVerdict::kMeasurementError:
      return "measurement_error";
    default:
      return "";
  }
}

const char* SectionKey(TestSection section) {
  switch (section) {
    case TestSection::kWiring:
      return "wiring";
    case TestSection::kScreening:
      return "screening";
    case TestSection::kSignal:
      return "signal";
    default:
      return "length";
  }
}

}  // namespace report
