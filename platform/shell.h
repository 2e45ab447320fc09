// Handing a finished document to the desktop: the shell's "open" verb.
#pragma once

#include <string>

namespace platform {

// Opens `path` with the desktop's viewer and does not wait for it. Windows: ShellExecuteA with
// the verb "open" and SW_SHOWNORMAL. Linux: xdg-open, only where a desktop exists (DISPLAY or
// WAYLAND_DISPLAY set and xdg-open on the PATH). Returns false when no viewer could be asked, so
// that a terminal front end can print the path instead.
bool OpenDocument(const std::string& path);

}  // namespace platform
