#include "viewer/results_dialog_state.h"

#include "viewer/results_commands.h"

namespace viewer {
ResultsDialogState::ResultsDialogState() : menu_(&MenuTextsFor(kEnglish)) {}

void ResultsDialogState::SelectLanguage(int language) {
  if (language < 0 || language >= kLanguageCount) return;
  language_ = language;
  menu_ = &MenuTextsFor(language);
  menu_renamed_ = true;
}

const std::string& ResultsDialogState::ButtonCaption() const {
  return UiText(language_, ui_text::kUploadCaption);
}

int ResultsDialogState::CheckedLanguageCommand() const { return LanguageCommand(language_); }

}  // namespace viewer
