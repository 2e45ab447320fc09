#include "viewer/results_dialog_state.h"

#include "viewer/results_commands.h"

namespace viewer {
ResultsDialogState::ResultsDialogState() : menu_(&report::MenuTextsFor(report::kEnglish)) {}

void ResultsDialogState::SelectLanguage(int language) {
  if (language < 0 || language >= report::kLanguageCount) return;
  language_ = language;
  menu_ = &report::MenuTextsFor(language);
  menu_renamed_ = true;
}

const std::string& ResultsDialogState::ButtonCaption() const {
  return report::UiText(language_, report::ui_text::kUploadCaption);
}

int ResultsDialogState::CheckedLanguageCommand() const { return LanguageCommand(language_); }

}  // namespace viewer
