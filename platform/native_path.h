// File names as the programs write them (".\Tr.ini", ".\Results.log"), turned into a path the
// platform's file functions accept: unchanged on Windows; on Linux every backslash becomes a slash.
#pragma once

#include <string>

namespace platform {

std::string NativePath(const std::string& path);

}  // namespace platform
