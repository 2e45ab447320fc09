// The text "--help" shows: how to start the tool, its modes and options, and its exit statuses.
#pragma once

#include <string_view>

namespace quillink {

extern const std::string_view kHelpText;

// Shows kHelpText: on the terminal (Linux) or in a message box (Windows, which has no console).
void ShowHelp();

}  // namespace quillink
