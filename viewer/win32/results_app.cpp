// The Windows program: the main dialog, or one upload at once when --report names the file.
#include "viewer/results_app.h"

// commctrl.h needs windows.h before it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <memory>

#include "platform/console_output.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/text_box.h"
#include "viewer/morvane_options.h"
#include "viewer/program_upload_host.h"
#include "viewer/upload_flow.h"
#include "viewer/win32/dialogs.h"

namespace viewer {
namespace {

// A dialog program has no console of its own: the help goes to the command window it was started
// from (or its redirected output), otherwise into a box that fits the screen.
void ShowHelp(const std::string& before) {
  const std::string text = before + MorvaneHelpText(HelpSystem::kWindows);
  if (!platform::PrintToConsole(text)) platform::ShowTextBox(text, kApplicationName);
}

}  // namespace

int RunResultsApp(int argc, char** argv) {
  InitCommonControls();
  MorvaneOptions options;
  std::string error;
  if (!ParseMorvaneOptions(argc, argv, options, error)) {
    ShowHelp("Morvane.exe: " + error + "\n\n");
    return kExitUsage;
  }
  if (options.help) {
    ShowHelp("");
    return 0;
  }
  if (options.write_translation) {
    return WriteTranslationOnly(options.language) ? 0 : ExitStatusFor(UploadOutcome::kFileError);
  }
  if (options.report_given) {
    ProgramUploadHost host(
        [&options](std::string& path) {
          path = options.report_path;
          return true;
        },
        !platform::Unattended());
    auto model = std::make_unique<report::ResultModel>();
    return ExitStatusFor(RunUpload(host, options.language, platform::ProgramPath(), *model));
  }
  return RunResultsDialog(GetModuleHandleA(nullptr), options);
}

}  // namespace viewer
