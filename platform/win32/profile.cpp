// Profile files through the system's own functions, which see each argument up to its first zero
// byte (c_str()).
#include "platform/profile.h"

#include <windows.h>

#include <vector>

// windows.h names its WIN.INI function WriteProfileString (a macro for WriteProfileStringA).
#undef WriteProfileString

namespace platform {

bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != 0;
}

std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& default_value, std::size_t buffer_size,
                              const std::string& path) {
  if (buffer_size == 0) return std::string();
  std::vector<char> buffer(buffer_size, '\0');
  DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), default_value.c_str(),
                                     buffer.data(), static_cast<DWORD>(buffer_size), path.c_str());
  return std::string(buffer.data(), n);
}

}  // namespace platform
