// Text records of the tester protocol.
#include "testerlink/record_text.h"

#include <cstdio>

#include "formats/record_types.h"

namespace testerlink {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsScanfSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

char CharAt(std::string_view text, std::size_t index) {
  return index < text.size() ? text[index] : '\0';
}

}  // namespace

std::string BuildReadRequest(std::uint32_t address, std::uint32_t count) {
  std::uint8_t bytes[12] = {8, 0, 0, formats::kRecordReadRequest};
  for (int i = 0; i < 4; ++i) {
    bytes[4 + i] = static_cast<std::uint8_t>(address >> (8 * i));
    bytes[8 + i] = static_cast<std::uint8_t>(count >> (8 * i));
  }
  unsigned sum = 0;
  char text[2 * 13 + 2] = ":";
  for (int i = 0; i < 12; ++i) {
    sum += bytes[i];
    std::snprintf(text + 1 + 2 * i, 3, "%02X", bytes[i]);
  }
  std::snprintf(text + 25, 3, "%02X", static_cast<unsigned>((256 - sum % 256) % 256));
  return text;
}

std::uint8_t HexByte(char first, char second) {
  // The two characters form the whole text; a zero character shortens it.
  const char both[2] = {first, second};
  std::string_view text(both, first == '\0' ? 0 : second == '\0' ? 1 : 2);
  std::size_t i = 0;
  while (i < text.size() && IsScanfSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int value = 0;
  bool digits = false;
  for (; i < text.size() && HexDigit(text[i]) >= 0; ++i) {
    // "0x" reads as 0: the prefix needs a digit after it, and two characters leave none.
    value = value * 16 + HexDigit(text[i]);
    digits = true;
  }
  if (!digits) return 0xFF;
  return static_cast<std::uint8_t>(negative ? -value : value);
}

std::size_t NextRecordLine(std::string_view text, std::size_t* position, std::string* line) {
  line->clear();
  std::size_t pos = *position;
  for (std::size_t skipped = 0;; ++skipped, ++pos) {
    char c = CharAt(text, pos);
    if (c == ':') break;
    if (c == '\0' || skipped == kMaxSkippedCharacters) {
      *position = pos;
      return 0;
    }
  }
  while (line->size() < kMaxRecordLength) {
    char c = CharAt(text, pos);
    if (c == '\r' || c == '\n' || c == '\0') break;
    line->push_back(c);
    ++pos;
  }
  *position = pos;
  return line->size();
}

bool RecordLineWellFormed(std::string_view line) {
  if (CharAt(line, 0) != ':') return false;
  std::uint8_t length = HexByte(CharAt(line, 1), CharAt(line, 2));
  return static_cast<std::uint8_t>(2 * length) == static_cast<std::uint8_t>(line.size() - 11);
}

std::uint8_t RecordType(std::string_view line) { return HexByte(CharAt(line, 7), CharAt(line, 8)); }

}  // namespace testerlink
