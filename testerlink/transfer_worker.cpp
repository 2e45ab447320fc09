// The transfer worker and the results upload sequence.
#include "testerlink/transfer_worker.h"

#include "formats/exchange_files.h"
#include "formats/memory_map.h"
#include "formats/version_record_format.h"
#include "testerlink/driver.h"
#include "testerlink/link_messages.h"
#include "testerlink/record_protocol.h"
#include "testerlink/record_text.h"
#include "testerlink/tester_access.h"
#include "testerlink/transfer_job.h"
#include "tool/message_table.h"
#include "tool/status_display.h"

namespace testerlink {
namespace {

bool ReadArea(TransferJob& job, const char* file_name, std::uint32_t address, std::uint32_t length,
              bool send_end_record) {
  job.file_name = file_name;
  job.address = address;
  job.length = length;
  return ReadMemory(job, send_end_record);
}

bool ReadVersionFile(TransferJob& job, bool send_end_record) {
  job.file_name = formats::kVersionFile;
  job.options |= kOptionInformationG;
  return ReadInformation(job, send_end_record);
}

}  // namespace

bool ConvertResults(TransferJob& job) {
  if (!job.convert_results) return false;
  return job.convert_results(job.profile_writer, *job.display);
}

bool UploadResults(TransferJob& job) {
  if (!ReadVersionFile(job, false)) return false;
  const formats::VersionRecord record = formats::VersionRecord::Parse(job.version_record);
  if (record.results_length == 0) {
    (void)SendRecord(job, kEndRecord, kRecordTimeOutMs, false);
    ShowMessage(job, kMsgNoResults);
    return false;
  }
  job.options |= kOptionMemoryRead;
  if (!ReadArea(job, formats::kResultsImage, record.results_address, record.results_length,
                false) ||
      !ReadArea(job, formats::kConfigurationAreaImage, formats::kUploadConfigurationAddress,
                formats::kUploadConfigurationLength, false) ||
      !ReadArea(job, formats::kMenuImage, formats::kUploadMenuAddress, formats::kUploadMenuLength,
                true) ||
      !ReadArea(job, formats::kAcquisitionImage, record.acquisition_address,
                record.acquisition_length, true)) {
    return false;
  }
  job.options = 0;
  job.state = kStateRunning;
  (void)ConvertResults(job);
  job.state = kStateIdle;
  return true;
}

void TransferWorker(TransferJob& job) {
  job.driver->Pause(kWorkerStartPauseMs);
  job.auto_close = false;
  job.result = kResultSuccess;
  if (!OpenTester(job)) return;

  if (job.options & kOptionMemoryRead) {
    if (!ReadMemory(job, true)) job.result = kResultMemoryReadFailed;
  } else if (job.options & (kOptionInformationG | kOptionInformationL)) {
    if (ReadVersionFile(job, true)) {
      job.auto_close = true;
    } else {
      job.result = kResultInformationFailed;
    }
  } else if (job.options & kOptionResultsUpload) {
    if (!UploadResults(job)) job.result = kResultInformationFailed;
  } else {
    job.auto_close = false;
    if (!SendFile(job)) job.result = kResultSendFailed;
  }
  if (job.result != kResultSuccess) return;

  // "%s\n%s" of messages 0 and 2, kept within the 255 characters of a formatted message.
  std::string success = job.messages->Text(kMsgTitle) + "\n" + job.messages->Text(kMsgSuccessLine);
  job.display->ShowStatus(success.substr(0, tool::kMaxFormattedLength));
}

}  // namespace testerlink
