// Texts of the results file and the tables (Windows-1252) made safe for the UTF-8 reports: every
// byte of a results file is hostile, so each output form escapes what could change its structure.
#pragma once

#include <string>

namespace report {

// UTF-8 with & < > " ' as entities; control characters other than tab, line feed and carriage
// return (which HTML does not allow) become U+FFFD.
std::string HtmlText(const std::string& cp1252);

// A JSON string literal, quotes included: UTF-8 with " \ and every control character escaped.
std::string JsonString(const std::string& cp1252);

// One CSV field (RFC 4180): UTF-8, quoted when it holds a comma, a quote, a line end or begins
// with a blank; a text a spreadsheet would take for a formula (= + - @, tab or line end at its
// start) gets a leading apostrophe; control bytes (C0 but tab and line ends, DEL, C1) become '?'.
std::string CsvText(const std::string& cp1252);

// A number with two decimals and `decimal_point` ("%.2f"); "" for a value that is not finite.
std::string FixedTwo(double value, char decimal_point = '.');

}  // namespace report
