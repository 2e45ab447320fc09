// The translation file that hands the tool its 43 messages in the language of the results
// application: for each message in index order a 16-bit little-endian count (length - 1) followed
// by the message's bytes, nothing else.
#pragma once

#include <string>

namespace viewer {

// Creates or truncates `path` and writes the 43 tool messages of `language` to it. Returns false
// when the file cannot be created or written completely (or `language` is out of range).
[[nodiscard]] bool WriteTranslationFile(int language, const std::string& path);

}  // namespace viewer
