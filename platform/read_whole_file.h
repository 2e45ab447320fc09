// Reading a file whole into memory: the one way the programs read a file they take in at once
// (profile files, the version record, the tester's images, the simulator's state).
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>

namespace platform {

// The bytes of the regular file at `path` (in the programs' form), or only its first `limit` bytes;
// nullopt when it cannot be opened or read, or is a folder.
std::optional<std::string> ReadWholeFile(
    const std::string& path, std::size_t limit = std::numeric_limits<std::size_t>::max());

}  // namespace platform
