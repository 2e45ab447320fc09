// QuillinkApp: the tool's whole life. One start, one job, one exit: find the argument text, load
// the messages, pick the mode, do its work before the job, run the job in the progress dialog, do
// its work after the job.
#pragma once

#include <string>
#include <string_view>

#include "quillink/app_host.h"
#include "quillink/mode.h"

namespace quillink {

inline constexpr std::string_view kVersionLabel = "V3.01 Orvo";
inline constexpr std::string_view kBoxCaption = "Quillink";
inline constexpr std::string_view kMissingTranslationText =
    "Fichier de Traduction (InfoTrfTR.zel) absent\n Translate file (InfoTrfTR.zel) not found";
inline constexpr std::string_view kMissingParametersText =
    "Param\xE8tres manquants.\nMissing parameters.";

// RunJob's result when the job text was refused and nothing ran.
inline constexpr int kJobNotRun = -1;

// Exit statuses besides 0 (the job succeeded) and 1 to 15 (the job's result code; 1 is also the
// status of a failed status-file write).
inline constexpr int kExitJobNotRun = 255;           // missing parameters: no job was run
inline constexpr int kExitMissingTranslation = 254;  // InfoTrfTR.zel could not be opened

class QuillinkApp {
 public:
  explicit QuillinkApp(AppHost& host) : host_(host) {}

  // The start routine for the process command line `command_line` (Windows form); returns the
  // process exit status.
  int Run(std::string_view command_line);

  // Reads `job_text` and runs it in the progress dialog: the job's result code, or kJobNotRun
  // after the missing-parameters box (no " -", or a file part too long for the job's file name).
  // With `file_refused` a file to send is refused as a missing one (message 30).
  int RunJob(std::string_view job_text, bool file_refused = false);

  // Mode of the last Run and the last job's result.
  Mode mode() const { return mode_; }
  int result() const { return result_; }

 private:
  AppHost& host_;
  Mode mode_ = Mode::kRawJob;
  int result_ = kJobNotRun;
};

// The exit status after a job with result `result` (RunJob's return value).
int ExitStatusForResult(int result);

}  // namespace quillink
