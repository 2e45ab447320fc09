// Processes on Windows: the system's command line, module path and CreateProcessA.
#include "platform/process.h"

#include <windows.h>

#include <vector>

namespace platform {
namespace {
// Per thread, so that threads each waiting on a program of their own read their own status.
thread_local int last_exit_status = 0;
}  // namespace

std::string CommandLine(const std::string& /*windows_program_name*/) { return GetCommandLineA(); }

std::string ProgramPath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

bool StartProgramAndWait(const std::string& command_line, const std::string& /*program_folder*/) {
  std::vector<char> line(command_line.begin(), command_line.end());
  line.push_back('\0');  // CreateProcessA may write into its command line
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  last_exit_status = static_cast<int>(code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return true;
}

int LastProgramExitStatus() { return last_exit_status; }

std::string CurrentFolder() {
  const DWORD size = GetCurrentDirectoryA(0, nullptr);
  if (size == 0) return {};
  std::string folder(size, '\0');
  const DWORD length = GetCurrentDirectoryA(size, folder.data());
  if (length == 0 || length >= size) return {};
  folder.resize(length);
  return folder;
}

bool SetCurrentFolder(const std::string& folder) {
  return SetCurrentDirectoryA(folder.c_str()) != 0;
}

}  // namespace platform
