// Test helper of the GUI tests: prints, as text, what the Win32 API reads of the visible top-level
// windows that match a title or class: window and control texts, enabled and visible state, the
// owner window, progress bar positions and the menu bar's items with their check marks. Waits for
// a window to appear, to carry a text, to stay or to go, so that scripts need no fixed sleeps.
//
// Usage: window_inspector [--title TEXT | --title-has TEXT] [--class NAME] [--handle 0xHEX]
//                         [--timeout MS]
//                         [--has TEXT | --gone | --stays MS]
//        window_inspector --list
// Exits 0 when the condition held within the time-out (default 10000 ms), 1 when it did not (the
// last state is printed either way), 2 on a wrong command line.
#include <fcntl.h>
#include <io.h>
// The other Win32 headers need the types of windows.h.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>
// clang-format on

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "tests/programs/win32/inspector_text.h"

namespace {

using inspector::Hex;
using inspector::Quoted;

struct Options {
  std::wstring title;
  bool title_substring = false;
  std::wstring class_name;
  HWND handle = nullptr;
  DWORD timeout_ms = 10000;
  std::string has;
  bool gone = false;
  DWORD stays_ms = 0;
  bool list = false;
};

std::wstring WindowText(HWND window) {
  // A message gets the live text of controls (an edit box being typed into); a window whose
  // thread is busy, such as Morvane waiting for the tool, still answers through GetWindowText.
  wchar_t text[1024] = L"";
  DWORD_PTR copied = 0;
  if (SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                          SMTO_ABORTIFHUNG, 300, &copied)) {
    return std::wstring(text, copied < 1024 ? copied : 1023);
  }
  int n = GetWindowTextW(window, text, 1024);
  return std::wstring(text, n > 0 ? n : 0);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = L"";
  int n = GetClassNameW(window, name, 256);
  return std::wstring(name, n > 0 ? n : 0);
}

std::string Rect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return " rect " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
         std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top);
}

std::string States(HWND window) {
  return std::string(" visible ") + (IsWindowVisible(window) ? "1" : "0") + " enabled " +
         (IsWindowEnabled(window) ? "1" : "0");
}

// Address of LoadLibraryW in `process`: kernel32's base there plus the function's offset here.
void* RemoteLoadLibrary(HANDLE process) {
  HMODULE local = GetModuleHandleW(L"kernel32.dll");
  auto* function = reinterpret_cast<char*>(GetProcAddress(local, "LoadLibraryW"));
  HMODULE modules[512];
  DWORD needed = 0;
  if (EnumProcessModulesEx(process, modules, sizeof modules, &needed, LIST_MODULES_ALL)) {
    for (DWORD i = 0; i < needed / sizeof(HMODULE) && i < 512; ++i) {
      wchar_t name[MAX_PATH] = L"";
      if (GetModuleBaseNameW(process, modules[i], name, MAX_PATH) &&
          lstrcmpiW(name, L"kernel32.dll") == 0) {
        return reinterpret_cast<char*>(modules[i]) + (function - reinterpret_cast<char*>(local));
      }
    }
  }
  return function;  // system libraries usually lie at the same address in every process
}

std::wstring ProbePath() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring self(path, length);
  return self.substr(0, self.find_last_of(L'\\') + 1) + L"menu_probe.dll";
}

// The menu lines of `window`, read by menu_probe.dll loaded into the window's process.
std::string MenuLines(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
  if (!process) return "menu unreadable (process not opened)\n";
  std::wstring dll = ProbePath();
  std::wstring output =
      dll.substr(0, dll.find_last_of(L'\\') + 1) + L"menu_probe_" + std::to_wstring(pid) + L".txt";
  DeleteFileW(output.c_str());
  SIZE_T size = (dll.size() + 1) * sizeof(wchar_t);
  void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  std::string lines = "menu unreadable (probe not run)\n";
  if (remote && WriteProcessMemory(process, remote, dll.c_str(), size, nullptr)) {
    HANDLE thread = CreateRemoteThread(
        process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(RemoteLoadLibrary(process)),
        remote, 0, nullptr);
    if (thread) {
      WaitForSingleObject(thread, 5000);
      CloseHandle(thread);
    }
    HANDLE file = CreateFileW(output.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      std::string all;
      char buffer[4096];
      DWORD got = 0;
      while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        all.append(buffer, got);
      CloseHandle(file);
      DeleteFileW(output.c_str());
      // Keep this window's lines, without the window handle that starts each of them.
      std::string prefix = Hex(window) + " ";
      lines.clear();
      for (size_t start = 0; start < all.size();) {
        size_t end = all.find('\n', start);
        if (end == std::string::npos) end = all.size();
        std::string line = all.substr(start, end - start);
        if (line.rfind(prefix, 0) == 0) lines += line.substr(prefix.size()) + "\n";
        start = end + 1;
      }
    }
  }
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return lines;
}

std::string WindowLine(HWND window) {
  HWND owner = GetWindow(window, GW_OWNER);
  std::string line = "window " + Hex(window) + " class " + Quoted(ClassOf(window)) + " title " +
                     Quoted(WindowText(window)) + States(window);
  line += owner ? " owner " + Quoted(WindowText(owner)) : std::string(" owner none");
  return line + Rect(window) + "\n";
}

