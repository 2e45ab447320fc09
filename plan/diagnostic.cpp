#include "plan/diagnostic.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace plan {
namespace {

std::string_view LineOf(std::string_view text, std::size_t line) {
  std::size_t start = 0;
  for (std::size_t n = 1; n < line; ++n) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) return {};
    start = end + 1;
  }
  std::size_t end = text.find('\n', start);
  if (end == std::string_view::npos) end = text.size();
  std::string_view out = text.substr(start, end - start);
  if (!out.empty() && out.back() == '\r') out.remove_suffix(1);
  return out;
}

}  // namespace

void SortDiagnostics(std::vector<Diagnostic>& diagnostics) {
  std::stable_sort(diagnostics.begin(), diagnostics.end(),
                   [](const Diagnostic& a, const Diagnostic& b) {
                     if (a.line != b.line) return a.line < b.line;
                     if (a.column != b.column) return a.column < b.column;
                     return a.offset < b.offset;
                   });
}

bool HasErrors(const std::vector<Diagnostic>& diagnostics) {
  return std::any_of(diagnostics.begin(), diagnostics.end(),
                     [](const Diagnostic& d) { return !d.warning; });
}

std::string FormatTextDiagnostic(std::string_view file, std::string_view text,
                                 const Diagnostic& d) {
  std::string out = std::string(file) + ":" + std::to_string(d.line) + ":" +
                    std::to_string(d.column) + ": " + (d.warning ? "warning: " : "error: ") +
                    d.message + "\n";
  // Long lines (a megabyte on one line) are shown around the place only.
  std::string_view line = LineOf(text, d.line);
  std::size_t caret = 0;  // bytes before the column's character
  for (std::size_t chars = 1; caret < line.size() && chars < d.column; ++chars) {
    ++caret;
    while (caret < line.size() && (static_cast<unsigned char>(line[caret]) & 0xC0) == 0x80) {
      ++caret;
    }
  }
  std::size_t from = caret > 60 ? caret - 60 : 0;
  while (from > 0 && (static_cast<unsigned char>(line[from]) & 0xC0) == 0x80) --from;
  std::size_t to = std::min(line.size(), caret + 60);
  while (to < line.size() && (static_cast<unsigned char>(line[to]) & 0xC0) == 0x80) ++to;
  std::string shown(line.substr(from, to - from));
  std::string marker;
  for (std::size_t k = from; k < caret; ++k) {
    const auto c = static_cast<unsigned char>(line[k]);
    if ((c & 0xC0) != 0x80) marker += c == '\t' ? '\t' : ' ';
  }
  out += "  " + shown + "\n  " + marker + "^\n";
  return out;
}

std::string FormatSourceDiagnostic(std::string_view file, std::span<const std::uint8_t> bytes,
                                   const Diagnostic& d) {
  char place[64];
  std::snprintf(place, sizeof place, ":byte %zu (0x%zX): ", d.offset, d.offset);
  std::string out =
      std::string(file) + place + (d.warning ? "warning: " : "error: ") + d.message + "\n";
  const std::size_t line = d.offset / 16 * 16;
  if (line >= bytes.size()) return out;
  char text[32];
  std::snprintf(text, sizeof text, "  %08zX:", line);
  std::string dump = text, marker(12, ' ');
  for (std::size_t k = line; k < std::min(bytes.size(), line + 16); ++k) {
    std::snprintf(text, sizeof text, " %02X", bytes[k]);
    dump += text;
    if (k < d.offset) marker += "   ";
  }
  out += dump + "\n" + marker + " ^\n";
  return out;
}

}  // namespace plan
