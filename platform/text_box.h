// A long text (a help, a listing) shown for reading when there is no console to print it on.
//
// Windows: a box with the text in a read-only field that scrolls when the text is taller than
// the screen allows, and an OK button; the box fits the screen's work area (a 1024x768 screen
// shows it whole). Linux: the text on standard error, as a message box is.
// HALVEN_UNATTENDED: as for message boxes (platform/message_box.h), nothing waits and the text
// is appended to the log file when one is named.
#pragma once

#include <string>

namespace platform {

// Shows `text` (Windows-1252) with `caption`; returns when it is dismissed.
void ShowTextBox(const std::string& text, const std::string& caption);

}  // namespace platform
