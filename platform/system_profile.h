// The platform's own profile functions, under the portable layer of profile.h: the Windows
// functions on Windows, the project's byte-for-byte equivalent on Linux. Arguments arrive already
// cut at their first zero byte.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

[[nodiscard]] bool SystemWriteProfileString(const std::string& section, const std::string& key,
                                            const std::string& value, const std::string& path);

std::string SystemReadProfileString(const std::string& section, const std::string& key,
                                    const std::string& default_value, std::size_t buffer_size,
                                    const std::string& path);

}  // namespace platform
