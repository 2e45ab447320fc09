// Text helpers shared by the window inspector and its menu probe: Win32 wide texts written as one
// UTF-8 line each, so that shell scripts can compare them with plain grep.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace inspector {

// UTF-8 of `text`, with backslash, double quote, line feed, carriage return and tab escaped so
// that a text always stays on its line and inside its quotes.
inline std::string Quoted(const std::wstring& text) {
  std::string out = "\"";
  for (wchar_t c : text) {
    switch (c) {
      case L'\\':
        out += "\\\\";
        continue;
      case L'"':
        out += "\\\"";
        continue;
      case L'\n':
        out += "\\n";
        continue;
      case L'\r':
        out += "\\r";
        continue;
      case L'\t':
        out += "\\t";
        continue;
      default:
        break;
    }
    char bytes[8];
    int n = WideCharToMultiByte(CP_UTF8, 0, &c, 1, bytes, sizeof bytes, nullptr, nullptr);
    out.append(bytes, n > 0 ? n : 0);
  }
  return out + "\"";
}

inline std::string Hex(const void* handle) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%08llX",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(handle)));
  return text;
}

}  // namespace inspector
