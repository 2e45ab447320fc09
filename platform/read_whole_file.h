// Reading a file whole into memory, as the profile layer does before parsing it once.
#pragma once

#include <optional>
#include <string>

namespace platform {

// The bytes of the regular file at `path` (in the programs' form); nullopt when it cannot be
// opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace platform
