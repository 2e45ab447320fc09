// The job record's lifetime: defined here so that the owned parts stay out of the header.
#include "testerlink/transfer_job.h"

namespace testerlink {

TransferJob::TransferJob() = default;
TransferJob::~TransferJob() = default;

}  // namespace testerlink
