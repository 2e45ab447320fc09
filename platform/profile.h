// INI ("profile") files, read and written one key at a time by the system's functions.
//
// On Windows these are GetPrivateProfileStringA / WritePrivateProfileStringA. On Linux the same
// calls give the same bytes: the file is parsed into a profile::Document (whose rules are those of
// the Windows functions: profile/document.h), changed and written back whole through a temporary
// file. On both builds every argument ends at its first zero byte, as the Windows functions see
// their C strings. For many keys at once, a caller keeps a profile::Document of its own
// (tool::ProfileWriter, Morvane's results reader).
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// Sets `key` in `section` of the profile file `path` to `value`, creating the file and the section
// as needed. Returns false when the file cannot be read or written (nothing is changed then).
[[nodiscard]] bool WriteProfileString(const std::string& section, const std::string& key,
                                      const std::string& value, const std::string& path);

// Returns the value of `key` in `section` of `path`, or `default_value` when the file, the section
// or the key is absent. Like the Windows function with a buffer of `buffer_size` bytes, the result
// is cut to buffer_size - 1 bytes.
std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& default_value, std::size_t buffer_size,
                              const std::string& path);

}  // namespace platform
