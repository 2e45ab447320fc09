// The report of one upload. The formats are the program's own constants; every text from the
// results file or the language tables goes in as an argument. The whole report is built in memory
// with CRLF line ends and written in one go, so it is byte-identical on every platform.
#include "viewer/report_writer.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <string>
#include <vector>

#include "viewer/language_tables.h"

namespace viewer {
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

// The UI texts of the report, by their index in the language tables.
enum UiIndex : int {
  kDateOfUpload = 1,
  kWiringTitle = 2,
  kThreshold = 3,
  kMeasured = 4,
  kMinimum = 5,
  kMaximum = 6,
  kSignalTitle = 7,
  kRateSelected = 8,
  kRateTolerance = 9,
  kRateMeasured = 10,
  kLengthTitle = 11,
  kParameters = 12,
  kLengthRate = 13,
  kPropagationSpeed = 14,
  kLengthHead = 15,
  kCursorPosition = 17,
  kError = 21,
  kProblemL2 = 22,
  kNotDone = 25,
  kMeasuredValues = 29,
  kCurveHead = 30,
  kScreeningTitle = 31,
  kScreeningName = 32,
  kScreeningError = 33,
  kScreeningThreshold = 34,
  kScreeningMeasured = 35,
  kScreeningOk = 36,
};

constexpr std::uint32_t kMarkGreater = 1u << 29;  // ">" before the number
constexpr std::uint32_t kMarkC = 1u << 30;        // "C" after it
constexpr std::uint32_t kMarkD = 1u << 31;        // "D" after it, before a "C"
constexpr std::uint32_t kValueBits = kMarkGreater - 1;

// Suffixes after the number by bits 31 and 30.
constexpr const char* kMarkSuffix[4] = {"", "C", "D", "DC"};

class ReportWriter {
 public:
  ReportWriter(const ResultModel& model, int language) : model_(model), language_(language) {}

  void Write() {
    Header();
    // Only a flag of exactly 1 means the test was run.
    if (model_.tests_faisceau == 1) {
      Wiring();
    } else {
      NotDone(kWiringTitle);
    }
    if (model_.test_blindage == 1) {
      Screening();
    } else {
      NotDone(kScreeningTitle);
    }
    if (model_.tests_electriques == 1) {
      Signal();
    } else {
      NotDone(kSignalTitle);
    }
    if (model_.test_longueur == 1) {
      Length();
    } else {
      NotDone(kLengthTitle);
    }
  }

  const std::string& bytes() const { return out_.bytes(); }

 private:
  const char* Ui(UiIndex index) const { return UiText(language_, index).c_str(); }

  void NotDone(UiIndex title) { out_.Print("%s\t%s\n\n", Ui(title), Ui(kNotDone)); }

  void Header() {
    static const char kRule[] = "===========================================================\n";
    out_.Print("%s", kRule);
    out_.Print("=   %s%s\n", Ui(kDateOfUpload), model_.upload_date.c_str());
    out_.Print("%s", kRule);
  }

  // A wiring or screening value with its marks: `indent` then label, ">", number, "D"/"C", unit.
  void MarkedValue(const char* indent, const char* label, std::uint32_t value) {
    const char* greater = (value & kMarkGreater) ? ">" : "";
    const char* suffix = kMarkSuffix[((value & kMarkD) ? 2 : 0) + ((value & kMarkC) ? 1 : 0)];
    out_.Print("%s%s%s%.02f%s Ohm\n\n", indent, label, greater, (value & kValueBits) * 0.1, suffix);
  }

  void Wiring() {
    out_.Print("%s\n\n", Ui(kWiringTitle));
    const WiringTest& loop = model_.wiring[kWiringLoopResistance];
    int n = 1;
    out_.Print("\t1.%d %-30s\t%s\n\n", n, loop.title.c_str(), loop.state == 1 ? "OK" : Ui(kError));
    out_.Print("\t  %s%.02f Ohm\n", Ui(kMinimum), loop.threshold * 0.1);
    out_.Print("\t  %s%.02f Ohm\n", Ui(kMaximum), loop.threshold_high * 0.1);
    MarkedValue("\t  ", Ui(kMeasured), loop.value);
    // Short circuits 5 down to 0; the open circuit (6) is never printed.
    for (int entry = 5; entry >= 0; --entry) {
      const WiringTest& test = model_.wiring[entry];
      ++n;
      out_.Print("\t1.%d %-30s\t%s\n\n", n, test.title.c_str(),
                 test.state == 1 ? Ui(kError) : "OK");
      out_.Print("\t  %s%.02f Ohm\n", Ui(kThreshold), static_cast<double>(test.threshold));
      MarkedValue("\t  ", Ui(kMeasured), test.value);
    }
  }

  void Screening() {
    out_.Print("%s\n\n", Ui(kScreeningTitle));
    out_.Print("\t%s\t\t%s\n\n", Ui(kScreeningName),
               model_.screening.result_blindage == 1 ? Ui(kScreeningOk) : Ui(kScreeningError));
    out_.Print("\t%s%.02f Ohm\n", Ui(kScreeningThreshold),
               model_.screening.seuil_co_blindage * 0.1);
    MarkedValue("\t", Ui(kScreeningMeasured), model_.screening.mes_co_blindage);
  }

  struct LevelSubtest {
    int number;
    std::string SignalTitles::*title;
    std::int32_t EcuSignalRecord::*state;
    std::uint32_t EcuSignalRecord::*error;
    std::uint32_t ResultModel::*lower;
    std::uint32_t ResultModel::*upper;
    std::uint32_t EcuSignalRecord::*level;
  };

