// The Windows program: the main dialog, or one upload at once when --report names the file.
#include "viewer/results_app.h"

// commctrl.h needs windows.h before it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <memory>

#include "platform/message_box.h"
#include "platform/process.h"
#include "viewer/morvane_options.h"
#include "viewer/program_upload_host.h"
#include "viewer/upload_flow.h"
#include "viewer/win32/dialogs.h"

namespace viewer {

int RunResultsApp(int argc, char** argv) {
  InitCommonControls();
  MorvaneOptions options;
  std::string error;
  if (!ParseMorvaneOptions(argc, argv, options, error)) {
    platform::ShowMessageBox(error + "\n\n" + MorvaneHelpText(), kApplicationName,
                             platform::BoxIcon::kStop);
    return kExitUsage;
  }
  if (options.help) {
    platform::ShowMessageBox(MorvaneHelpText(), kApplicationName, platform::BoxIcon::kInformation);
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
