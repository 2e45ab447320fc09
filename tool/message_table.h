// The tool's 43 translated messages, loaded from InfoTrfTR.zel, and the formatting of the five
// messages that carry values.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "formats/translation_file_format.h"

namespace tool {

inline constexpr int kMessageCount = formats::kTranslationMessageCount;
inline constexpr std::size_t kMaxFormattedLength = 255;

class MessageTable {
 public:
  // Loads messages 0..42 from `path`. False when the file cannot be opened for reading and
  // writing (the start-up box follows). A short or truncated file loads what it holds; the
  // messages it does not hold are empty.
  [[nodiscard]] bool Load(const std::string& path);

  // Message `index`; empty for an index outside 0..42.
  const std::string& Text(int index) const;

  // Message `index` with its conversions ("%d", "%02X", ...) filled from `values` in order, cut to
  // 255 characters, kept in the scratch entry and returned. The message text is never handed to
  // printf: only the conversions d, i, u, x and X (with flags, width and precision) take a value;
  // "%%" is a percent sign; anything else is copied as it stands; a missing value prints 0.
  const std::string& Format(int index, std::initializer_list<std::int64_t> values);

  // Sets message `index` (tests and tools that build a table in memory).
  void Set(int index, std::string text);

 private:
  std::array<std::string, kMessageCount + 1> texts_;  // entry 43: the scratch string
};

}  // namespace tool
