// The terminal front end's dialog: a small text menu with the main dialog's commands and the
// prompt that stands in for the save dialog. Texts go out as UTF-8.
#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <string>

#include "viewer/results_dialog_state.h"
#include "viewer/upload_flow.h"

namespace viewer {

// Asks for the report file; its extension chooses the format (report_format.h). ".txt" is added to
// a name without extension, and an existing file is replaced only after a "y"; any other answer
// asks again. Returns false on an empty answer or at
// the end of the input (the upload is then cancelled).
bool PromptReportPath(std::istream& in, std::ostream& out, std::string& path);

// Shows the menu and carries out the commands until a report is written (exit status 0), Exit
// is chosen or the input ends (then the status of the last upload tried, 0 when none was).
// `upload` runs one upload in the given language.
int RunTerminalMenu(std::istream& in, std::ostream& out, ResultsDialogState& state,
                    const std::function<UploadOutcome(int language)>& upload);

}  // namespace viewer
