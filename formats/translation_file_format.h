// The layout of "InfoTrfTR.zel" (formats::kTranslationFile): the tool's 43 messages in the language
// of the results application. No header and no trailer: for each message in index order a u16
// count (the text's length minus 1, so a text is never empty) and then the text's bytes, with no
// terminator. Morvane writes it before every start of the tool; the tool loads it at start.
#pragma once

#include <cstddef>
#include <cstdint>

namespace formats {

inline constexpr int kTranslationMessageCount = 43;
inline constexpr std::size_t kTranslationCountSize = 2;  // u16, length - 1
inline constexpr std::size_t kTranslationMaxTextLength = std::size_t{0xFFFF} + 1;
// The largest file the messages can make.
inline constexpr std::size_t kTranslationMaxFileSize =
    kTranslationMessageCount * (kTranslationCountSize + kTranslationMaxTextLength);

// The count stored before a text of `length` bytes (1 to kTranslationMaxTextLength).
constexpr std::uint16_t TranslationCount(std::size_t length) {
  return static_cast<std::uint16_t>(length - 1);
}
// The text length a stored count announces.
constexpr std::size_t TranslationTextLength(std::uint16_t count) { return std::size_t{count} + 1; }

}  // namespace formats
