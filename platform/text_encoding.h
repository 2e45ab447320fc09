// Windows-1252 (the texts of every file) to UTF-8 (the Linux terminal), for display only.
#pragma once

#include <string>

namespace platform {

std::string Cp1252ToUtf8(const std::string& text);

// Whether the Windows-1252 byte `c` is a control a terminal would act on: C0 (line end and tab
// excepted), DEL, and the five undefined bytes that stand for C1 controls (0x81, 0x8D, 0x8F, 0x90,
// 0x9D; U+0080..U+009F, among them the one-byte CSI of escape sequences).
bool IsTerminalControl(unsigned char c);

// Cp1252ToUtf8 for a terminal: every control byte of outside text shown as '?'.
std::string Cp1252ToTerminalUtf8(const std::string& text);

}  // namespace platform
