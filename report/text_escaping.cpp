#include "report/text_escaping.h"

#include <cmath>
#include <cstdio>

#include "platform/text_encoding.h"

namespace report {
namespace {

// A control character in Windows-1252: C0 except tab, LF, CR; DEL; and the five bytes without a
// character (0x81, 0x8D, 0x8F, 0x90, 0x9D), which the conversion keeps as C1 controls.
bool IsControl(unsigned char c) {
  if (c < 0x20) return c != '\t' && c != '\n' && c != '\r';
  return c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

}  // namespace

std::string HtmlText(const std::string& cp1252) {
  std::string out;
  out.reserve(cp1252.size());
  for (unsigned char c : cp1252) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        if (IsControl(c)) {
          out += "\xEF\xBF\xBD";
        } else {
          out += platform::Cp1252ToUtf8(std::string(1, static_cast<char>(c)));
        }
    }
  }
  return out;
}

std::string JsonString(const std::string& cp1252) {
  std::string out = "\"";
  for (unsigned char c : cp1252) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", c);
      out += escape;
    } else {
      out += platform::Cp1252ToUtf8(std::string(1, static_cast<char>(c)));
    }
  }
  return out + "\"";
}

std::string CsvText(const std::string& cp1252) {
  // Control bytes (escapes, C1) are shown as '?'; a field that a spreadsheet would take for a
  // formula (=, +, -, @, or a tab or line end first) starts with an apostrophe.
  std::string safe = cp1252;
  for (char& c : safe) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte != '\r' && platform::IsTerminalControl(byte)) c = '?';
  }
  std::string text = platform::Cp1252ToUtf8(safe);
  if (!text.empty() && (text[0] == '=' || text[0] == '+' || text[0] == '-' || text[0] == '@' ||
                        text[0] == '\t' || text[0] == '\r' || text[0] == '\n')) {
    text.insert(text.begin(), '\'');
  }
  const bool quote =
      text.find_first_of(",\"\r\n") != std::string::npos || (!text.empty() && text[0] == ' ');
  if (!quote) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string FixedTwo(double value, char decimal_point) {
  if (!std::isfinite(value)) return {};
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string out = text;
  if (out == "-0.00") out = "0.00";
  if (decimal_point != '.') {
    for (char& c : out) {
      if (c == '.') c = decimal_point;
    }
  }
  return out;
}

}  // namespace report
