// Processes on Linux: the command line rebuilt in its Windows form, and programs started from the
// program folder under their Windows names ("QuillinK.exe" finds "quillink").
#include "platform/process.h"

#include <dirent.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/native_path.h"

extern char** environ;

namespace platform {
namespace {

// Per thread, so that threads each waiting on a program of their own read their own status.
thread_local int last_exit_status = 0;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The file in `folder` that answers to the Windows program name `name`: the name itself, else any
// letter case, with or without ".exe".
std::string FindProgram(const std::string& folder, std::string name) {
  std::string dir = folder.empty() ? "." : NativePath(folder);
  auto runnable = [](const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
  };
  if (runnable(dir + "/" + name)) return dir + "/" + name;
  std::string stem = name;
  if (stem.size() > 4 && SameIgnoringCase(stem.substr(stem.size() - 4), ".exe")) {
    stem.resize(stem.size() - 4);
  }
  DIR* d = opendir(dir.c_str());
  if (!d) return std::string();
  std::string found;
  while (dirent* e = readdir(d)) {
    std::string entry = e->d_name;
    if (SameIgnoringCase(entry, stem) || SameIgnoringCase(entry, stem + ".exe")) {
      std::string candidate = dir + "/" + entry;
      if (runnable(candidate)) {
        found = candidate;
        break;
      }
    }
  }
  closedir(d);
  return found;
}

}  // namespace

std::string CommandLine(const std::string& windows_program_name) {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string line = "\"" + windows_program_name + "\"";
  std::size_t start = raw.find('\0');  // skip argv[0]
  while (start != std::string::npos && start + 1 < raw.size()) {
    std::size_t end = raw.find('\0', start + 1);
    if (end == std::string::npos) end = raw.size();
    line += " " + raw.substr(start + 1, end - start - 1);
    start = end;
  }
  return line;
}

std::string ProgramPath() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer) return std::string();
  return std::string(buffer, static_cast<std::size_t>(n));
}

bool StartProgramAndWait(const std::string& command_line, const std::string& program_folder) {
  // The program: quoted up to the closing quotation mark, else up to the first blank.
  std::size_t pos = 0;
  while (pos < command_line.size() && IsBlank(command_line[pos])) ++pos;
  std::string program;
  if (pos < command_line.size() && command_line[pos] == '"') {
    std::size_t close = command_line.find('"', pos + 1);
    if (close == std::string::npos) close = command_line.size();
    program = command_line.substr(pos + 1, close - pos - 1);
    pos = close + 1;
  } else {
    std::size_t end = pos;
    while (end < command_line.size() && !IsBlank(command_line[end])) ++end;
    program = command_line.substr(pos, end - pos);
    pos = end;
  }
  std::vector<std::string> args;
  while (pos < command_line.size()) {
    while (pos < command_line.size() && IsBlank(command_line[pos])) ++pos;
    std::size_t end = pos;
    while (end < command_line.size() && !IsBlank(command_line[end])) ++end;
    if (end > pos) args.push_back(command_line.substr(pos, end - pos));
    pos = end;
  }
  if (program.empty()) return false;
  // A name with a folder in it is taken as a path; its last part is still matched loosely.
  std::string native = NativePath(program);
  std::string folder = program_folder;
  std::size_t slash = native.rfind('/');
  if (slash != std::string::npos) {
    folder = native.substr(0, slash);
    if (folder.empty()) folder = "/";
    native = native.substr(slash + 1);
  }
  std::string path = FindProgram(folder, native);
  if (path.empty()) return false;

  std::vector<char*> argv;
  argv.push_back(path.data());
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid;
  if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  last_exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return true;
}

int LastProgramExitStatus() { return last_exit_status; }

std::string CurrentFolder() {
  std::vector<char> buffer(4096);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() > (1u << 20)) return {};
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

bool SetCurrentFolder(const std::string& folder) { return chdir(NativePath(folder).c_str()) == 0; }

}  // namespace platform
