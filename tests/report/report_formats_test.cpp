// The web-page, JSON and CSV reports of small models: the format chosen by the name, the values
// beside their limits and margins, the overall verdict, escaping of hostile texts and the curve.
// Standard readers (a JSON Schema validator, Python's csv module, a browser) check the same
// outputs in tests/scripts/check_report_formats.py.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/text_encoding.h"
#include "report/acquisition_curve.h"
#include "report/csv_report_writer.h"
#include "report/html_report_writer.h"
#include "report/json_report_writer.h"
#include "report/language_tables.h"
#include "report/report_format.h"
#include "report/report_sheet.h"
#include "report/text_escaping.h"
#include "report/text_report_writer.h"
#include "tests/fakes/temp_folder.h"

namespace report {
namespace {

void SetEntry(ResultModel& model, std::size_t k, std::uint8_t scale, std::uint8_t level) {
  std::uint8_t* entry = &model.length.acquisition[k * kAcquisitionEntrySize];
  entry[0] = entry[1] = 0;
  entry[2] = scale;
  entry[3] = level;
}

// Every test run and passed, one ECU of two tested, a short curve; the cases change what they
// look at.
std::unique_ptr<ResultModel> PassingModel() {
  auto model = std::make_unique<ResultModel>();
  model->Clear();
  model->configuration_name = "LINE 4";
  model->upload_date = "06/12/2026 18:21:56";
  model->tests_faisceau = model->tests_electriques = model->test_longueur = model->test_blindage =
      1;
  model->seuil_min_d_l1 = 20, model->seuil_max_d_l1 = 40;
  model->wiring[7] = {1, 587, 540, 660, "Loop L1/L2"};
  for (int entry = 0; entry <= 5; ++entry) {
    model->wiring[entry] = {0, (1u << 29) | 12487, 50, 0, "Short " + std::to_string(entry)};
  }
  model->screening = {10, 8, 1};
  EcuSignalRecord ecu;
  ecu.nom = "ENGINE";
  ecu.etat_test_st = ecu.etat_debit = ecu.etat_d_l1 = ecu.etat_d_l2 = 1;
  ecu.etat_r_l1 = ecu.etat_r_l2 = ecu.result_test_st = 1;
  ecu.val_debit = ecu.val_debit_conf = 5000;
  ecu.tol_debit = 50;
  ecu.val_d_l1 = 38;
  model->ecus.push_back(ecu);
  EcuSignalRecord skipped;
  skipped.nom = "SPARE";
  model->ecus.push_back(skipped);
  model->signal.titre_d_l1 = "Level D L1";
  model->length.longueur_max = 100;
  model->length.longueur_mes = 37;
  model->length.vitesse = 50;
  model->length.debit = 5000;
  model->length.result_longueur = 1;
  for (std::size_t k = 0; k < 30; ++k) SetEntry(*model, k, 200, static_cast<std::uint8_t>(k * 4));
  return model;
}

const SheetRow* FindRow(const ReportSheet& sheet, const std::string& number) {
  for (const SheetRow& row : sheet.rows) {
    if (row.number == number) return &row;
  }
  return nullptr;
}

TEST(ReportFormatTest, ExtensionChoosesTheFormatAndEverythingElseIsText) {
  const struct {
    const char* path;
    ReportFormat format;
  } cases[] = {
      {"C:\\Reports\\line4.html", ReportFormat::kHtml},
      {"/tmp/A.HTM", ReportFormat::kHtml},
      {"data.json", ReportFormat::kJson},
      {"table.Csv", ReportFormat::kCsv},
      {"report.txt", ReportFormat::kText},
      {"report.log", ReportFormat::kText},
      {"reports.html/report", ReportFormat::kText},
      {"report.html.txt", ReportFormat::kText},
  };
  for (const auto& c : cases) EXPECT_EQ(ReportFormatFor(c.path), c.format) << c.path;
}

TEST(ReportFormatTest, TextFormatIsTheTextReportByteForByte) {
  auto model = PassingModel();
  const std::string text = ReportBytes(ReportFormat::kText, *model, kFrench, {});
  EXPECT_EQ(text, TextReport(*model, kFrench));
}

TEST(ReportSheetTest, MarginIsTheDistanceToTheNearestLimitAndNeverChangesTheVerdict) {
  auto model = PassingModel();
  model->ecus[0].val_debit = 5003;  // 500.30 kbit/s against 500.00 +- 0.05: outside, still OK
  model->wiring[3].value = 32;      // 3.20 Ohm against a short-circuit threshold of 50 Ohm
  model->wiring[3].state = 1;
  const ReportSheet sheet = BuildReportSheet(*model, kEnglish);

  const SheetRow* loop = FindRow(sheet, "1.1");
  ASSERT_NE(loop, nullptr);
  EXPECT_DOUBLE_EQ(*loop->margin, 4.7);  // 58.70 between 54.00 and 66.00
  const SheetRow* shorted = FindRow(sheet, "1.4");
  ASSERT_NE(shorted, nullptr);
  EXPECT_DOUBLE_EQ(*shorted->lower, 50.0);  // the short-circuit threshold is not scaled
  EXPECT_DOUBLE_EQ(*shorted->margin, -46.8);
  EXPECT_EQ(shorted->verdict, RowVerdict::kFailed);
  const SheetRow* rate = FindRow(sheet, "3.1.1");
  ASSERT_NE(rate, nullptr);
  EXPECT_DOUBLE_EQ(*rate->margin, -0.25);
  EXPECT_EQ(rate->verdict, RowVerdict::kPassed);
  const SheetRow* other_short = FindRow(sheet, "1.2");
  ASSERT_NE(other_short, nullptr);
  EXPECT_EQ(other_short->mark_before, ">");
  EXPECT_EQ(sheet.overall, OverallVerdict::kFailed);
}

TEST(ReportSheetTest, OverallVerdictFailsOnAnyRunTestAndNeverPassesWithoutOne) {
  const struct {
    const char* name;
    void (*change)(ResultModel&);
    OverallVerdict expected;
  } cases[] = {
      {"all passed", [](ResultModel&) {}, OverallVerdict::kPassed},
      {"loop state 2", [](ResultModel& m) { m.wiring[7].state = 2; }, OverallVerdict::kFailed},
      {"short circuit found", [](ResultModel& m) { m.wiring[0].state = 1; },
       OverallVerdict::kFailed},
      {"screen open", [](ResultModel& m) { m.screening.result_blindage = 2; },
       OverallVerdict::kFailed},
      {"ECU failed", [](ResultModel& m) { m.ecus[0].result_test_st = 0; }, OverallVerdict::kFailed},
      {"measurement error", [](ResultModel& m) { m.ecus[0].val_err_mes_d_l2 = 1; },
       OverallVerdict::kFailed},
      {"length failed", [](ResultModel& m) { m.length.result_longueur = 0; },
       OverallVerdict::kFailed},
      {"an untested ECU failing does not count",
       [](ResultModel& m) { m.ecus[1].result_test_st = 0; }, OverallVerdict::kPassed},
      {"a failure in a test not run does not count",
       [](ResultModel& m) {
         m.screening.result_blindage = 0;
         m.test_blindage = 2;
       },
       OverallVerdict::kPassed},
      {"nothing run",
       [](ResultModel& m) {
         m.tests_faisceau = m.tests_electriques = m.test_longueur = m.test_blindage = 0;
       },
       OverallVerdict::kNoTestRun},
  };
  for (const auto& c : cases) {
    auto model = PassingModel();
    c.change(*model);
    EXPECT_EQ(BuildReportSheet(*model, kEnglish).overall, c.expected) << c.name;
  }
}

TEST(HtmlReportTest, HeaderValuesAndVerdictsInEachLanguage) {
  auto model = PassingModel();
  model->test_blindage = 0;
  TesterIdentity tester;
  tester.known = true;
  tester.name = "Quarnetik";
  tester.major = 3;
  tester.minor = 2;
  const struct {
    int language;
    const char* lang;
    const char* overall;
    const char* loop_value;
    const char* marked_value;
    const char* not_run;
  } cases[] = {
      {kGerman, "lang=\"de\"", "Gesamtergebnis: Bestanden", "58,70 Ohm", "&gt;1248,70 Ohm",
       "Nicht durchgef\xC3\xBChrte Tests: Kabelschirm"},
      {kEnglish, "lang=\"en\"", "Overall verdict: Passed", "58.70 Ohm", "&gt;1248.70 Ohm",
       "Tests not run: Cable screen"},
      {kFrench, "lang=\"fr\"", "Verdict global : R\xC3\xA9ussi", "58,70 Ohm", "&gt;1248,70 Ohm",
       "Tests non effectu\xC3\xA9s : Blindage du c\xC3\xA2"
       "ble"},
  };
  for (const auto& c : cases) {
    const std::string html = HtmlReport(*model, c.language, tester);
    SCOPED_TRACE(c.lang);
    EXPECT_NE(html.find(c.lang), std::string::npos);
    EXPECT_NE(html.find("<td>Quarnetik</td>"), std::string::npos);
    EXPECT_NE(html.find("<td>3.2</td>"), std::string::npos);
    EXPECT_NE(html.find("<td>LINE 4</td>"), std::string::npos);
    EXPECT_NE(html.find(c.overall), std::string::npos);
    EXPECT_NE(html.find(c.loop_value), std::string::npos);
    EXPECT_NE(html.find(c.not_run), std::string::npos);
    // The "not done" line of the text report stands in the screening section.
    EXPECT_NE(html.find(c.marked_value), std::string::npos);
    // The text report's "not done" words stand in the screening section.
    EXPECT_NE(html.find(platform::Cp1252ToUtf8(UiText(c.language, 25))), std::string::npos);
    EXPECT_NE(html.find("SPARE"), std::string::npos);  // the untested ECU is named, apart
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("http://"), html.find("http://www.w3.org/2000/svg"));  // nothing fetched
  }
}

TEST(HtmlReportTest, HostileTextsCannotChangeThePage) {
  auto model = PassingModel();
  model->configuration_name = "</title><script>x</script>";
  model->wiring[7].title = "<img src=x onerror=alert(1)> & \"q\" 'a'";
  model->ecus[0].nom = std::string("ECU\x01\x7F\x81") + "\xE9";
  TesterIdentity tester;
  tester.known = true;
  tester.name = "<b>";
  const std::string html = HtmlReport(*model, kEnglish, tester);
  EXPECT_EQ(html.find("<script"), std::string::npos);
  EXPECT_EQ(html.find("<img"), std::string::npos);
  EXPECT_EQ(html.find("<b>"), std::string::npos);
  EXPECT_NE(html.find("&lt;img src=x onerror=alert(1)&gt; &amp; &quot;q&quot; &#39;a&#39;"),
            std::string::npos);
  // Control characters are not allowed in HTML; the Windows-1252 letter becomes UTF-8.
  EXPECT_NE(html.find("ECU\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xC3\xA9"), std::string::npos);
}

TEST(HtmlReportTest, CurveWithCursorMaximumAndSpeedBesideTheLength) {
  auto model = PassingModel();
  const AcquisitionCurve curve = BuildAcquisitionCurve(model->length);
  ASSERT_EQ(curve.points.size(), 30u);
  // 27.7 / 5.0 / 2 = 2.77 m per entry: entry 14 (38.78 m) is the first at or beyond 37 m.
  EXPECT_EQ(curve.cursor_level, (14 * 4 * 100) / 200);
  const std::string html = HtmlReport(*model, kEnglish, {});
  EXPECT_NE(html.find("<svg"), std::string::npos);
  EXPECT_NE(html.find(">37 m, 28 %</text>"), std::string::npos);
  EXPECT_NE(html.find("Maximum length 100 m</text>"), std::string::npos);
  EXPECT_NE(html.find("Measured length: 37 m (Propagation speed 5.00 ns/m)"), std::string::npos);

  // The cursor and the text report agree on the same entry.
  EXPECT_NE(TextReport(*model, kEnglish).find("0037 , 028 "), std::string::npos);
}

TEST(HtmlReportTest, EmptyFullAndSpeedlessCurves) {
  auto model = PassingModel();
  model->length.acquisition.fill(0xFF);
  std::string html = HtmlReport(*model, kEnglish, {});
  EXPECT_EQ(html.find("<svg"), std::string::npos);
  EXPECT_NE(html.find("No curve was recorded."), std::string::npos);

  for (std::size_t k = 0; k < kAcquisitionEntryCount; ++k) SetEntry(*model, k, 250, 100);
  html = HtmlReport(*model, kEnglish, {});
  const std::size_t points = html.find("points=\"");
  ASSERT_NE(points, std::string::npos);
  const std::string list = html.substr(points, html.find('"', points + 8) - points);
  EXPECT_EQ(static_cast<std::size_t>(std::count(list.begin(), list.end(), ',')),
            kAcquisitionEntryCount);

  model->length.vitesse = 0;  // no distances: drawn by sample, no cursor line, no division by 0
  html = HtmlReport(*model, kEnglish, {});
  EXPECT_NE(html.find(">Sample</text>"), std::string::npos);
  EXPECT_EQ(html.find("Maximum length 100 m</text>"), std::string::npos);
  EXPECT_NE(html.find("Without a propagation speed"), std::string::npos);
}

TEST(JsonReportTest, HoldsRawValuesVerdictsTestsNotRunAndTheCurve) {
  auto model = PassingModel();
  model->tests_electriques = 0;
  model->wiring[3].state = 1;
  const std::string json = JsonReport(*model, kGerman, {});
  EXPECT_NE(json.find("\"language\": \"de\""), std::string::npos);
  EXPECT_NE(json.find("\"overall_verdict\": \"failed\""), std::string::npos);
  EXPECT_NE(json.find("\"tests_not_run\": [\"signal\"]"), std::string::npos);
  EXPECT_NE(json.find("\"signal\": null"), std::string::npos);
  EXPECT_NE(json.find("\"value\": 1248.7, \"unit\": \"Ohm\", \"raw\": 536883399, \"marks\": \">\""),
            std::string::npos);
  EXPECT_NE(json.find("\"verdict\": \"failed\", \"verdict_text\": \"Fehler\""), std::string::npos);
  EXPECT_NE(json.find("\"points\": [[0,0,0],[1,2.77,2],"), std::string::npos);
  EXPECT_NE(json.find("\"cursor_level\": 28"), std::string::npos);

  model->configuration_name = std::string("a\"b\\c\n\x01", 7);
  const std::string hostile = JsonReport(*model, kEnglish, {});
  EXPECT_NE(hostile.find("\"name\": \"a\\\"b\\\\c\\u000A\\u0001\""), std::string::npos);
}

TEST(CsvReportTest, OneRowPerValueWithFieldsQuotedWhereNeeded) {
  auto model = PassingModel();
  model->test_blindage = model->test_longueur = model->tests_faisceau = 0;
  model->ecus[0].nom = "ECU \"front\", left";
  model->signal.titre_d_l1 = "=HYPERLINK(x)";
  const std::string csv = CsvReport(*model, kEnglish);
  EXPECT_EQ(csv.substr(0, csv.find("\r\n")), kCsvHeader);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 9);  // header, 9 values of one ECU
  EXPECT_NE(
      csv.find(
          "Signals,3.1.1,\"ECU \"\"front\"\", left: \",500.00,,kBit/s,499.95,500.05,0.05,OK\r\n"),
      std::string::npos);
  EXPECT_NE(
      csv.find(
          "Signals,3.1.2,\"ECU \"\"front\"\", left: =HYPERLINK(x)\",3.80,,V,2.00,4.00,0.20,OK"),
      std::string::npos);
  model->ecus[0].nom = "=cmd";
  EXPECT_NE(CsvReport(*model, kEnglish).find(",'=cmd: "), std::string::npos);
}

