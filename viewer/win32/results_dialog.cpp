// The main dialog (template 102): the Upload button, the File and Language menus, Info and the
// system menu's About item. The window procedure copies the dialog state to the button and the
// menu and hands every command to the portable code.
#include <memory>

#include "platform/message_box.h"
#include "platform/process.h"
#include "resources/morvane_resource.h"
#include "viewer/program_upload_host.h"
#include "viewer/results_commands.h"
#include "viewer/results_dialog_state.h"
#include "viewer/upload_flow.h"
#include "viewer/win32/dialogs.h"

namespace viewer {
namespace {

static_assert(IDC_UPLOAD == kCommandUpload && IDCANCEL == kCommandExit &&
              ID_LANGUAGE_GERMAN == kCommandGerman && ID_LANGUAGE_ENGLISH == kCommandEnglish &&
              ID_LANGUAGE_FRENCH == kCommandFrench && ID_INFO == kCommandInfo &&
              IDM_ABOUTBOX == kSystemCommandAbout);

struct ResultsDialog {
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  ResultsDialogState state;
  std::unique_ptr<report::ResultModel> model = std::make_unique<report::ResultModel>();
  int start_language = -1;
  int exit_status = 0;
};

// The dialog's one data item: the button caption.
void PushData(HWND dialog, const ResultsDialogState& state) {
  SetDlgItemTextA(dialog, IDC_UPLOAD, state.ButtonCaption().c_str());
}

void CheckLanguageItem(HWND dialog, const ResultsDialogState& state) {
  HMENU bar = GetMenu(dialog);
  for (int command : {kCommandGerman, kCommandEnglish, kCommandFrench}) {
    UINT check = command == state.CheckedLanguageCommand() ? MF_CHECKED : MF_UNCHECKED;
    CheckMenuItem(bar, command, MF_BYCOMMAND | check);
  }
}

// Renames the menu bar's entries in place, keeping every popup with its items and every id.
void RenameMenu(HWND dialog, const ResultsDialogState& state) {
  HMENU bar = GetMenu(dialog);
  const report::MenuTexts& texts = state.menu();
  auto rename_popup = [bar](UINT position, const std::string& text) {
    HMENU popup = GetSubMenu(bar, position);
    ModifyMenuA(bar, position, MF_BYPOSITION | MF_POPUP | MF_STRING,
                reinterpret_cast<UINT_PTR>(popup), text.c_str());
  };
  auto rename_item = [bar](UINT command, const std::string& text) {
    ModifyMenuA(bar, command, MF_BYCOMMAND | MF_STRING, command, text.c_str());
  };
  rename_popup(0, texts.file);
  rename_item(kCommandUpload, texts.upload);
  rename_item(kCommandExit, texts.exit);
  rename_popup(1, texts.language);
  rename_item(kCommandGerman, texts.german);
  rename_item(kCommandEnglish, texts.english);
  rename_item(kCommandFrench, texts.french);
  DrawMenuBar(dialog);
}

void SelectLanguage(HWND dialog, ResultsDialog& self, int language) {
  self.state.SelectLanguage(language);
  PushData(dialog, self.state);
  RenameMenu(dialog, self.state);
  CheckLanguageItem(dialog, self.state);
}

void AddAboutToSystemMenu(HWND dialog, HINSTANCE instance) {
  char text[256] = "";
  if (LoadStringA(instance, IDS_ABOUTBOX, text, sizeof text) <= 0 || text[0] == '\0') return;
  HMENU system_menu = GetSystemMenu(dialog, FALSE);
  if (system_menu == nullptr) return;
  AppendMenuA(system_menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(system_menu, MF_STRING, kSystemCommandAbout, text);
}

void OnInitDialog(HWND dialog, ResultsDialog& self) {
  AddAboutToSystemMenu(dialog, self.instance);
  SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(self.icon));
  SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(self.icon));
  PushData(dialog, self.state);
  CheckLanguageItem(dialog, self.state);
  if (self.start_language >= 0) SelectLanguage(dialog, self, self.start_language);
}

void OnUpload(HWND dialog, ResultsDialog& self) {
  ProgramUploadHost host([dialog](std::string& path) { return ChooseReportFile(dialog, path); },
                         !platform::Unattended());
  UploadOutcome outcome =
      RunUpload(host, self.state.language(), platform::ProgramPath(), *self.model);
  self.exit_status = ExitStatusFor(outcome);
  if (outcome == UploadOutcome::kReportWritten) EndDialog(dialog, IDCANCEL);
}

// A minimized window shows its icon centred in the client area.
void PaintIconic(HWND dialog, HICON icon) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(dialog, &paint);
  SendMessageA(dialog, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client;
  GetClientRect(dialog, &client);
  int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
  int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc, x, y, icon);
  EndPaint(dialog, &paint);
}

INT_PTR CALLBACK ResultsDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lparam);
    OnInitDialog(dialog, *reinterpret_cast<ResultsDialog*>(lparam));
    platform::SetBoxOwner(dialog);
    return TRUE;
  }
  if (message == WM_DESTROY) platform::SetBoxOwner(nullptr);
  auto* self = reinterpret_cast<ResultsDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (self == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND: {
      DispatchedCommand command = DispatchCommand(LOWORD(wparam));
      switch (command.action) {
        case CommandAction::kUpload:
          OnUpload(dialog, *self);
          return TRUE;
        case CommandAction::kClose:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        case CommandAction::kSelectLanguage:
          SelectLanguage(dialog, *self, command.language);
          return TRUE;
        case CommandAction::kAbout:
          ShowAboutBox(self->instance, dialog);
          return TRUE;
        case CommandAction::kNone:
          return FALSE;
      }
      return FALSE;
    }
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == kSystemCommandAbout) {
        ShowAboutBox(self->instance, dialog);
        return TRUE;
      }
      return FALSE;
    case WM_PAINT:
      if (!IsIconic(dialog)) return FALSE;
      PaintIconic(dialog, self->icon);
      return TRUE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(self->icon);
    default:
      return FALSE;
  }
}

}  // namespace

int RunResultsDialog(HINSTANCE instance, const MorvaneOptions& options) {
  ResultsDialog self;
  self.instance = instance;
  self.icon = LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
  if (options.language_given) self.start_language = options.language;
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MORVANE_DIALOG), nullptr, ResultsDialogProc,
                  reinterpret_cast<LPARAM>(&self));
  return self.exit_status;
}

}  // namespace viewer
