// The job record's constructor and destructor, compiled once here. What the job owns (the
// ProfileWriter, the buffer and the file with their deleters) is all declared in the header.
#include "testerlink/transfer_job.h"

namespace testerlink {

TransferJob::TransferJob() = default;
TransferJob::~TransferJob() = default;

}  // namespace testerlink
