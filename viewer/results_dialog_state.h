// What the main dialog shows, kept apart from any window: the current language, the Upload button's
// caption and the menu texts with the language check mark. The Windows dialog and the terminal menu
// copy from it; a language switch changes only this state.
#pragma once

#include <string>

#include "report/language_tables.h"

namespace viewer {

class ResultsDialogState {
 public:
  // The state after the dialog initialises: English, the menu with its resource (English) texts,
  // the check mark on English.
  ResultsDialogState();

  // The language switch: language, button caption, menu renamed, check mark moved. A language out
  // of 0..2 is ignored.
  void SelectLanguage(int language);

  int language() const { return language_; }
  // The Upload button's caption: UI text 19 of the current language.
  const std::string& ButtonCaption() const;
  // The menu texts the menu bar shows now.
  const report::MenuTexts& menu() const { return *menu_; }
  // Command id of the language item that carries the check mark.
  int CheckedLanguageCommand() const;
  // True once a language was picked: from then on the menu bar must be renamed and redrawn.
  bool menu_renamed() const { return menu_renamed_; }

 private:
  int language_ = report::kEnglish;
  const report::MenuTexts* menu_;
  bool menu_renamed_ = false;
};

}  // namespace viewer
