// The Windows dialogs of the results application, one source file each: the main dialog, the About
// box and the save dialog for the report. They copy between their controls and plain data and
// leave every decision to the portable code (ResultsDialogState, RunUpload).
#pragma once

#include <windows.h>

#include <string>

#include "viewer/morvane_options.h"

namespace viewer {

// Shows the main dialog modally until it closes; returns the exit status (0 after a written
// report, or the status of the last upload tried). `options.language` is applied at start when
// given.
int RunResultsDialog(HINSTANCE instance, const MorvaneOptions& options);

// The About box (dialog 100), modal over `owner`.
void ShowAboutBox(HINSTANCE instance, HWND owner);

// The save dialog for the report: filter "Fichier Txt (*.txt)", initial name "*.txt", overwrite
// confirmation. Returns false when cancelled; otherwise the full path.
bool ChooseReportFile(HWND owner, std::string& path);

}  // namespace viewer
