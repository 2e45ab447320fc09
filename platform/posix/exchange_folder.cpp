// The exchange folder on Linux: the program's folder as on Windows, or the per-user data folder of
// the XDG base directory rules when the programs are installed where a user cannot write.
#include "platform/exchange_folder.h"

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/native_path.h"

namespace platform {
namespace {

constexpr char kDataFolderName[] = "halven";

bool IsFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Creates `path` and its missing parents; the XDG rules ask for mode 0700 on new folders.
bool MakeFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    std::string part = path.substr(0, slash);
    if (!part.empty() && !IsFolder(part) && mkdir(part.c_str(), 0700) != 0 && !IsFolder(part)) {
      return false;
    }
    if (slash == std::string::npos) return true;
  }
}

// /usr holds read-only data (FHS), so even root, whom access() lets write anywhere, must not leave
// exchange files beside an installed program there.
bool CanHoldExchangeFiles(const std::string& folder) {
  return access(folder.c_str(), W_OK) == 0 && !folder.starts_with("/usr/") && folder != "/usr";
}

}  // namespace

bool FindExchangeFolder(const std::string& program_folder, std::string& folder,
                        std::string& reason) {
  folder = program_folder;
  const std::string native = program_folder.empty() ? "." : NativePath(program_folder);
  if (CanHoldExchangeFiles(native)) return true;
  std::string base;
  // The XDG rules say to ignore a relative XDG_DATA_HOME.
  if (const char* data_home = getenv("XDG_DATA_HOME"); data_home && data_home[0] == '/') {
    base = data_home;
  } else if (const char* home = getenv("HOME"); home && home[0] == '/') {
    base = std::string(home) + "/.local/share";
  } else {
    reason = "the folder cannot be written, and neither HOME nor XDG_DATA_HOME names a data folder";
    return false;
  }
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  const std::string data_folder = base + "/" + kDataFolderName;
  folder = data_folder + "/";
  // A folder that exists but cannot be entered or written is as useless as a missing one.
  if (!MakeFolders(data_folder) || access(data_folder.c_str(), W_OK | X_OK) != 0) {
    reason = strerror(errno);
    return false;
  }
  return true;
}

std::string ExchangeFolder(const std::string& program_folder) {
  std::string folder, reason;
  return FindExchangeFolder(program_folder, folder, reason) ? folder : program_folder;
}

}  // namespace platform
