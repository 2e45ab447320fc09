// The report's save dialog: the common file dialog. "*.txt" stays the first and default type; the
// other types choose the report's format by the extension they give the name.
#include <windows.h>

#include "viewer/win32/dialogs.h"

namespace viewer {

bool ChooseReportFile(HWND owner, std::string& path) {
  char file[MAX_PATH] = "*.txt";
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter =
      "Fichier Txt (*.txt)\0*.txt\0"
      "Web page (*.html)\0*.html\0"
      "Data (*.json)\0*.json\0"
      "Table (*.csv)\0*.csv\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  // A name typed without extension gets the chosen type's extension (".txt" by default) before
  // the overwrite check, not after.
  dialog.lpstrDefExt = "txt";
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
  if (!GetSaveFileNameA(&dialog)) return false;
  path = file;
  return true;
}

}  // namespace viewer
