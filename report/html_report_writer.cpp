#include "report/html_report_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "report/acquisition_curve.h"
#include "report/language_tables.h"
#include "report/report_labels.h"
#include "report/report_sheet.h"
#include "report/text_escaping.h"

namespace report {
namespace {

constexpr char kStyle[] =
    "@page{size:A4;margin:14mm}"
    "body{font-family:'DejaVu Sans',Arial,Helvetica,sans-serif;font-size:10pt;color:#1a1a1a;"
    "max-width:182mm;margin:0 auto;padding:8px}"
    "h1{font-size:17pt;margin:0 0 6px}h2{font-size:12.5pt;border-bottom:2px solid #345;"
    "padding-bottom:2px;margin:16px 0 6px}h3{font-size:10.5pt;margin:10px 0 4px}"
    "table{border-collapse:collapse;width:100%}th,td{padding:2px 6px;text-align:left;"
    "vertical-align:top}thead th{background:#e8ecf0;border-bottom:1px solid #89a}"
    "tbody tr{break-inside:avoid}tbody td{border-bottom:1px solid #dde}"
    "td.n{text-align:right;white-space:nowrap;font-variant-numeric:tabular-nums}"
    ".id th{width:34%;font-weight:normal;color:#456}.id td{font-weight:bold}"
    ".overall{margin:10px 0;padding:8px 12px;font-size:14pt;font-weight:bold;border-radius:4px}"
    ".overall.passed{background:#d9f2dd;color:#0b5d1e}.overall.failed{background:#fbdcdc;"
    "color:#8b0000}.overall.no_test_run{background:#eee;color:#444}"
    ".passed{color:#0b5d1e}.failed,.measurement_error{color:#a00000;font-weight:bold}"
    ".neg{color:#a00000}.notrun{color:#555}.legend{font-size:8.5pt;color:#444;margin-top:14px}"
    "section{break-inside:avoid-page}svg{width:100%;height:auto}figure{margin:8px 0}"
    "figcaption{font-size:9.5pt}"
    // Every table of values has the same columns, so they line up down the page.
    "table.m{table-layout:fixed}.m th:nth-child(1){width:7%}.m th:nth-child(2){width:24%}"
    ".m th:nth-child(3){width:16%}.m th:nth-child(4),.m th:nth-child(5){width:14%}"
    ".m th:nth-child(6){width:14%}.m th:nth-child(7){width:11%}.m td:nth-child(2){"
    "overflow-wrap:anywhere}";

class HtmlWriter {
 public:
  HtmlWriter(const ResultModel& model, int language, const TesterIdentity& tester)
      : model_(model),
        language_(language),
        tester_(tester),
        sheet_(BuildReportSheet(model, language)),
        decimal_(language == kEnglish ? '.' : ',') {}

  std::string Write() {
    out_.reserve(16384);
    out_ += "<!DOCTYPE html>\n<html lang=\"";
    out_ += LanguageCode(language_);
    out_ += "\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
    out_ += L(ReportLabel::kTitle);
    if (!model_.configuration_name.empty()) out_ += " - " + HtmlText(model_.configuration_name);
    out_ += "</title>\n<style>";
    out_ += kStyle;
    out_ += "</style>\n</head>\n<body>\n";
    Header();
    Section(TestSection::kWiring, "1", ReportLabel::kWiring);
    Section(TestSection::kScreening, "2", ReportLabel::kScreening);
    Section(TestSection::kSignal, "3", ReportLabel::kSignal);
    Section(TestSection::kLength, "4", ReportLabel::kLength);
    Legend();
    out_ += "</body>\n</html>\n";
    return std::move(out_);
  }

 private:
  // Labels are the program's own texts, escaped all the same.
  std::string L(ReportLabel label) const { return HtmlText(ReportLabelText(language_, label)); }

  std::string Colon() const { return language_ == kFrench ? " : " : ": "; }

