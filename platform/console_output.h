// Text for the person who started a program from a command line: a help text, a listing.
//
// Linux: standard output, as UTF-8. Windows: a dialog program has no console of its own; the text
// goes to its standard output when that was redirected (a file or a pipe: the bytes as they are,
// lines ended with CR LF), otherwise to the console of the command window it was started from,
// which it attaches to. Started from the desktop there is neither, and nothing is written.
#pragma once

#include <string>

namespace platform {

// Writes `text` (Windows-1252, lines ended with "\n"); false when the program has nowhere to
// write it (the caller shows it in a box then) or the write failed.
bool PrintToConsole(const std::string& text);

}  // namespace platform
