#include "platform/text_encoding.h"

#include <cstdint>

namespace platform {
namespace {

// Code points of bytes 0x80..0x9F; the five undefined bytes map to themselves (C1 controls).
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string Cp1252ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    std::uint32_t cp = c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : c;
    AppendUtf8(out, cp);
  }
  return out;
}

bool IsTerminalControl(unsigned char c) {
  if (c < 0x20) return c != '\n' && c != '\t';
  return c == 0x7F || (c >= 0x80 && c < 0xA0 && kHigh[c - 0x80] < 0xA0);
}

std::string Cp1252ToTerminalUtf8(const std::string& text) {
  std::string safe = text;
  for (char& c : safe) {
    if (IsTerminalControl(static_cast<unsigned char>(c))) c = '?';
  }
  return Cp1252ToUtf8(safe);
}

}  // namespace platform
