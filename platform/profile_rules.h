// The rules of the Windows profile functions (GetPrivateProfileStringA, WritePrivateProfileStringA)
// that both builds follow, in one place. What a re-read changes and how names compare live with
// the document (profile_document.h), which applies these rules to a whole file.
//
// - Arguments are C strings: a section, key, value or default is cut at its first zero byte.
// - White space is the C blanks (space, \t \n \v \f \r) and the old end-of-file mark Ctrl-Z;
//   lines, names and values are trimmed of it when the file is read.
// - Section and key names compare with A to Z in any case; other bytes (0xC9, 0xE9) must match.
// - A UTF-8 byte-order mark at the start of the file is kept there and is not part of a name.
// - Reading: the value found, else the default less its trailing spaces (never its first byte);
//   then a pair of matching quotes around the whole text removed; then cut to buffer_size - 1.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform::profile {

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

inline bool IsBlank(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u == ' ' || (u >= '\t' && u <= '\r') || u == 0x1A;
}
inline std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}
inline std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}
inline std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

// Names compare with this folding: A to Z only.
inline char FoldLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// What the Windows functions see of an argument, or of a name or value in the file.
inline std::string_view UpToZero(std::string_view s) { return s.substr(0, s.find('\0')); }

// The text GetPrivateProfileStringA gives for `found` (the value in the file, nullopt when the
// section, the key or its '=' is missing) with this default and buffer size.
std::string ReadResult(std::optional<std::string_view> found, std::string_view default_value,
                       std::size_t buffer_size);

}  // namespace platform::profile
