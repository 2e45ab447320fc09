// The translation file that hands the tool its 43 messages in the language of the results
// application (layout: formats/translation_file_format.h).
#pragma once

#include <string>

namespace viewer {

// Creates or truncates `path` and writes the 43 tool messages of `language` to it. Returns false
// when the file cannot be created or written completely (or `language` is out of range).
[[nodiscard]] bool WriteTranslationFile(int language, const std::string& path);

}  // namespace viewer
