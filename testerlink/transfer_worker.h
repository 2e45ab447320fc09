// The transfer worker: the thread that opens the tester and carries out the job its option flags
// choose (memory read, information read, results upload or file sending).
#pragma once

namespace testerlink {

struct TransferJob;

inline constexpr unsigned kWorkerStartPauseMs = 1000;

// Thread procedure: runs the whole job and ends with job.result set (0 success, 1 to 15 failure)
// and job.auto_close set after a successful information read.
void TransferWorker(TransferJob& job);

// The results upload: the information reply, then the result, configuration, menu and
// acquisition areas into their image files, then the result decoder. False when a step failed or
// the tester holds no results (its message shown).
[[nodiscard]] bool UploadResults(TransferJob& job);

// The last step of the upload: job.convert_results turns the images into Results.log. Its outcome
// is the converter's own; the upload does not examine it.
bool ConvertResults(TransferJob& job);

}  // namespace testerlink
