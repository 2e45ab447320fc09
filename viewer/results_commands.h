// The commands of the main dialog and what each one does, shared by the Windows dialog (menu and
// button ids) and the terminal menu, so that both front ends dispatch the same way.
#pragma once

namespace viewer {

// Command ids as the dialog template, the menu and the system menu carry them.
inline constexpr int kCommandUpload = 1001;  // push button and File > Upload
inline constexpr int kCommandExit = 2;       // File > Exit, Escape, close box (IDCANCEL)
inline constexpr int kCommandGerman = 32771;
inline constexpr int kCommandEnglish = 32772;
inline constexpr int kCommandFrench = 32773;
inline constexpr int kCommandInfo = 57664;      // top-level "Info": the About box
inline constexpr int kSystemCommandAbout = 16;  // system menu "&About..."

enum class CommandAction { kNone, kUpload, kClose, kSelectLanguage, kAbout };

struct DispatchedCommand {
  CommandAction action = CommandAction::kNone;
  int language = -1;  // kSelectLanguage only: 0 German, 1 English, 2 French
};

// What command `id` of the main dialog does; kNone for an id the dialog does not handle.
DispatchedCommand DispatchCommand(int id);

// The language menu item's command id for `language` (0 to 2); kCommandEnglish when out of range.
int LanguageCommand(int language);

}  // namespace viewer