  static constexpr LevelSubtest kLevels[4] = {
      {2, &SignalTitles::titre_d_l1, &EcuSignalRecord::etat_d_l1,
       &EcuSignalRecord::val_err_mes_d_l1, &ResultModel::seuil_min_d_l1,
       &ResultModel::seuil_max_d_l1, &EcuSignalRecord::val_d_l1},
      {3, &SignalTitles::titre_d_l2, &EcuSignalRecord::etat_d_l2,
       &EcuSignalRecord::val_err_mes_d_l2, &ResultModel::seuil_min_d_l2,
       &ResultModel::seuil_max_d_l2, &EcuSignalRecord::val_d_l2},
      {4, &SignalTitles::titre_r_l1, &EcuSignalRecord::etat_r_l1,
       &EcuSignalRecord::val_err_mes_r_l1, &ResultModel::seuil_min_r_l1,
       &ResultModel::seuil_max_r_l1, &EcuSignalRecord::val_r_l1},
      {5, &SignalTitles::titre_r_l2, &EcuSignalRecord::etat_r_l2,
       &EcuSignalRecord::val_err_mes_r_l2, &ResultModel::seuil_min_r_l2,
       &ResultModel::seuil_max_r_l2, &EcuSignalRecord::val_r_l2},
  };

  void Signal() {
    out_.Print("%s\n\n", Ui(kSignalTitle));
    const SignalTitles& titles = model_.signal;
    int i = 0;
    for (const EcuSignalRecord& ecu : model_.ecus) {
      ++i;  // an ECU left out still uses up its number
      if (ecu.etat_test_st != 1) continue;
      out_.Print("\t3.%d %-34s\t%s\n\n", i, ecu.nom.c_str(),
                 ecu.result_test_st == 1 ? "OK" : Ui(kError));
      out_.Print("\t  3.%d.1 %-30s\t%s\n\n", i, titles.titre_debit.c_str(),
                 ecu.etat_debit == 1 ? "OK" : Ui(kError));
      out_.Print("\t\t%s%.02f kBit/s\n", Ui(kRateSelected), ecu.val_debit_conf * 0.1);
      out_.Print("\t\t%s+-%.02f kBit/s\n", Ui(kRateTolerance), ecu.tol_debit * 0.001);
      out_.Print("\t\t%s%.02f kBit/s\n\n", Ui(kRateMeasured), ecu.val_debit * 0.1);
      for (const LevelSubtest& sub : kLevels) {
        // A measurement error outweighs the state; only state 1 without error is OK.
        const char* word = ecu.*sub.error != 0   ? Ui(kProblemL2)
                           : ecu.*sub.state == 1 ? "OK"
                                                 : Ui(kError);
        out_.Print("\t  3.%d.%d %-30s\t%s\n\n", i, sub.number, (titles.*sub.title).c_str(), word);
        out_.Print("\t\t%s%.02f V\n", Ui(kMinimum), model_.*sub.lower * 0.1);
        out_.Print("\t\t%s%.02f V\n", Ui(kMaximum), model_.*sub.upper * 0.1);
        if (ecu.*sub.level == 255) {
          out_.Print("\t\t%s%.02f V *\n\n", Ui(kMeasured), 25.5);
        } else {
          out_.Print("\t\t%s%.02f V\n\n", Ui(kMeasured), ecu.*sub.level * 0.1);
        }
      }
      out_.Print("\t  3.%d.6 %s : %d ns\n", i, titles.titre_fm_l1.c_str(),
                 static_cast<int>(ecu.val_rise_l1));
      out_.Print("\t  3.%d.7 %s : %d ns\n", i, titles.titre_fm_l2.c_str(),
                 static_cast<int>(ecu.val_rise_l2));
      out_.Print("\t  3.%d.8 %s : %d ns\n", i, titles.titre_fd_l1.c_str(),
                 static_cast<int>(ecu.val_down_l1));
      out_.Print("\t  3.%d.9 %s : %d ns\n\n", i, titles.titre_fd_l2.c_str(),
                 static_cast<int>(ecu.val_down_l2));
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
    out_.Print("%s\n\n", Ui(kLengthTitle));
    out_.Print("\t%s\n\n", Ui(kParameters));
    out_.Print("\t  %s%.02f kBit/s\n", Ui(kLengthRate), length.debit * 0.1);
    out_.Print("\t  %s%.02f ns/m\n\n", Ui(kPropagationSpeed), length.vitesse * 0.1);
    out_.Print("\t%s\n\n", Ui(kLengthHead));
    out_.Print("\t  %s%d m\n\n", Ui(kCursorPosition), static_cast<int>(length.longueur_mes));

    bool any_sample = false;
    int scale = 0;
    for (std::size_t k = 0; k < kAcquisitionEntryCount; ++k) {
      if (Empty(k)) continue;
      any_sample = true;
      scale = std::max<int>(scale, ScaleByte(k));
    }
    if (!any_sample) return;
    out_.Print("\t%s\n\n", Ui(kMeasuredValues));

    int cursor = -1;
    for (std::size_t k = 0; k < kAcquisitionEntryCount; ++k) {
      if (!Empty(k) && Distance(k) >= static_cast<int>(length.longueur_mes)) {
        cursor = Level(k, scale);
        break;
      }
    }
    out_.Print("\t  %s%.4i , %.3i \n\n", Ui(kCursorPosition), static_cast<int>(length.longueur_mes),
               cursor);
    out_.Print("\t  %s\n\n\t  ", Ui(kCurveHead));
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

std::string ReportBytes(ResultModel& model, int language) {
  ReportWriter writer(model, language);
  writer.Write();
  std::string bytes = writer.bytes();
  std::vector<EcuSignalRecord>().swap(model.ecus);
  return bytes;
}

int WriteReport(ResultModel& model, int language, std::FILE* stream) {
  const std::string bytes = ReportBytes(model, language);
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
  return 0;
}

}  // namespace viewer
