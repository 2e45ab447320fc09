// The text "--help" shows: how to start the tool, its modes and options, and its exit statuses.
#pragma once

#include <string>

namespace quillink {

// Which system's names the help speaks of.
enum class HelpSystem { kLinux, kWindows };

std::string HelpText(HelpSystem system);

// Shows the help of this build: on standard output (Linux); on Windows in the command window
// it was started from, or its redirected output, otherwise in a box that fits the screen.
void ShowHelp();

}  // namespace quillink
