#include "quillink/program_host.h"

#include "decoder/result_decoder.h"
#include "formats/exchange_files.h"
#include "platform/message_box.h"
#include "quillink/quillink_app.h"
#include "sim/sim_driver.h"
#include "testerlink/run_progress_dialog.h"
#include "tool/status_file.h"

namespace quillink {

std::unique_ptr<testerlink::Driver> CreateDriver() {
  if (std::unique_ptr<testerlink::Driver> simulated = sim::CreateDriverFromEnvironment()) {
    return simulated;
  }
  return testerlink::CreatePlatformDriver();
}

ProgramHost::ProgramHost() { job_.convert_results = decoder::ConvertResults; }
ProgramHost::~ProgramHost() = default;

bool ProgramHost::LoadMessages() { return messages_.Load(formats::kTranslationFile); }

void ProgramHost::ShowBox(const std::string& text) {
  platform::ShowMessageBox(text, std::string(kBoxCaption), platform::BoxIcon::kNone);
}

bool ProgramHost::BuildMenuCfg() {
  return converter_.BuildMenuCfg() != config::MenuCfgConverter::BuildResult::kNoImage;
}

void ProgramHost::MarkResultsUploadStart() { tool::MarkResultsUploadStart(job_.profile_writer); }

int ProgramHost::RunProgressDialog(const JobRequest& request, std::string_view version_label) {
  job_.state = testerlink::kStateIdle;
  job_.options = request.option_flags;
  job_.address = request.address;
  job_.length = request.length;
  job_.file_name = request.file_name;
  job_.file_refused = request.file_refused;
  std::unique_ptr<testerlink::Driver> driver = CreateDriver();
  return testerlink::RunProgressDialog(job_, *driver, messages_, std::string(version_label));
}

void ProgramHost::CheckVersion(int result) {
  (void)tool::WriteVersionState(result, formats::kVersionFile, job_.profile_writer);
}

}  // namespace quillink
