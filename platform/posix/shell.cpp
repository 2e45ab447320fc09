// The desktop's viewer through xdg-open, where there is a desktop at all.
#include "platform/shell.h"

#include <spawn.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

extern char** environ;

namespace platform {
namespace {

bool HasDesktop() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

// The full path of `name` along PATH, or empty.
std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return {};
  std::string dirs = path;
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string dir = dirs.substr(start, end - start);
    std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

}  // namespace

bool OpenDocument(const std::string& path) {
  if (!HasDesktop()) return false;
  std::string opener = FindOnPath("xdg-open");
  if (opener.empty()) return false;
  std::string document = path;
  char* argv[] = {opener.data(), document.data(), nullptr};
  pid_t pid = 0;
  // Not waited for: the viewer belongs to the desktop, and the program ends right after.
  return posix_spawn(&pid, opener.c_str(), nullptr, nullptr, argv, environ) == 0;
}

}  // namespace platform
