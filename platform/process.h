// The running process and the programs it starts.
#pragma once

#include <string>

namespace platform {

// The process command line in its Windows form. Windows: GetCommandLineA. Linux: rebuilt from the
// arguments as `"<windows_program_name>" arg1 arg2 ...` (arguments joined by one blank, unquoted),
// so that a rule written for the Windows command line finds the same argument text.
std::string CommandLine(const std::string& windows_program_name);

// Full path of the running program (GetModuleFileNameA, /proc/self/exe); empty on failure.
std::string ProgramPath();

// Starts `command_line` (Windows form: program name, a blank, arguments) with the current directory
// and environment inherited, waits for it without time-out, and returns true. Returns false when it
// could not be started. Linux: the program is looked up in `program_folder` whatever the letter
// case of its name, with ".exe" optional; the arguments are split at blanks. Windows:
// CreateProcessA with no application name (the system's search begins with the program's folder).
[[nodiscard]] bool StartProgramAndWait(const std::string& command_line,
                                       const std::string& program_folder);

// Exit status of the last program this thread started by StartProgramAndWait (for tests and
// diagnostics).
int LastProgramExitStatus();

// The current directory in the program's code page (GetCurrentDirectoryA; getcwd), empty on
// failure. std::filesystem::current_path gives UTF-8 with MinGW, which the program's names are not.
std::string CurrentFolder();

// Makes `folder` the current directory; false on failure.
bool SetCurrentFolder(const std::string& folder);

}  // namespace platform
