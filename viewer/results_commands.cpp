#include "viewer/results_commands.h"

namespace viewer {

DispatchedCommand DispatchCommand(int id) {
  switch (id) {
    case kCommandUpload:
      return {CommandAction::kUpload};
    case kCommandExit:
      return {CommandAction::kClose};
    case kCommandGerman:
      return {CommandAction::kSelectLanguage, 0};
    case kCommandEnglish:
      return {CommandAction::kSelectLanguage, 1};
    case kCommandFrench:
      return {CommandAction::kSelectLanguage, 2};
    case kCommandInfo:
      return {CommandAction::kAbout};
    default:
      return {};
  }
}

int LanguageCommand(int language) {
  switch (language) {
    case 0:
      return kCommandGerman;
    case 2:
      return kCommandFrench;
    default:
      return kCommandEnglish;
  }
}

}  // namespace viewer
