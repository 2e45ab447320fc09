#include "tool/app/tool_host.h"

#include "link/run_progress_dialog.h"
#include "platform/message_box.h"
#include "sim/sim_driver.h"
#include "tool/app/link_app.h"
#include "tool/status_file.h"

namespace toolapp {

std::unique_ptr<tlink::Driver> CreateDriver() {
  if (std::unique_ptr<tlink::Driver> simulated = sim::CreateDriverFromEnvironment()) {
    return simulated;
  }
  return tlink::CreatePlatformDriver();
}

ToolHost::ToolHost() = default;
ToolHost::~ToolHost() = default;

bool ToolHost::LoadMessages() { return messages_.Load("InfoTrfTR.zel"); }

void ToolHost::ShowBox(const std::string& text) {
  platform::ShowMessageBox(text, std::string(kBoxCaption), platform::BoxIcon::kNone);
}

void ToolHost::BuildMenuCfg() { (void)converter_.BuildMenuCfg(); }

void ToolHost::MarkResultsUploadStart() { tool::MarkResultsUploadStart(job_.profile_writer); }

int ToolHost::RunProgressDialog(const JobRequest& request, std::string_view version_label) {
  job_.state = tlink::kStateIdle;
  job_.options = request.option_flags;
  job_.address = request.address;
  job_.length = request.length;
  job_.file_name = request.file_name;
  std::unique_ptr<tlink::Driver> driver = CreateDriver();
  return tlink::RunProgressDialog(job_, *driver, messages_, std::string(version_label));
}

void ToolHost::CheckVersion(int result) {
  (void)tool::WriteVersionState(result, tool::kVersionFile, job_.profile_writer);
}

}  // namespace toolapp
