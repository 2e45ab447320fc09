// Reports again without a tester: the list of archived uploads and a report of any format made
// from one of them. Both leave the archive as it is.
#pragma once

#include <string>

#include "viewer/morvane_options.h"

namespace viewer {

// The archived uploads under `archive_root`, newest first: a heading line, then one line per
// folder with its name, upload date, tester, configuration and overall verdict (Windows-1252). A
// folder whose manifest is missing or damaged is listed as such. "" when there is no archive.
std::string ArchiveListing(const std::string& archive_root);

// Writes the report of the archived upload `folder` (a path, or a folder name under
// `archive_root`) in `language` to `report_path`, in the format its extension chooses. False with
// `error` naming the file at fault when the folder, its manifest or a listed file is missing or
// damaged, or when `report_path` lies inside the archive; nothing is written then.
bool RenderArchivedUpload(const std::string& archive_root, const std::string& folder, int language,
                          const std::string& report_path, std::string& error);

// Exit status of --list or --render when the archive or the upload named cannot be used.
inline constexpr int kExitArchiveError = 10;

// Carries out --list (the listing on standard output, UTF-8) or --render for the program at
// `program_path`, whose archive lies beside it; a failure is shown in a message box naming the
// file. Returns the exit status.
int RunArchiveCommand(const MorvaneOptions& options, const std::string& program_path);

}  // namespace viewer