BOOL CALLBACK CollectChild(HWND child, LPARAM lparam) {
  reinterpret_cast<std::vector<HWND>*>(lparam)->push_back(child);
  return TRUE;
}

std::string Dump(HWND window) {
  std::string out = WindowLine(window);
  std::vector<HWND> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) {
    std::wstring class_name = ClassOf(child);
    out += "control " + std::to_string(GetDlgCtrlID(child)) + " class " + Quoted(class_name) +
           " text " + Quoted(WindowText(child)) + States(child);
    if (lstrcmpiW(class_name.c_str(), PROGRESS_CLASSW) == 0) {
      DWORD_PTR low = 0, high = 0, pos = 0;
      SendMessageTimeoutW(child, PBM_GETRANGE, TRUE, 0, SMTO_ABORTIFHUNG, 300, &low);
      SendMessageTimeoutW(child, PBM_GETRANGE, FALSE, 0, SMTO_ABORTIFHUNG, 300, &high);
      SendMessageTimeoutW(child, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 300, &pos);
      out += " range " + std::to_string(low) + " " + std::to_string(high) + " pos " +
             std::to_string(pos);
    }
    out += Rect(child) + "\n";
  }
  if (GetMenu(window)) out += MenuLines(window);
  return out;
}

struct Search {
  const Options* options;
  std::vector<HWND> found;
};

BOOL CALLBACK Match(HWND window, LPARAM lparam) {
  auto& search = *reinterpret_cast<Search*>(lparam);
  const Options& o = *search.options;
  if (!IsWindowVisible(window)) return TRUE;
  if (o.handle && window != o.handle) return TRUE;
  if (!o.class_name.empty() && lstrcmpiW(ClassOf(window).c_str(), o.class_name.c_str()) != 0) {
    return TRUE;
  }
  if (!o.title.empty()) {
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    std::wstring title = text;
    bool ok = o.title_substring ? title.find(o.title) != std::wstring::npos : title == o.title;
    if (!ok) return TRUE;
  }
  search.found.push_back(window);
  return TRUE;
}

std::vector<HWND> Find(const Options& options) {
  Search search{&options, {}};
  EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string DumpAll(const std::vector<HWND>& windows) {
  std::string out;
  for (HWND window : windows) out += Dump(window);
  return out;
}

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

bool ParseOptions(int argc, wchar_t** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    std::wstring a = argv[i];
    bool has_value = i + 1 < argc;
    if (a == L"--list") {
      o.list = true;
    } else if (a == L"--gone") {
      o.gone = true;
    } else if (!has_value) {
      return false;
    } else if (a == L"--title" || a == L"--title-has") {
      o.title = argv[++i];
      o.title_substring = a == L"--title-has";
    } else if (a == L"--class") {
      o.class_name = argv[++i];
    } else if (a == L"--handle") {
      o.handle = reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoull(argv[++i], nullptr, 16)));
    } else if (a == L"--timeout") {
      o.timeout_ms = static_cast<DWORD>(_wtoi(argv[++i]));
    } else if (a == L"--stays") {
      o.stays_ms = static_cast<DWORD>(_wtoi(argv[++i]));
    } else if (a == L"--has") {
      // Compared with the output as printed: quotes and escapes written as they appear there.
      const wchar_t* text = argv[++i];
      char bytes[4096];
      int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
      o.has = n > 0 ? std::string(bytes, n - 1) : std::string();
    } else {
      return false;
    }
  }
  return o.list || !o.title.empty() || !o.class_name.empty() || o.handle;
}

}  // namespace

int main() {
  _setmode(_fileno(stdout), _O_BINARY);
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  Options o;
  if (!argv || !ParseOptions(argc, argv, o)) {
    std::fputs(
        "usage: window_inspector [--title TEXT | --title-has TEXT] [--class NAME] [--handle H] "
        "[--timeout MS] [--has TEXT | --gone | --stays MS] | --list\n",
        stderr);
    return 2;
  }
  if (o.list) {
    Options all;
    for (HWND window : Find(all)) Print(WindowLine(window));
    return 0;
  }
  const DWORD start = GetTickCount();
  auto elapsed = [start] { return GetTickCount() - start; };
  std::string last;
  for (;;) {
    std::vector<HWND> windows = Find(o);
    if (o.gone) {
      if (windows.empty()) return 0;
      if (elapsed() >= o.timeout_ms) {
        Print("still shown after " + std::to_string(o.timeout_ms) + " ms:\n" + DumpAll(windows));
        return 1;
      }
    } else if (!windows.empty()) {
      last = DumpAll(windows);
      if (o.has.empty() || last.find(o.has) != std::string::npos) break;
    }
    if (!o.gone && elapsed() >= o.timeout_ms) {
      Print(windows.empty() ? "no such window after " + std::to_string(o.timeout_ms) + " ms\n"
                            : "text \"" + o.has + "\" not shown; last state:\n" + last);
      return 1;
    }
    Sleep(100);
  }
  if (o.stays_ms > 0) {
    const DWORD shown = GetTickCount();
    while (GetTickCount() - shown < o.stays_ms) {
      Sleep(100);
      if (Find(o).empty()) {
        Print("vanished after " + std::to_string(GetTickCount() - shown) + " ms; last state:\n" +
              last);
        return 1;
      }
    }
    last = DumpAll(Find(o));
  }
  Print(last);
  return 0;
}
