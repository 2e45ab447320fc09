// The command line of the results application, the same on both platforms: with --report it runs
// one upload at once without asking anything (scripts, tests, the demonstration); its exit status
// tells how the upload ended.
#pragma once

#include <string>

#include "viewer/upload_flow.h"

namespace viewer {

struct MorvaneOptions {
  bool help = false;
  int language = 1;  // --language de|en|fr; English by default, as at every start
  bool language_given = false;
  bool report_given = false;  // --report PATH: one upload to PATH, no save dialog or prompt
  std::string report_path;
  bool write_translation = false;  // --write-translation: only write InfoTrfTR.zel, then end
  bool list = false;               // --list: print the archived uploads, then end
  bool render_given = false;       // --render FOLDER: an archived upload's report (with --report)
  std::string render_folder;
};

// Exit status for a wrong command line.
inline constexpr int kExitUsage = 64;

// Parses the arguments after the program name. Returns false with `error` set for an unknown
// argument, a missing value or a language other than de, en or fr.
[[nodiscard]] bool ParseMorvaneOptions(int argc, const char* const* argv, MorvaneOptions& options,
                                       std::string& error);

// The exit status that tells how an upload ended: 0 for a written report, one distinct non-zero
// status for each early end.
int ExitStatusFor(UploadOutcome outcome);

// One line saying how an upload ended, as the exit status list of the help text says it.
const char* OutcomeMeaning(UploadOutcome outcome);

// Which system's names and paths the help speaks of.
enum class HelpSystem { kLinux, kWindows };

// Usage, options, files and exit statuses, as --help prints them (Windows-1252).
std::string MorvaneHelpText(HelpSystem system);

}  // namespace viewer
