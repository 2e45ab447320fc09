// Loading and saving a simulated tester's state file. A save writes a temporary file beside the
// state file and renames it over the old one, so that another process never reads a half-written
// tester; when two processes save at once, the last one wins.
#pragma once

#include <string>

#include "sim/tester_state.h"

namespace sim {

// False, with a reason in `error`, when the file is missing, unreadable, too large or damaged.
[[nodiscard]] bool LoadStateFile(const std::string& path, TesterState* state, std::string* error);

[[nodiscard]] bool SaveStateFile(const std::string& path, const TesterState& state,
                                 std::string* error);

}  // namespace sim
