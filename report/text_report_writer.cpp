// The report of one upload. The formats are the program's own constants; every text from the
// results file or the language tables goes in as an argument. The whole report is built in memory
// with CRLF line ends and written in one go, so it is byte-identical on every platform.
#include "report/text_report_writer.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <string>
#include <vector>

#include "report/language_tables.h"
#include "report/signal_subtests.h"
#include "report/value_marks.h"

namespace report {
namespace {

// Collects formatted text, storing each line feed as carriage return and line feed.
class ReportText {
 public:
  __attribute__((format(printf, 2, 3))) void Print(const char* format, ...) {
    char buffer[512];
    std::va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (length < 0) return;
    if (static_cast<std::size_t>(length) < sizeof buffer) {
      Append(buffer, static_cast<std::size_t>(length));
      return;
    }
    std::vector<char> large(static_cast<std::size_t>(length) + 1);
    va_start(args, format);
    std::vsnprintf(large.data(), large.size(), format, args);
    va_end(args);
    Append(large.data(), static_cast<std::size_t>(length));
  }

  const std::string& bytes() const { return bytes_; }

 private:
  void Append(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
      if (text[i] == '\n') bytes_ += '\r';
      bytes_ += text[i];
    }
  }

  std::string bytes_;
};

class TextReportWriter {
 public:
  TextReportWriter(const ResultModel& model, int language) : model_(model), language_(language) {}

  void Write() {
    Header();
    // Only a flag of exactly 1 means the test was run.
    if (model_.tests_faisceau == 1) {
      Wiring();
    } else {
      NotDone(ui_text::kWiringTitle);
    }
    if (model_.test_blindage == 1) {
      Screening();
    } else {
      NotDone(ui_text::kScreeningTitle);
    }
    if (model_.tests_electriques == 1) {
      Signal();
    } else {
      NotDone(ui_text::kSignalTitle);
    }
    if (model_.test_longueur == 1) {
      Length();
    } else {
      NotDone(ui_text::kLengthTitle);
    }
  }

  const std::string& bytes() const { return out_.bytes(); }

 private:
  const char* Ui(ui_text::Index index) const { return UiText(language_, index).c_str(); }

  void NotDone(ui_text::Index title) { out_.Print("%s\t%s\n\n", Ui(title), Ui(ui_text::kNotDone)); }

  void Header() {
    static const char kRule[] = "===========================================================\n";
    out_.Print("%s", kRule);
    out_.Print("=   %s%s\n", Ui(ui_text::kDateOfUpload), model_.upload_date.c_str());
    out_.Print("%s", kRule);
  }

  // A wiring or screening value with its marks: `indent` then label, ">", number, "D"/"C", unit.
  void MarkedValue(const char* indent, const char* label, std::uint32_t value) {
    out_.Print("%s%s%s%.02f%s Ohm\n\n", indent, label, MarkBefore(value), MarkedOhm(value),
               MarkAfter(value));
  }

  void Wiring() {
    out_.Print("%s\n\n", Ui(ui_text::kWiringTitle));
    const WiringTest& loop = model_.wiring[kWiringLoopResistance];
    int n = 1;
    out_.Print("\t1.%d %-30s\t%s\n\n", n, loop.title.c_str(),
               loop.state == 1 ? "OK" : Ui(ui_text::kError));
    out_.Print("\t  %s%.02f Ohm\n", Ui(ui_text::kMinimum), loop.threshold * 0.1);
    out_.Print("\t  %s%.02f Ohm\n", Ui(ui_text::kMaximum), loop.threshold_high * 0.1);
    MarkedValue("\t  ", Ui(ui_text::kMeasured), loop.value);
    // Short circuits 5 down to 0; the open circuit (6) is never printed.
    for (int entry = 5; entry >= 0; --entry) {
      const WiringTest& test = model_.wiring[entry];
      ++n;
      out_.Print("\t1.%d %-30s\t%s\n\n", n, test.title.c_str(),
                 test.state == 1 ? Ui(ui_text::kError) : "OK");
      out_.Print("\t  %s%.02f Ohm\n", Ui(ui_text::kThreshold), static_cast<double>(test.threshold));
      MarkedValue("\t  ", Ui(ui_text::kMeasured), test.value);
    }
  }

  void Screening() {
    out_.Print("%s\n\n", Ui(ui_text::kScreeningTitle));
    out_.Print("\t%s\t\t%s\n\n", Ui(ui_text::kScreeningName),
               model_.screening.result_blindage == 1 ? Ui(ui_text::kScreeningOk)
                                                     : Ui(ui_text::kScreeningError));
    out_.Print("\t%s%.02f Ohm\n", Ui(ui_text::kScreeningThreshold),
               model_.screening.seuil_co_blindage * 0.1);
    MarkedValue("\t", Ui(ui_text::kScreeningMeasured), model_.screening.mes_co_blindage);
  }

