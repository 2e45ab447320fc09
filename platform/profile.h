// INI ("profile") files, read and written by section and key.
//
// On Windows these are the system's GetPrivateProfileStringA / WritePrivateProfileStringA. On Linux
// the project's own code writes, for the same sequence of calls, the same bytes as the Windows
// functions: CRLF lines, a new section at the end of the file, a new key at the end of its section,
// an existing key replaced in place, section and key names compared without regard to letter case
// (the rules: profile_rules.h). On both builds every argument is cut at its first zero byte, as the
// Windows functions see their C strings.
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

// For writers of many keys (the tool's results file), the same on both builds: the first deferred
// write to a path since the last flush is a WriteProfileString (so an unwritable file fails at
// once, and a file of a few keys such as Tr.ini is written by the platform's function); later ones
// change only the in-memory document of the file, which ReadProfileString of this process sees at
// once (for the same spelling of the path) and FlushProfileWrites puts on disk. Other processes see
// the keys only after that flush.
[[nodiscard]] bool WriteProfileStringDeferred(const std::string& section, const std::string& key,
                                              const std::string& value, const std::string& path);

// Writes every document with deferred keys to its file, each through a temporary file beside it
// renamed into place, so that a failed write leaves the file as it was before the flush. False when
// one of them cannot be written (the others are still written).
[[nodiscard]] bool FlushProfileWrites();

}  // namespace platform