  std::string Number(double value) const { return FixedTwo(value, decimal_); }
  std::string Value(double value, const char* unit) const {
    const std::string u = unit;
    if (u == "m" || u == "ns") return std::to_string(static_cast<long long>(value));
    return Number(value);
  }

  void Header() {
    out_ += "<header>\n<h1>" + L(ReportLabel::kTitle) + "</h1>\n<table class=\"id\">\n";
    auto line = [&](ReportLabel label, const std::string& value_html) {
      out_ += "<tr><th>" + L(label) + "</th><td>" + value_html + "</td></tr>\n";
    };
    line(ReportLabel::kTester, HtmlText(tester_.name));
    line(ReportLabel::kFirmware, HtmlText(tester_.Version()));
    line(ReportLabel::kUploadDate, HtmlText(model_.upload_date));
    line(ReportLabel::kConfiguration, HtmlText(model_.configuration_name));
    out_ += "</table>\n";
    const ReportLabel word = sheet_.overall == OverallVerdict::kPassed   ? ReportLabel::kPassed
                             : sheet_.overall == OverallVerdict::kFailed ? ReportLabel::kFailed
                                                                         : ReportLabel::kNoTestRun;
    out_ += "<p class=\"overall " + std::string(OverallVerdictKey(sheet_.overall)) + "\">" +
            L(ReportLabel::kOverallVerdict) + Colon() + L(word) + "</p>\n";
    std::string not_run;
    constexpr ReportLabel kTitles[kTestSectionCount] = {
        ReportLabel::kWiring, ReportLabel::kScreening, ReportLabel::kSignal, ReportLabel::kLength};
    for (int s = 0; s < kTestSectionCount; ++s) {
      if (sheet_.run[s]) continue;
      if (!not_run.empty()) not_run += ", ";
      not_run += L(kTitles[s]);
    }
    if (!not_run.empty()) {
      out_ += "<p class=\"notrun\">" + L(ReportLabel::kTestsNotRun) + Colon() + not_run + "</p>\n";
    }
    out_ += "</header>\n";
  }

  void TableHead() {
    out_ += "<table class=\"m\">\n<thead><tr><th></th><th>" + L(ReportLabel::kTest) + "</th><th>" +
            L(ReportLabel::kMeasured) + "</th><th>" + L(ReportLabel::kLowerLimit) + "</th><th>" +
            L(ReportLabel::kUpperLimit) + "</th><th>" + L(ReportLabel::kMargin) + "</th><th>" +
            L(ReportLabel::kVerdict) + "</th></tr></thead>\n<tbody>\n";
  }

  void Row(const SheetRow& row) {
    auto limit = [&](const std::optional<double>& value) {
      return value ? Value(*value, row.unit) + " " + row.unit : std::string();
    };
    out_ += "<tr><td>" + HtmlText(row.number) + "</td><td>" + HtmlText(row.item) +
            "</td><td class=\"n\">" + HtmlText(row.mark_before) + Value(row.value, row.unit) +
            HtmlText(row.mark_after) + " " + row.unit + "</td><td class=\"n\">" + limit(row.lower) +
            "</td><td class=\"n\">" + limit(row.upper) + "</td>";
    if (row.margin) {
      out_ += std::string("<td class=\"n") + (*row.margin < 0 ? " neg" : "") + "\">" +
              Value(*row.margin, row.unit) + " " + row.unit + "</td>";
    } else {
      out_ += "<td></td>";
    }
    out_ += "<td class=\"" + std::string(RowVerdictKey(row.verdict)) + "\">" +
            HtmlText(row.verdict_word) + "</td></tr>\n";
  }

  void Rows(TestSection section, int ecu) {
    TableHead();
    for (const SheetRow& row : sheet_.rows) {
      if (row.section == section && row.ecu == ecu) Row(row);
    }
    out_ += "</tbody>\n</table>\n";
  }

