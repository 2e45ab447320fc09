#include "plan/cp1252.h"

#include <array>

namespace plan {
namespace {

// Characters of bytes 0x80 to 0x9F; 0 where code page 1252 defines none.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CharacterOf(std::uint8_t byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHigh[byte - 0x80];
  return byte;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 character at `at`; 0 bytes consumed when the sequence is invalid (overlong
// forms, surrogates and values above U+10FFFF included).
std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t* out) {
  const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[at + k]); };
  const std::uint8_t lead = byte(0);
  std::size_t length = 0;
  char32_t c = 0, minimum = 0;
  if (lead < 0x80) {
    *out = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, c = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, c = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, c = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (text.size() - at < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(k) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(k) & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  *out = c;
  return length;
}

}  // namespace

bool Cp1252ToUtf8(std::span<const std::uint8_t> bytes, std::string* out) {
  out->clear();
  for (std::uint8_t b : bytes) {
    const char32_t c = CharacterOf(b);
    if (c == 0 && b != 0) return false;
    AppendUtf8(*out, c);
  }
  return true;
}

bool Utf8ToCp1252(std::string_view utf8, std::string* out, EncodeFailure* failure) {
  out->clear();
  for (std::size_t at = 0; at < utf8.size();) {
    char32_t c = 0;
    const std::size_t used = DecodeUtf8(utf8, at, &c);
    if (used == 0) {
      *failure = {at, 0, true};
      return false;
    }
    int byte = -1;
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      byte = static_cast<int>(c);
    } else {
      for (std::size_t k = 0; k < kHigh.size(); ++k) {
        if (kHigh[k] == c) byte = static_cast<int>(0x80 + k);
      }
    }
    if (byte < 0) {
      *failure = {at, c, false};
      return false;
    }
    *out += static_cast<char>(byte);
    at += used;
  }
  return true;
}

std::string DisplayText(std::span<const std::uint8_t> field) {
  std::string out;
  for (std::uint8_t b : field) {
    if (b == 0) break;
    const char32_t c = CharacterOf(b);
    AppendUtf8(out, c == 0 ? char32_t{0xFFFD} : c);
  }
  return out;
}

}  // namespace plan
