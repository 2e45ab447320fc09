#include "report/json_report_writer.h"

#include <cmath>
#include <cstdio>

#include "report/acquisition_curve.h"
#include "report/report_labels.h"
#include "report/report_sheet.h"
#include "report/text_escaping.h"

namespace report {
namespace {

std::string Number(double value) {
  if (!std::isfinite(value)) return "null";
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", value);
  // Trailing zeros say nothing; "10.000" is 10.
  std::string out = text;
  while (!out.empty() && out.back() == '0') out.pop_back();
  if (!out.empty() && out.back() == '.') out.pop_back();
  if (out == "-0") out = "0";
  return out;
}

std::string Optional(const std::optional<double>& value) { return value ? Number(*value) : "null"; }

std::string Base64(const std::uint8_t* bytes, std::size_t size) {
  static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((size + 2) / 3 * 4);
  for (std::size_t i = 0; i < size; i += 3) {
    const std::uint32_t a = bytes[i];
    const std::uint32_t b = i + 1 < size ? bytes[i + 1] : 0;
    const std::uint32_t c = i + 2 < size ? bytes[i + 2] : 0;
    const std::uint32_t triple = (a << 16) | (b << 8) | c;
    out += kDigits[(triple >> 18) & 63];
    out += kDigits[(triple >> 12) & 63];
    out += i + 1 < size ? kDigits[(triple >> 6) & 63] : '=';
    out += i + 2 < size ? kDigits[triple & 63] : '=';
  }
  return out;
}

class JsonWriter {
 public:
  JsonWriter(const ResultModel& model, int language, const TesterIdentity& tester)
      : model_(model),
        language_(language),
        tester_(tester),
        sheet_(BuildReportSheet(model, language)) {}

  std::string Write() {
    out_ += "{\n  \"format\": \"morvane-results\",\n  \"format_version\": " +
            std::to_string(kJsonReportVersion) + ",\n  \"language\": \"" + LanguageCode(language_) +
            "\",\n";
    out_ += "  \"tester\": {\"identity\": " + JsonString(tester_.name) +
            ", \"firmware\": " + JsonString(tester_.Version()) +
            ", \"firmware_major\": " + std::to_string(tester_.major) +
            ", \"firmware_minor\": " + std::to_string(tester_.minor) +
            ", \"known\": " + (tester_.known ? "true" : "false") + "},\n";
    out_ += "  \"upload_date\": " + JsonString(model_.upload_date) + ",\n";
    out_ += "  \"overall_verdict\": \"" + std::string(OverallVerdictKey(sheet_.overall)) + "\",\n";
    out_ += "  \"tests_not_run\": [";
    bool first = true;
    for (int s = 0; s < kTestSectionCount; ++s) {
      if (sheet_.run[s]) continue;
      out_ +=
          std::string(first ? "" : ", ") + "\"" + SectionKey(static_cast<TestSection>(s)) + "\"";
      first = false;
    }
    out_ += "],\n";
    Configuration();
    Wiring();
    Screening();
    Signal();
    Length();
    out_ += "}\n";
    return std::move(out_);
  }

 private:
  static std::string Int(std::int64_t value) { return std::to_string(value); }

  void Configuration() {
    const ResultModel& m = model_;
    auto pair = [](std::uint32_t lower, std::uint32_t upper) {
      return "{\"lower\": " + Number(lower * 0.1) + ", \"upper\": " + Number(upper * 0.1) +
             ", \"lower_raw\": " + Int(lower) + ", \"upper_raw\": " + Int(upper) +
             ", \"unit\": \"V\"}";
    };
    out_ += "  \"configuration\": {\n    \"name\": " + JsonString(m.configuration_name) +
            ",\n    \"ecu_count\": " + Int(m.cfg_nbr_ecu) +
            ",\n    \"thresholds\": {\"d_l1\": " + pair(m.seuil_min_d_l1, m.seuil_max_d_l1) +
            ", \"d_l2\": " + pair(m.seuil_min_d_l2, m.seuil_max_d_l2) +
            ", \"r_l1\": " + pair(m.seuil_min_r_l1, m.seuil_max_r_l1) +
            ", \"r_l2\": " + pair(m.seuil_min_r_l2, m.seuil_max_r_l2) + "},\n";
    out_ += "    \"test_flags\": {\"wiring\": " + Int(m.tests_faisceau) +
            ", \"signal\": " + Int(m.tests_electriques) + ", \"length\": " + Int(m.test_longueur) +
            ", \"screening\": " + Int(m.test_blindage) + "},\n";
    out_ += "    \"tester_results\": {\"wiring\": " + Int(m.result_tests_faisceau) +
            ", \"signal\": " + Int(m.result_tests_electriques) +
            ", \"length\": " + Int(m.result_test_longueur) +
            ", \"screening\": " + Int(m.result_test_blindage) +
            ", \"all\": " + Int(m.result_tests) + "}\n  },\n";
  }

