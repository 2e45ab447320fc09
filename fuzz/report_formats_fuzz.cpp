// Hostile results files and acquisition images through the web-page, JSON and CSV writers; the
// same bytes as an archived upload's manifest and version record. The input is split at its first
// NUL byte: the results file before it, the acquisition image after it.
//
// Checks, beyond the sanitizers: every output is valid UTF-8; the page holds no element but the
// writer's own; the JSON's strings all end and its brackets balance, with no raw control byte; each
// CSV record parses (RFC 4180) into exactly the header's fields.

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "fuzz/result_files_input.h"
#include "report/csv_report_writer.h"
#include "report/html_report_writer.h"
#include "report/json_report_writer.h"
#include "viewer/results_reader.h"
#include "viewer/tester_identity.h"
#include "viewer/upload_manifest.h"

namespace {

void Fail(const char* what, const std::string& output) {
  std::fprintf(stderr, "%s\n%.2000s\n", what, output.c_str());
  std::abort();
}

bool ValidUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

void CheckHtml(const std::string& html) {
  static const std::set<std::string> kTags = {
      "!DOCTYPE", "html", "head", "meta", "title",    "style",  "body",
      "header",   "h1",   "h2",   "h3",   "table",    "thead",  "tbody",
      "tr",       "th",   "td",   "p",    "section",  "figure", "figcaption",
      "svg",      "g",    "line", "text", "polyline", "span",   "br"};
  for (std::size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
    std::size_t start = at + 1;
    if (start < html.size() && html[start] == '/') ++start;
    std::size_t end = start;
    while (end < html.size() && (std::isalnum(static_cast<unsigned char>(html[end])) ||
                                 html[end] == '!' || html[end] == '-')) {
      ++end;
    }
    if (kTags.count(html.substr(start, end - start)) == 0) Fail("foreign element", html);
  }
}

void CheckJson(const std::string& json) {
  int depth = 0;
  bool in_string = false;
  for (std::size_t i = 0; i < json.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(json[i]);
    if (in_string) {
      if (c < 0x20) Fail("raw control byte in a JSON string", json);
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        in_string = false;
      }
      continue;
    }
    if (c == '"') in_string = true;
    if (c == '{' || c == '[') ++depth;
    if (c == '}' || c == ']') --depth;
    if (depth < 0 || (c < 0x20 && c != '\n')) Fail("JSON structure", json);
  }
  if (in_string || depth != 0) Fail("JSON does not close", json);
}

void CheckCsv(const std::string& csv) {
  const std::size_t fields_per_record =
      1 + static_cast<std::size_t>(std::count(
              report::kCsvHeader, report::kCsvHeader + std::strlen(report::kCsvHeader), ','));
  std::size_t fields = 1;
  bool quoted = false, at_field_start = true;
  for (std::size_t i = 0; i < csv.size(); ++i) {
    const char c = csv[i];
    if (quoted) {
      if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
        ++i;
      } else if (c == '"') {
        quoted = false;
      }
      continue;
    }
    if (c == '"') {
      if (!at_field_start) Fail("quote inside an unquoted CSV field", csv);
      quoted = true;
      at_field_start = false;
    } else if (c == ',') {
      ++fields;
      at_field_start = true;
    } else if (c == '\r') {
      if (i + 1 >= csv.size() || csv[i + 1] != '\n') Fail("CSV record without CRLF", csv);
      if (fields != fields_per_record) Fail("CSV record with another field count", csv);
      fields = 1;
      at_field_start = true;
      ++i;
    } else if (c == '\n') {
      Fail("bare line feed outside quotes", csv);
    } else {
      at_field_start = false;
    }
  }
  if (quoted || !csv.ends_with("\r\n")) Fail("CSV does not end", csv);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::optional<viewer::ResultFiles> written =
      fuzz::WriteResultFiles("report_formats_fuzz", input);
  if (!written) return 0;
  const viewer::ResultFiles& files = *written;
  static auto model = std::make_unique<report::ResultModel>();
  viewer::ReadAllResults(*model, files);
  const report::TesterIdentity tester = viewer::TesterIdentityFrom(input);
  viewer::UploadManifest manifest;
  (void)viewer::ParseManifest(input, manifest);

  const int language = static_cast<int>(size % 3);
  const std::string html = report::HtmlReport(*model, language, tester);
  const std::string json = report::JsonReport(*model, language, tester);
  const std::string csv = report::CsvReport(*model, language);
  for (const std::string* output : {&html, &json, &csv}) {
    if (!ValidUtf8(*output)) Fail("not UTF-8", *output);
  }
  CheckHtml(html);
  CheckJson(json);
  CheckCsv(csv);
  return 0;
}
