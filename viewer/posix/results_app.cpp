// The terminal front end: the text menu, or one upload at once with --report.
#include "viewer/results_app.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "platform/console_output.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "viewer/morvane_options.h"
#include "viewer/posix/terminal_menu.h"
#include "viewer/program_upload_host.h"
#include "viewer/results_dialog_state.h"
#include "viewer/upload_flow.h"

namespace viewer {
namespace {

// Says where the report is in every case; a desktop viewer shows it as well where there is one.
class TerminalUploadHost : public ProgramUploadHost {
 public:
  using ProgramUploadHost::ProgramUploadHost;
  void OpenReport(const std::string& path) override {
    ProgramUploadHost::OpenReport(path);
    std::cout << "Report written: " << path << std::endl;
  }
};

}  // namespace

int RunResultsApp(int argc, char** argv) {
  MorvaneOptions options;
  std::string error;
  if (!ParseMorvaneOptions(argc, argv, options, error)) {
    std::cerr << "morvane: " << error << "\nTry 'morvane --help'.\n";
    return kExitUsage;
  }
  if (options.help) {
    return platform::PrintToConsole(MorvaneHelpText(HelpSystem::kLinux)) ? 0 : kExitUsage;
  }
  if (options.write_translation) {
    return WriteTranslationOnly(options.language) ? 0 : ExitStatusFor(UploadOutcome::kFileError);
  }

  const std::string program_path = platform::ProgramPath();
  const bool open_report = !platform::Unattended();
  auto model = std::make_unique<report::ResultModel>();

  if (options.report_given) {
    TerminalUploadHost host(
        [&options](std::string& path) {
          path = options.report_path;
          return true;
        },
        open_report);
    UploadOutcome outcome = RunUpload(host, options.language, program_path, *model);
    int status = ExitStatusFor(outcome);
    if (status != 0) std::cerr << "morvane: " << OutcomeMeaning(outcome) << "\n";
    return status;
  }

  ResultsDialogState state;
  if (options.language_given) state.SelectLanguage(options.language);
  TerminalUploadHost host(
      [](std::string& path) { return PromptReportPath(std::cin, std::cout, path); }, open_report);
  return RunTerminalMenu(std::cin, std::cout, state, [&](int language) {
    return RunUpload(host, language, program_path, *model);
  });
}

}  // namespace viewer
