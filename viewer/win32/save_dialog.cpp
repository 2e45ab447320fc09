// The report's save dialog: the common file dialog with the application's one filter.
#include <windows.h>

#include "viewer/win32/dialogs.h"

namespace viewer {

bool ChooseReportFile(HWND owner, std::string& path) {
  char file[MAX_PATH] = "*.txt";
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = "Fichier Txt (*.txt)\0*.txt\0";
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  // A name typed without extension gets ".txt" before the overwrite check, not after.
  dialog.lpstrDefExt = "txt";
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
  if (!GetSaveFileNameA(&dialog)) return false;
  path = file;
  return true;
}

}  // namespace viewer