  void Section(TestSection section, const char* number, ReportLabel title) {
    out_ += "<section id=\"" + std::string(SectionKey(section)) + "\">\n<h2>" +
            std::string(number) + " " + L(title) + "</h2>\n";
    if (!sheet_.run[static_cast<int>(section)]) {
      out_ += "<p class=\"notrun\">" + HtmlText(UiText(language_, ui_text::kNotDone)) + "</p>\n";
    } else if (section == TestSection::kSignal) {
      Ecus();
    } else {
      Rows(section, -1);
      if (section == TestSection::kLength) Curve();
    }
    out_ += "</section>\n";
  }

  void Ecus() {
    for (const EcuHeading& ecu : sheet_.ecus) {
      const std::string name = HtmlText(model_.ecus[static_cast<std::size_t>(ecu.index)].nom);
      out_ += "<h3>3." + std::to_string(ecu.number) + " " + L(ReportLabel::kEcu) + " " + name;
      if (!ecu.tested) {
        out_ += " <span class=\"notrun\">(" + L(ReportLabel::kEcuNotTested) + ")</span></h3>\n";
        continue;
      }
      out_ += " <span class=\"" + std::string(RowVerdictKey(ecu.verdict)) + "\">" +
              HtmlText(ecu.verdict_word) + "</span></h3>\n";
      Rows(TestSection::kSignal, ecu.index);
    }
  }

