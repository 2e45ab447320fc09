// The archive of every upload: after a report is written, the upload's exchange files and the
// report are copied into a new folder of "Uploads" beside the exchange files, named after the
// local time (2026-12-10_10-31-56, then 2026-12-10_10-31-56_2 for a second upload in the same
// second), with a manifest. Nothing in the archive is ever overwritten.
#pragma once

#include <string>

#include "report/result_model.h"
#include "viewer/tester_identity.h"

namespace viewer {

inline constexpr char kArchiveFolderName[] = "Uploads";

// The exchange files of one upload, copied when present (the report is copied as "Report" with
// its own extension, so that no report name can take the place of one of them).
inline constexpr const char* kArchivedExchangeFiles[] = {
    "VersionTr.zel", "ResBin.zel", "CfgBin.zel", "MenuBin.zel", "AcqBin.zel", "Results.log"};

// "Uploads" under `program_folder` (which ends with its separator, or is empty).
std::string ArchiveRoot(const std::string& program_folder);

// The name of the folder for an upload at local time `when` ("YYYY-MM-DD_HH-MM-SS").
std::string ArchiveFolderName(std::int64_t when);

// Archives the upload whose exchange files lie in `exchange_folder` and whose report was written
// to `report_path`. Creates `archive_root` when needed and a fresh folder in it. `folder` is set to
// the folder written (or tried); false with the system's reason when any step fails.
bool ArchiveUpload(const std::string& archive_root, const std::string& exchange_folder,
                   const std::string& report_path, const report::ResultModel& model, int language,
                   const report::TesterIdentity& tester, std::string& folder, std::string& reason);

// The heading of the message box shown when the archive cannot be written, in `language`.
std::string ArchiveFailureText(int language, const std::string& folder, const std::string& reason);

}  // namespace viewer
