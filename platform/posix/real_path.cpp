#include "platform/real_path.h"

#include <limits.h>
#include <stdlib.h>

#include <memory>

#include "platform/native_path.h"
#include "platform/process.h"

namespace platform {
namespace {

std::string Resolved(const std::string& path) {
  std::unique_ptr<char, decltype(&free)> real(realpath(path.c_str(), nullptr), &free);
  return real ? std::string(real.get()) : std::string();
}

}  // namespace

std::string RealPath(const std::string& path) {
  std::string native = NativePath(path);
  if (native.empty()) return {};
  if (native[0] != '/') {
    const std::string here = CurrentFolder();
    if (here.empty()) return {};
    native = here + "/" + native;
  }
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  // Up the path until a part exists: the missing names below it cannot be links.
  std::string rest;
  for (;;) {
    if (std::string real = Resolved(native); !real.empty()) {
      if (real.size() > 1 && !rest.empty()) real += '/';
      return real + rest;
    }
    const std::size_t slash = native.find_last_of('/');
    if (slash == std::string::npos || native.size() <= 1) return {};
    const std::string name = native.substr(slash + 1);
    rest = rest.empty() ? name : name + "/" + rest;
    native = slash == 0 ? "/" : native.substr(0, slash);
  }
}

bool IsSameOrInside(const std::string& path, const std::string& folder) {
  const std::string real_path = RealPath(path);
  const std::string real_folder = RealPath(folder);
  if (real_path.empty() || real_folder.empty()) return false;
  if (real_folder == "/") return true;
  return real_path == real_folder ||
         (real_path.starts_with(real_folder) && real_path[real_folder.size()] == '/');
}

}  // namespace platform
