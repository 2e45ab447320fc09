// The upload: from the user's choice of a report file to the opened report. Runs the tool twice
// (identity and version, then the results transfer), judges the status it leaves in Tr.ini,
// reads the results and writes the report. Everything that differs between the Windows dialog and
// the terminal goes through UploadHost, so the whole flow runs in tests with a fake host.
#pragma once

#include <string>

#include "platform/message_box.h"
#include "report/result_model.h"

namespace viewer {

// Caption of every message box of the results application.
inline constexpr char kApplicationName[] = "Morvane";

// The tool's command lines. The odd letter case is deliberate: the tool then finds no copy of its
// own name in its command line and takes the text after the first blank as its argument.
inline constexpr char kInfoCommandLine[] = "QuillinK.exe LECTURE_INFO";
inline constexpr char kResultsCommandLine[] = "QuillinK.exe GENERATION_BIN";

// What the flow asks of its front end.
class UploadHost {
 public:
  virtual ~UploadHost() = default;
  // Asks for the report file (save dialog, terminal prompt or a path given on the command line).
  // Returns false when the user cancels; otherwise `path` holds the full path chosen.
  virtual bool ChooseReportPath(std::string& path) = 0;
  // A modal message box with one OK button and the application's name as caption.
  virtual void ShowMessage(const std::string& text, platform::BoxIcon icon) = 0;
  // Starts the tool with `command_line` from `program_folder`, waits for it without time-out and
  // returns true; false when it could not be started.
  virtual bool RunTool(const std::string& command_line, const std::string& program_folder) = 0;
  // Shows the finished report (the desktop's viewer; the terminal prints where it is).
  virtual void OpenReport(const std::string& path) = 0;
};

// How one upload ended. Every outcome but kReportWritten leaves the dialog open.
enum class UploadOutcome {
  kReportWritten,
  kCancelled,          // save dialog cancelled: nothing was touched
  kFileError,          // translation file, old results file or status key could not be written
  kDeviceNotRead,      // status "-1" or any unknown text: the tool did not reach a tester
  kVersionRefused,     // status "0"
  kIdentityRefused,    // status "2"
  kCapabilityRefused,  // status "3"
  kToolNotStarted,     // the results transfer could not be started
  kResultsUnreadable,  // a results reader failed: no report, no message
  kReportNotCreated,   // the report file could not be created or written
  kUploadBusy,         // another upload holds the exchange folder's lock: nothing was touched
};

// The lock file of the exchange folder, held by the upload running there.
inline constexpr char kUploadLockFileName[] = "Morvane.lock";

// Runs one upload in `language` for the program at `program_path` (its folder, or the exchange
// folder platform::ExchangeFolder picks for it, becomes the current directory; the tool is started
// from its folder). `model` is refilled by the results readers.
UploadOutcome RunUpload(UploadHost& host, int language, const std::string& program_path,
                        report::ResultModel& model);

// Whether a report at `report_path` would land in the archive or replace an exchange file of
// `exchange_folder` (real locations compared); true with `reason` in `language` then.
bool ReportPathRefused(const std::string& report_path, const std::string& exchange_folder,
                       int language, std::string& reason);

// Writes only the tool's translation file "InfoTrfTR.zel" in `language` into the current folder,
// for callers that start the tool themselves. Returns false after a message box naming the file
// and the reason.
bool WriteTranslationOnly(int language);

// The folder of `program_path` up to and including its last separator; the whole text when it holds
// no separator.
std::string ProgramFolder(const std::string& program_path);

// `path` made absolute against the current folder, on the text, so that Windows-1252 names pass
// unchanged; an absolute path is returned as it is.
std::string AbsolutePath(const std::string& path);

// `path` with ".txt" appended when its file name has no extension.
std::string WithDefaultExtension(const std::string& path);

}  // namespace viewer
