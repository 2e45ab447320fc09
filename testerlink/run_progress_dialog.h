// Shows the progress dialog for one job and runs the job while it is open.
//
// The platform's front end is picked at link time: on Windows the modal dialog of template 102
// (resources/quillink.rc), on Linux a terminal rendering of the same controls (title, two status
// lines, progress bar, version label).
#pragma once

#include <cstdint>
#include <string>

#include "testerlink/transfer_job.h"

namespace tool {
class MessageTable;
}

namespace testerlink {

class Driver;

// Shows the progress dialog modally for `job`, whose request fields (state 1, options, address,
// length, file_name) the caller has filled, and returns the job's result code once the dialog has
// closed: 0 success, 1 to 12 the tester could not be opened, 13 memory read failed, 14 information
// read or results upload failed (or no results), 15 file sending failed.
//
// The dialog's title is message 0 of `messages`; its version label shows `version_label`. When it
// opens, the transfer worker (talking to the tester through `driver`) and the completion watcher
// start; the dialog refuses to close (with a beep) while the job runs, closes by itself after a
// successful information read, and beeps on failure. With HALVEN_UNATTENDED set it also closes by
// itself once the job has ended. Every handle, buffer and thread of the job is released before
// this returns. `driver`, `messages` and `job` must outlive the call.
std::int32_t RunProgressDialog(TransferJob& job, Driver& driver, tool::MessageTable& messages,
                               const std::string& version_label);

}  // namespace testerlink
