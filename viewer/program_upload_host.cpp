#include "viewer/program_upload_host.h"

#include "platform/process.h"
#include "platform/shell.h"

namespace viewer {

void ProgramUploadHost::ShowMessage(const std::string& text, platform::BoxIcon icon) {
  platform::ShowMessageBox(text, kApplicationName, icon);
}

bool ProgramUploadHost::RunTool(const std::string& command_line,
                                const std::string& program_folder) {
  return platform::StartProgramAndWait(command_line, program_folder);
}

void ProgramUploadHost::OpenReport(const std::string& path) {
  report_opened_ = open_report_ && platform::OpenDocument(path);
}

}  // namespace viewer
