// Message boxes and the beep.
//
// Windows: the real MessageBoxA and MessageBeep. Linux: the text is printed on the terminal (as
// UTF-8) and, only when a person sits at a terminal, the box waits for Enter.
//
// Unattended runs (tests, scripts): when the environment variable HALVEN_UNATTENDED is set, no box
// ever waits on either platform; if its value is a file path, each box's caption and text are
// appended to that file (Windows-1252 bytes, a line "[caption]" then the text and an empty line),
// so that tests can check which box was shown.
#pragma once

#include <string>

namespace platform {

enum class BoxIcon { kNone, kStop, kInformation, kWarning };

// Shows `text` (Windows-1252) with `caption` and one OK button; returns when it is dismissed.
void ShowMessageBox(const std::string& text, const std::string& caption, BoxIcon icon);

// Makes `window` (an HWND on Windows; unused on Linux) the owner of every box shown from now on,
// until cleared with nullptr: a box must block the dialog it speaks for even when another program
// is the active one. Without an owner a box is owned by the active window.
void SetBoxOwner(void* window);

// The default beep (MessageBeep(0xFFFFFFFF) on Windows, the terminal bell on Linux).
void Beep();

// True when HALVEN_UNATTENDED is set: nothing may wait for a person.
bool Unattended();

}  // namespace platform