  void Curve() {
    const LengthResult& length = model_.length;
    const AcquisitionCurve curve = BuildAcquisitionCurve(length);
    out_ += "<figure>\n";
    if (!curve.any_sample) {
      out_ += "<figcaption>" + L(ReportLabel::kCurve) + Colon() + L(ReportLabel::kNoCurve) +
              "</figcaption>\n</figure>\n";
      return;
    }
    // Plot area in SVG units.
    constexpr double kWidth = 760, kHeight = 300, kLeft = 52, kRight = 14, kTop = 14, kBottom = 40;
    const double plot_w = kWidth - kLeft - kRight, plot_h = kHeight - kTop - kBottom;
    double x_max = 1;
    int y_max = 100;
    for (const CurvePoint& p : curve.points) {
      x_max = std::max(x_max, curve.has_distance ? p.distance : static_cast<double>(p.entry));
      y_max = std::max(y_max, p.level);
    }
    if (curve.has_distance) {
      x_max = std::max({x_max, static_cast<double>(MeasuredMetres(length)),
                        static_cast<double>(length.longueur_max)});
    }
    x_max = NiceCeiling(x_max);
    auto x_of = [&](double x) { return kLeft + plot_w * std::clamp(x, 0.0, x_max) / x_max; };
    auto y_of = [&](double y) { return kTop + plot_h * (1.0 - y / y_max); };
    char buffer[160];

    out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 760 300\" role=\"img\">\n";
    // Grid and axes: five steps on each axis.
    out_ += "<g stroke=\"#dde\" stroke-width=\"1\">";
    for (int i = 0; i <= 5; ++i) {
      std::snprintf(buffer, sizeof buffer,
                    "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/>", kLeft,
                    y_of(y_max * i / 5.0), kLeft + plot_w, y_of(y_max * i / 5.0));
      out_ += buffer;
      std::snprintf(buffer, sizeof buffer,
                    "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/>",
                    x_of(x_max * i / 5.0), kTop, x_of(x_max * i / 5.0), kTop + plot_h);
      out_ += buffer;
    }
    out_ += "</g>\n<g font-size=\"11\" fill=\"#345\">";
    for (int i = 0; i <= 5; ++i) {
      std::snprintf(buffer, sizeof buffer,
                    "<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"end\">%d</text>", kLeft - 4,
                    y_of(y_max * i / 5.0) + 4, y_max * i / 5);
      out_ += buffer;
      std::snprintf(buffer, sizeof buffer,
                    "<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\">%.0f</text>",
                    x_of(x_max * i / 5.0), kTop + plot_h + 14, x_max * i / 5.0);
      out_ += buffer;
    }
    std::snprintf(buffer, sizeof buffer, "<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\">",
                  kLeft + plot_w / 2, kHeight - 6);
    out_ += buffer;
    out_ += curve.has_distance ? L(ReportLabel::kDistance) : L(ReportLabel::kSample);
    std::snprintf(buffer, sizeof buffer,
                  "</text><text x=\"12\" y=\"%.1f\" text-anchor=\"middle\" "
                  "transform=\"rotate(-90 12 %.1f)\">",
                  kTop + plot_h / 2, kTop + plot_h / 2);
    out_ += buffer;
    out_ += L(ReportLabel::kLevel) + "</text></g>\n";

    out_ += "<polyline fill=\"none\" stroke=\"#1f5fa8\" stroke-width=\"1.2\" points=\"";
    for (const CurvePoint& p : curve.points) {
      std::snprintf(buffer, sizeof buffer, "%.1f,%.1f ",
                    x_of(curve.has_distance ? p.distance : static_cast<double>(p.entry)),
                    y_of(p.level));
      out_ += buffer;
    }
    out_ += "\"/>\n";

    if (curve.has_distance) {
      const double max_x = x_of(static_cast<double>(length.longueur_max));
      std::snprintf(buffer, sizeof buffer,
                    "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#888\" "
                    "stroke-dasharray=\"5 4\"/><text x=\"%.1f\" y=\"%.1f\" font-size=\"11\" "
                    "fill=\"#555\">",
                    max_x, kTop, max_x, kTop + plot_h, max_x + 4, kTop + 26);
      out_ += buffer;
      out_ += L(ReportLabel::kMaximumLength) + " " + std::to_string(length.longueur_max) +
              " m</text>\n";
      const double cursor_x = x_of(static_cast<double>(MeasuredMetres(length)));
      std::snprintf(buffer, sizeof buffer,
                    "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#c0392b\" "
                    "stroke-width=\"1.5\"/><text x=\"%.1f\" y=\"%.1f\" font-size=\"11\" "
                    "fill=\"#c0392b\">",
                    cursor_x, kTop, cursor_x, kTop + plot_h, cursor_x + 4, kTop + 10);
      out_ += buffer;
      out_ += std::to_string(MeasuredMetres(length)) + " m, " + CursorLevel(curve) + "</text>\n";
    }
    out_ += "</svg>\n<figcaption>" + L(ReportLabel::kCurve) + ". " +
            L(ReportLabel::kMeasuredLength) + Colon() + std::to_string(MeasuredMetres(length)) +
            " m (" + L(ReportLabel::kPropagationSpeed) + " " + Number(length.vitesse * 0.1) +
            " ns/m); " + L(ReportLabel::kMaximumLength) + Colon() +
            std::to_string(length.longueur_max) + " m; " + L(ReportLabel::kCursorLevel) + Colon() +
            CursorLevel(curve) + ".";
    if (!curve.has_distance) out_ += " " + L(ReportLabel::kNoSpeed);
    out_ += "</figcaption>\n</figure>\n";
  }

  static std::string CursorLevel(const AcquisitionCurve& curve) {
    return curve.cursor_level < 0 ? std::string("-") : std::to_string(curve.cursor_level) + " %";
  }

  // The axis end: a round number at least `value`, near enough that the curve fills the width.
  static double NiceCeiling(double value) {
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (double step : {1.0, 1.2, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0}) {
      if (step * power >= value) return step * power;
    }
    return 10 * power;
  }

  void Legend() {
    out_ += "<p class=\"legend\">" + L(ReportLabel::kLegend) + Colon() +
            L(ReportLabel::kMarkGreater) + " " + L(ReportLabel::kMarkC) + " " +
            L(ReportLabel::kMarkD) + " " + L(ReportLabel::kMarkStar) + "<br>" +
            L(ReportLabel::kMarginNote) + "</p>\n";
  }

  const ResultModel& model_;
  int language_;
  const TesterIdentity& tester_;
  ReportSheet sheet_;
  char decimal_;
  std::string out_;
};

}  // namespace

std::string HtmlReport(const ResultModel& model, int language, const TesterIdentity& tester) {
  return HtmlWriter(model, language, tester).Write();
}

}  // namespace report
