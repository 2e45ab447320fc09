// The upload host of the real programs: the platform's message boxes, process start and shell;
// only the choice of the report file is the front end's own (save dialog, prompt, or --report).
#pragma once

#include <functional>
#include <string>

#include "viewer/upload_flow.h"

namespace viewer {

class ProgramUploadHost : public UploadHost {
 public:
  using PathChooser = std::function<bool(std::string& path)>;

  // `open_report` false: the report is left where it is (unattended runs).
  ProgramUploadHost(PathChooser choose_path, bool open_report)
      : choose_path_(std::move(choose_path)), open_report_(open_report) {}

  bool ChooseReportPath(std::string& path) override { return choose_path_(path); }
  void ShowMessage(const std::string& text, platform::BoxIcon icon) override;
  bool RunTool(const std::string& command_line, const std::string& program_folder) override;
  void OpenReport(const std::string& path) override;

  // Whether the last OpenReport handed the report to a viewer.
  bool report_opened() const { return report_opened_; }

 private:
  PathChooser choose_path_;
  bool open_report_;
  bool report_opened_ = false;
};

}  // namespace viewer
