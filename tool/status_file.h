// The tool's keys in the status file ".\Tr.ini", through which it tells the results application
// how the tester answered and that a results upload began.
#pragma once

#include <optional>
#include <string>

#include "formats/version_record_format.h"
#include "tool/profile_writer.h"

namespace tool {

// The version check after an information job. A `job_result` other than 0 writes
// [EtatVersion] Etat = "-1". Otherwise `version_file` is judged: no file writes nothing; a major
// version other than 3 writes "0"; else "1", then "2" for another identity than "Quarnetik" or "3"
// without capability bit 2. Returns the record read, if any. Every key goes through `writer` (path
// ".\Tr.ini", flushed before returning); a failed write ends the process.
std::optional<formats::VersionRecord> WriteVersionState(int job_result,
                                                        const std::string& version_file,
                                                        ProfileWriter& writer);

// [CheminFichier] Resultat = "0", written when a results upload starts.
void MarkResultsUploadStart(ProfileWriter& writer);

}  // namespace tool
