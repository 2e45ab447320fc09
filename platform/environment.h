// Environment variables of the running process, inherited by the programs it starts.
#pragma once

namespace platform {

// Sets `name` to `value`, or removes it when `value` is null or empty (Windows cannot hold an empty
// variable, so an empty value removes it on both platforms). False on failure.
bool SetEnvironmentValue(const char* name, const char* value);

}  // namespace platform