  void Signal() {
    out_.Print("%s\n\n", Ui(ui_text::kSignalTitle));
    const SignalTitles& titles = model_.signal;
    int i = 0;
    for (const EcuSignalRecord& ecu : model_.ecus) {
      ++i;  // an ECU left out still uses up its number
      if (ecu.etat_test_st != 1) continue;
      out_.Print("\t3.%d %-34s\t%s\n\n", i, ecu.nom.c_str(),
                 ecu.result_test_st == 1 ? "OK" : Ui(ui_text::kError));
      out_.Print("\t  3.%d.1 %-30s\t%s\n\n", i, titles.titre_debit.c_str(),
                 ecu.etat_debit == 1 ? "OK" : Ui(ui_text::kError));
      out_.Print("\t\t%s%.02f kBit/s\n", Ui(ui_text::kRateSelected), ecu.val_debit_conf * 0.1);
      out_.Print("\t\t%s+-%.02f kBit/s\n", Ui(ui_text::kRateTolerance), ecu.tol_debit * 0.001);
      out_.Print("\t\t%s%.02f kBit/s\n\n", Ui(ui_text::kRateMeasured), ecu.val_debit * 0.1);
      for (const LevelSubtest& sub : kLevelSubtests) {
        // A measurement error outweighs the state; only state 1 without error is OK.
        const char* word = ecu.*sub.error != 0   ? Ui(ui_text::kProblemL2)
                           : ecu.*sub.state == 1 ? "OK"
                                                 : Ui(ui_text::kError);
        out_.Print("\t  3.%d.%d %-30s\t%s\n\n", i, sub.number, (titles.*sub.title).c_str(), word);
        out_.Print("\t\t%s%.02f V\n", Ui(ui_text::kMinimum), model_.*sub.lower * 0.1);
        out_.Print("\t\t%s%.02f V\n", Ui(ui_text::kMaximum), model_.*sub.upper * 0.1);
        if (ecu.*sub.level == kLevelOutOfRange) {
          out_.Print("\t\t%s%.02f V *\n\n", Ui(ui_text::kMeasured), 25.5);
        } else {
          out_.Print("\t\t%s%.02f V\n\n", Ui(ui_text::kMeasured), ecu.*sub.level * 0.1);
        }
      }
      for (const EdgeSubtest& sub : kEdgeSubtests) {
        out_.Print("\t  3.%d.%d %s : %d ns\n", i, sub.number, (titles.*sub.title).c_str(),
                   static_cast<int>(ecu.*sub.value));
      }
      out_.Print("\n");
    }
  }

  // The acquisition curve's entries.
  bool Empty(std::size_t k) const {
    const AcquisitionBuffer& buffer = model_.length.acquisition;
    return buffer[k * kAcquisitionEntrySize] == 0xFF &&
           buffer[k * kAcquisitionEntrySize + 1] == 0xFF;
  }
  std::uint8_t ScaleByte(std::size_t k) const {
    return model_.length.acquisition[k * kAcquisitionEntrySize + 2];
  }
  std::uint8_t LevelByte(std::size_t k) const {
    return model_.length.acquisition[k * kAcquisitionEntrySize + 3];
  }

  // Metres of entry k: 27.7 ns per entry over the propagation speed, there and back. Without a
  // speed there is no distance to compute: 0.
  int Distance(std::size_t k) const {
    if (model_.length.vitesse == 0) return 0;
    const double metres = 27.7 / (model_.length.vitesse * 0.1) * 0.5 * static_cast<double>(k);
    return static_cast<int>(std::min(metres, 2147483647.0));
  }

  // Plotted level in percent of the scale, of which the low 8 bits are printed; 0 without scale.
  int Level(std::size_t k, int scale) const {
    if (scale == 0) return 0;
    return (((LevelByte(k) & 0xFE) * 100) / scale) & 0xFF;
  }

  void Length() {
    const LengthResult& length = model_.length;
    out_.Print("%s\n\n", Ui(ui_text::kLengthTitle));
    out_.Print("\t%s\n\n", Ui(ui_text::kParameters));
    out_.Print("\t  %s%.02f kBit/s\n", Ui(ui_text::kLengthRate), length.debit * 0.1);
    out_.Print("\t  %s%.02f ns/m\n\n", Ui(ui_text::kPropagationSpeed), length.vitesse * 0.1);
    out_.Print("\t%s\n\n", Ui(ui_text::kLengthHead));
    out_.Print("\t  %s%d m\n\n", Ui(ui_text::kCursorPosition),
               static_cast<int>(length.longueur_mes));

    bool any_sample = false;
    int scale = 0;
    for (std::size_t k = 0; k < kAcquisitionEntryCount; ++k) {
      if (Empty(k)) continue;
      any_sample = true;
      scale = std::max<int>(scale, ScaleByte(k));
    }
    if (!any_sample) return;
    out_.Print("\t%s\n\n", Ui(ui_text::kMeasuredValues));

    int cursor = -1;
    for (std::size_t k = 0; k < kAcquisitionEntryCount; ++k) {
      if (!Empty(k) && Distance(k) >= static_cast<int>(length.longueur_mes)) {
        cursor = Level(k, scale);
        break;
      }
    }
    out_.Print("\t  %s%.4i , %.3i \n\n", Ui(ui_text::kCursorPosition),
               static_cast<int>(length.longueur_mes), cursor);
    out_.Print("\t  %s\n\n\t  ", Ui(ui_text::kCurveHead));
    for (std::size_t k = 0; k < kAcquisitionEntryCount; ++k) {
      if (k != 0 && k % 10 == 0) out_.Print("\n\t  ");
      if (Empty(k)) break;
      out_.Print("%.4i,%.3i|", Distance(k), Level(k, scale));
    }
  }

  const ResultModel& model_;
  int language_;
  ReportText out_;
};

}  // namespace

std::string TextReport(const ResultModel& model, int language) {
  TextReportWriter writer(model, language);
  writer.Write();
  return writer.bytes();
}

}  // namespace report
