// Status-line helpers of the tester link.
#include "testerlink/link_messages.h"

#include "testerlink/transfer_job.h"
#include "tool/message_table.h"
#include "tool/status_display.h"

namespace testerlink {

void ShowMessage(TransferJob& job, int index) {
  job.display->ShowStatus(job.messages->Text(index));
}

void ShowFormatted(TransferJob& job, int index, std::initializer_list<std::int64_t> values) {
  job.display->ShowStatus(job.messages->Format(index, values));
}

}  // namespace testerlink
