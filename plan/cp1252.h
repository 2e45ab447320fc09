// Code page 1252 (the tester's texts) to and from UTF-8 (the plan's texts), exactly: a byte that
// code page 1252 leaves undefined, and a character it cannot hold, are refused, not replaced.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace plan {

// The UTF-8 form of `bytes`; false when one of them is undefined in code page 1252.
bool Cp1252ToUtf8(std::span<const std::uint8_t> bytes, std::string* out);

// Why a UTF-8 text has no code page 1252 form.
struct EncodeFailure {
  std::size_t offset = 0;  // byte offset of the offending character in the UTF-8 text
  char32_t character = 0;  // the character, when the UTF-8 itself is valid
  bool invalid_utf8 = false;
};

// The code page 1252 form of `utf8`; false (and `failure` filled) at the first character that
// has none or at invalid UTF-8.
bool Utf8ToCp1252(std::string_view utf8, std::string* out, EncodeFailure* failure);

// A field's text up to its first NUL, for messages and menus: bytes without a character show as
// U+FFFD.
std::string DisplayText(std::span<const std::uint8_t> field);

}  // namespace plan
