// Loaded into a program under test by window_inspector.exe: Wine keeps a menu readable only by the
// process that owns it, so this DLL reads the menu bars of its host's windows from inside and
// writes them to menu_probe_<pid>.txt beside itself. Its entry point then fails on purpose, so the
// loader unloads it again and the next inspection loads it afresh.
#include <windows.h>

#include <string>

#include "tests/programs/win32/inspector_text.h"

namespace {

void DumpMenu(HMENU menu, const std::wstring& path, const std::string& window, std::string& out) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = L"";
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE;
    item.dwTypeData = text;
    item.cch = 255;
    if (!GetMenuItemInfoW(menu, i, TRUE, &item)) continue;
    if (item.fType & MFT_SEPARATOR) {
      out += window + " menu " + inspector::Quoted(path + L"/-") + " separator\n";
      continue;
    }
    std::wstring name = path.empty() ? std::wstring(text) : path + L"/" + text;
    out += window + " menu " + inspector::Quoted(name);
    if (item.hSubMenu) {
      out += " popup";
    } else {
      out += " id " + std::to_string(item.wID);
      out += (item.fState & MFS_CHECKED) ? " checked 1" : " checked 0";
    }
    out += (item.fState & MFS_DISABLED) ? " enabled 0\n" : " enabled 1\n";
    if (item.hSubMenu) DumpMenu(item.hSubMenu, name, window, out);
  }
}

BOOL CALLBACK DumpWindow(HWND window, LPARAM lparam) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != GetCurrentProcessId()) return TRUE;
  HMENU bar = GetMenu(window);
  if (bar && IsMenu(bar)) {
    auto& out = *reinterpret_cast<std::string*>(lparam);
    DumpMenu(bar, L"", inspector::Hex(window), out);
    // GetSystemMenu gives a window that has none a copy of its own; Morvane has made one.
    HMENU system_menu = GetSystemMenu(window, FALSE);
    if (system_menu) DumpMenu(system_menu, L"(system)", inspector::Hex(window), out);
  }
  return TRUE;
}

void WriteMenus(HINSTANCE self) {
  std::string out;
  EnumWindows(DumpWindow, reinterpret_cast<LPARAM>(&out));
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  std::wstring file(path, length);
  file = file.substr(0, file.find_last_of(L'\\') + 1) + L"menu_probe_" +
         std::to_wstring(GetCurrentProcessId()) + L".txt";
  // Written under a temporary name and renamed, so the inspector never reads half a file.
  std::wstring temporary = file + L".part";
  HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  bool ok = WriteFile(handle, out.data(), static_cast<DWORD>(out.size()), &written, nullptr) &&
            written == out.size();
  CloseHandle(handle);
  if (!ok || !MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileW(temporary.c_str());
  }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  WriteMenus(self);
  return FALSE;
}
