#include "platform/native_path.h"

namespace platform {

std::string NativePath(const std::string& path) { return path; }

}  // namespace platform
