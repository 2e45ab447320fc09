#include "platform/console_output.h"

#include <windows.h>

namespace platform {
namespace {

std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  for (char c : text) {
    if (c == '\n' && (out.empty() || out.back() != '\r')) out += '\r';
    out += c;
  }
  return out;
}

// The redirected standard output, else the console of the command window that started us.
HANDLE Output() {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out != nullptr && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN) {
    return out;
  }
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return nullptr;
  out = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
  return out == INVALID_HANDLE_VALUE ? nullptr : out;
}

}  // namespace

bool PrintToConsole(const std::string& text) {
  HANDLE out = Output();
  if (out == nullptr) return false;
  const std::string bytes = WithCrLf(text);
  if (bytes.empty()) return true;
  DWORD mode = 0;
  if (GetConsoleMode(out, &mode)) {
    // A console shows characters, whatever its code page: the text goes in as UTF-16.
    const int count =
        MultiByteToWideChar(1252, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(1252, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), count);
    for (std::size_t done = 0; done < wide.size();) {
      DWORD written = 0;
      if (!WriteConsoleW(out, wide.data() + done, static_cast<DWORD>(wide.size() - done), &written,
                         nullptr) ||
          written == 0) {
        return false;
      }
      done += written;
    }
    return true;
  }
  for (std::size_t done = 0; done < bytes.size();) {
    DWORD written = 0;
    if (!WriteFile(out, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written,
                   nullptr) ||
        written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

}  // namespace platform
