// The texts of the results application in its three languages: the user-interface and report texts,
// the messages handed to the communication tool through the translation file, and the menu texts.
// Every text is a Windows-1252 byte string; the tables are constant for the whole run.
#pragma once

#include <string>

#include "formats/translation_file_format.h"

namespace viewer {

enum Language { kGerman = 0, kEnglish = 1, kFrench = 2 };

inline constexpr int kLanguageCount = 3;
inline constexpr int kUiTextCount = 37;
inline constexpr int kToolMessageCount = formats::kTranslationMessageCount;

// UI text `index` (0 to 36) in `language` (0 to 2). Returns an empty text for an index or a
// language out of range.
const std::string& UiText(int language, int index);

// Tool message `index` (0 to 42) in `language`, as the tool shows it. Returns an empty text for an
// index or a language out of range.
const std::string& ToolMessage(int language, int index);

// The texts of the main dialog's menu bar in one language.
struct MenuTexts {
  std::string file, upload, exit, language, german, english, french;
};

// Menu texts of `language`; the English ones for a language out of range.
const MenuTexts& MenuTextsFor(int language);

}  // namespace viewer
