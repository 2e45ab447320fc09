// Where a path really leads: links and ".." resolved by the system, so that a check such as "is
// this report inside the archive" cannot be fooled by a link or by "link/.." (which the system
// resolves through the link's target, unlike a lexical clean-up of the text).
#pragma once

#include <string>

namespace platform {

// The real location of `path` (in the programs' form). The longest leading part that exists is
// resolved by the system (realpath; GetFinalPathNameByHandleW); the missing rest is appended as
// it stands. "" when not even the first folder can be resolved.
std::string RealPath(const std::string& path);

// Whether `path` is `folder` itself or lies anywhere under it, both compared by their real
// locations (Windows: whatever the letter case). False when either cannot be resolved.
bool IsSameOrInside(const std::string& path, const std::string& folder);

}  // namespace platform