// A leading '-' starts a formula as '=' does; control bytes (an escape, the C1 controls
// Windows-1252 leaves undefined) never reach a terminal that shows the file.
TEST(CsvReportTest, FormulasAndControlBytesOfHostileNamesAreDefused) {
  const struct {
    std::string name, field;
  } cases[] = {
      {"-2+3+cmd|' /C calc'!A0", "'-2+3+cmd|' /C calc'!A0"},
      {"+1", "'+1"},
      {"@SUM(A1)", "'@SUM(A1)"},
      {std::string("a\x1B[31mb\x9D"
                   "c\x90"
                   "d\x7F",
                   12),
       "a?[31mb?c?d?"},
      {"\tx", "'\tx"},
      {"caf\xE9 \x80", "caf\xC3\xA9 \xE2\x82\xAC"},  // printable bytes stay as they are
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    EXPECT_EQ(CsvText(c.name), c.field);
  }
}

// A hostile 0xFFFFFFFF is one reading in every format: the text report's, -1 m.
TEST(ReportFormatTest, AHostileMeasuredLengthReadsTheSameEverywhere) {
  auto model = PassingModel();
  model->length.longueur_mes = 0xFFFFFFFFu;
  EXPECT_NE(TextReport(*model, kEnglish).find("-1"), std::string::npos);
  const std::string html = HtmlReport(*model, kEnglish, {});
  EXPECT_EQ(html.find("4294967295"), std::string::npos);
  EXPECT_NE(html.find("Measured length: -1 m ("), std::string::npos);
  EXPECT_NE(html.find(">-1 m, "), std::string::npos);
  const std::string json = JsonReport(*model, kEnglish, {});
  EXPECT_NE(json.find("\"measured_length_m\": -1,"), std::string::npos);
  EXPECT_NE(CsvReport(*model, kEnglish).find(",-1,"), std::string::npos);
}

}  // namespace
}  // namespace report
