// The job record's lifetime: defined here so that the owned parts stay out of the header.
#include "link/transfer_job.h"

#include "results/result_decoder.h"

namespace tlink {

TransferJob::TransferJob() = default;
TransferJob::~TransferJob() = default;

}  // namespace tlink
