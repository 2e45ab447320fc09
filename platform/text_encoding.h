// Windows-1252 (the texts of every file) to UTF-8 (the Linux terminal), for display only.
#pragma once

#include <string>

namespace platform {

std::string Cp1252ToUtf8(const std::string& text);

}  // namespace platform