  std::string Measurement(const SheetRow& row) const {
    return "{\"number\": " + JsonString(row.number) + ", \"key\": " + JsonString(row.key) +
           ", \"title\": " + JsonString(row.item) + ", \"value\": " + Number(row.value) +
           ", \"unit\": " + JsonString(row.unit) + ", \"raw\": " + Int(row.raw) +
           ", \"marks\": " + JsonString(row.mark_before + row.mark_after) +
           ", \"lower_limit\": " + Optional(row.lower) +
           ", \"upper_limit\": " + Optional(row.upper) + ", \"margin\": " + Optional(row.margin) +
           ", \"verdict\": " +
           (row.verdict == RowVerdict::kNone
                ? std::string("null")
                : "\"" + std::string(RowVerdictKey(row.verdict)) + "\"") +
           ", \"verdict_text\": " + JsonString(row.verdict_word) + "}";
  }

  void Measurements(TestSection section, int ecu, const char* indent) {
    bool first = true;
    for (const SheetRow& row : sheet_.rows) {
      if (row.section != section || row.ecu != ecu) continue;
      out_ += std::string(first ? "\n" : ",\n") + indent + Measurement(row);
      first = false;
    }
  }

  bool Run(TestSection section) const { return sheet_.run[static_cast<int>(section)]; }

  void Wiring() {
    out_ += "  \"wiring\": ";
    if (!Run(TestSection::kWiring)) {
      out_ += "null,\n";
      return;
    }
    out_ += "{\n    \"measurements\": [";
    Measurements(TestSection::kWiring, -1, "      ");
    out_ += "],\n    \"states\": [";
    // The raw entries by the tester's numbering (7 loop resistance, 6 open circuit, 5-0 shorts).
    for (int entry = kWiringTestCount - 1; entry >= 0; --entry) {
      const WiringTest& t = model_.wiring[entry];
      out_ += std::string(entry == kWiringTestCount - 1 ? "" : ", ") + "{\"entry\": " + Int(entry) +
              ", \"state\": " + Int(t.state) + ", \"value_raw\": " + Int(t.value) +
              ", \"threshold_raw\": " + Int(t.threshold) +
              ", \"threshold_high_raw\": " + Int(t.threshold_high) +
              ", \"title\": " + JsonString(t.title) + "}";
    }
    out_ += "]\n  },\n";
  }

  void Screening() {
    out_ += "  \"screening\": ";
    if (!Run(TestSection::kScreening)) {
      out_ += "null,\n";
      return;
    }
    out_ += "{\n    \"result\": " + Int(model_.screening.result_blindage) +
            ",\n    \"threshold_raw\": " + Int(model_.screening.seuil_co_blindage) +
            ",\n    \"measurements\": [";
    Measurements(TestSection::kScreening, -1, "      ");
    out_ += "]\n  },\n";
  }

