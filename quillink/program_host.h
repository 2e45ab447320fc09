// The start routine's host in the program: the real message table, configuration converter, status
// file writer and progress dialog, with the simulated tester when QUILLINK_SIMULATOR names one.
#pragma once

#include <memory>

#include "config/menu_cfg_converter.h"
#include "quillink/app_host.h"
#include "testerlink/driver.h"
#include "testerlink/transfer_job.h"
#include "tool/message_table.h"

namespace quillink {

class ProgramHost final : public AppHost {
 public:
  ProgramHost();
  ~ProgramHost() override;

  bool LoadMessages() override;
  void ShowBox(const std::string& text) override;
  bool BuildMenuCfg() override;
  void MarkResultsUploadStart() override;
  int RunProgressDialog(const JobRequest& request, std::string_view version_label) override;
  void CheckVersion(int result) override;

 private:
  tool::MessageTable messages_;
  config::MenuCfgConverter converter_;
  testerlink::TransferJob job_;
};

// The simulated tester when QUILLINK_SIMULATOR is set, otherwise the platform's driver.
std::unique_ptr<testerlink::Driver> CreateDriver();

}  // namespace quillink
