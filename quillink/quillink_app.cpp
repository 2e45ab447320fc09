#include "quillink/quillink_app.h"

#include "quillink/argument_text.h"

namespace quillink {

int ExitStatusForResult(int result) {
  if (result == kJobNotRun) return kExitJobNotRun;
  if (result < 0 || result > 255) return kExitJobNotRun;
  return result;
}

int QuillinkApp::Run(std::string_view command_line) {
  if (command_line.empty()) return kExitJobNotRun;
  const std::string argument_text = ArgumentText(command_line);
  if (!host_.LoadMessages()) {
    host_.ShowBox(std::string(kMissingTranslationText));
    return kExitMissingTranslation;
  }
  mode_ = FindMode(argument_text);
  // An image left by an earlier run must not be sent in place of one this run failed to write.
  const bool file_refused = mode_ == Mode::kEcriture && !host_.BuildMenuCfg();
  if (mode_ == Mode::kGenerationBin) host_.MarkResultsUploadStart();
  result_ = RunJob(JobTextFor(mode_, argument_text), file_refused);
  if (mode_ == Mode::kLectureInfo) host_.CheckVersion(result_);
  return ExitStatusForResult(result_);
}

int QuillinkApp::RunJob(std::string_view job_text, bool file_refused) {
  JobRequest request;
  if (ParseJobText(job_text, &request) != JobTextError::kNone) {
    host_.ShowBox(std::string(kMissingParametersText));
    return kJobNotRun;
  }
  request.file_refused = file_refused;
  return host_.RunProgressDialog(request, kVersionLabel);
}

}  // namespace quillink