  void Signal() {
    out_ += "  \"signal\": ";
    if (!Run(TestSection::kSignal)) {
      out_ += "null,\n";
      return;
    }
    const SignalTitles& t = model_.signal;
    out_ +=
        "{\n    \"vcc\": {\"title\": " + JsonString(t.titre_vcc) + ", \"raw\": " + Int(t.val_vcc) +
        "},\n    \"titles\": {\"debit\": " + JsonString(t.titre_debit) +
        ", \"r_l1\": " + JsonString(t.titre_r_l1) + ", \"d_l1\": " + JsonString(t.titre_d_l1) +
        ", \"r_l2\": " + JsonString(t.titre_r_l2) + ", \"d_l2\": " + JsonString(t.titre_d_l2) +
        ", \"fm_l1\": " + JsonString(t.titre_fm_l1) + ", \"fd_l1\": " + JsonString(t.titre_fd_l1) +
        ", \"fm_l2\": " + JsonString(t.titre_fm_l2) + ", \"fd_l2\": " + JsonString(t.titre_fd_l2) +
        "},\n    \"ecus\": [";
    for (const EcuHeading& heading : sheet_.ecus) {
      const EcuSignalRecord& e = model_.ecus[static_cast<std::size_t>(heading.index)];
      out_ +=
          std::string(heading.index == 0 ? "\n" : ",\n") +
          "      {\"number\": " + Int(heading.number) + ", \"name\": " + JsonString(e.nom) +
          ", \"tested\": " + (heading.tested ? "true" : "false") + ", \"verdict\": " +
          (heading.tested ? "\"" + std::string(RowVerdictKey(heading.verdict)) + "\""
                          : std::string("null")) +
          ",\n       \"raw\": {\"Nb_Msg\": " + Int(e.nb_msg) +
          ", \"Etat_TestST\": " + Int(e.etat_test_st) + ", \"Etat_Debit\": " + Int(e.etat_debit) +
          ", \"Val_Debit\": " + Int(e.val_debit) +
          ", \"Val_Debit_Conf\": " + Int(e.val_debit_conf) +
          ", \"Tol_Debit\": " + Int(e.tol_debit) + ", \"Etat_D_L1\": " + Int(e.etat_d_l1) +
          ", \"Val_D_L1\": " + Int(e.val_d_l1) + ", \"Etat_D_L2\": " + Int(e.etat_d_l2) +
          ", \"Val_D_L2\": " + Int(e.val_d_l2) + ", \"Etat_R_L1\": " + Int(e.etat_r_l1) +
          ", \"Val_R_L1\": " + Int(e.val_r_l1) + ", \"Etat_R_L2\": " + Int(e.etat_r_l2) +
          ", \"Val_R_L2\": " + Int(e.val_r_l2) + ", \"Val_Rise_L1\": " + Int(e.val_rise_l1) +
          ", \"Val_Rise_L2\": " + Int(e.val_rise_l2) + ", \"Val_Down_L1\": " + Int(e.val_down_l1) +
          ", \"Val_Down_L2\": " + Int(e.val_down_l2) + ", \"Val_%Osc_L1\": " + Int(e.val_osc_l1) +
          ", \"Val_%Osc_L2\": " + Int(e.val_osc_l2) +
          ", \"Val_ErrMesR_L1\": " + Int(e.val_err_mes_r_l1) +
          ", \"Val_ErrMesR_L2\": " + Int(e.val_err_mes_r_l2) +
          ", \"Val_ErrMesD_L1\": " + Int(e.val_err_mes_d_l1) +
          ", \"Val_ErrMesD_L2\": " + Int(e.val_err_mes_d_l2) +
          ", \"Result_TestST\": " + Int(e.result_test_st) + "},\n       \"measurements\": [";
      Measurements(TestSection::kSignal, heading.index, "         ");
      out_ += "]}";
    }
    out_ += "]\n  },\n";
  }

  void Length() {
    out_ += "  \"length\": ";
    if (!Run(TestSection::kLength)) {
      out_ += "null\n";
      return;
    }
    const LengthResult& l = model_.length;
    const AcquisitionCurve curve = BuildAcquisitionCurve(l);
    out_ += "{\n    \"maximum_length_m\": " + Int(l.longueur_max) +
            ",\n    \"measured_length_m\": " + Int(MeasuredMetres(l)) +
            ",\n    \"bit_rate_raw\": " + Int(l.debit) +
            ",\n    \"propagation_speed_raw\": " + Int(l.vitesse) +
            ",\n    \"result\": " + Int(l.result_longueur) + ",\n    \"measurements\": [";
    Measurements(TestSection::kLength, -1, "      ");
    out_ +=
        "],\n    \"curve\": {\"has_samples\": " + std::string(curve.any_sample ? "true" : "false") +
        ", \"has_distance\": " + (curve.has_distance ? "true" : "false") +
        ", \"scale\": " + Int(curve.scale) + ", \"cursor_level\": " +
        (curve.cursor_level < 0 ? std::string("null") : Int(curve.cursor_level)) +
        ",\n      \"points\": [";
    // [entry, distance in metres, level in percent]
    char buffer[64];
    for (std::size_t i = 0; i < curve.points.size(); ++i) {
      const CurvePoint& p = curve.points[i];
      std::snprintf(buffer, sizeof buffer, "%s[%zu,%s,%d]", i == 0 ? "" : ",", p.entry,
                    Number(p.distance).c_str(), p.level);
      out_ += buffer;
    }
    out_ += "],\n      \"acquisition_base64\": \"" +
            Base64(l.acquisition.data(), l.acquisition.size()) + "\"}\n  }\n";
  }

  const ResultModel& model_;
  int language_;
  const TesterIdentity& tester_;
  ReportSheet sheet_;
  std::string out_;
};

}  // namespace

std::string JsonReport(const ResultModel& model, int language, const TesterIdentity& tester) {
  return JsonWriter(model, language, tester).Write();
}

}  // namespace report
