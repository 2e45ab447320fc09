// Shared by both platforms' message boxes: the HALVEN_UNATTENDED log of boxes shown.
#pragma once

#include <string>

namespace platform {

// Appends "[caption]\n<text>\n\n" to the file named by HALVEN_UNATTENDED, if it names one.
void LogUnattendedBox(const std::string& text, const std::string& caption);

}  // namespace platform
