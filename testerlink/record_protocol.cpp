// The record protocol over the four exchanges of testerlink/tester_access.h.
#include "testerlink/record_protocol.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "formats/record_types.h"
#include "platform/file_replace.h"
#include "platform/native_path.h"
#include "testerlink/driver_buffers.h"
#include "testerlink/link_messages.h"
#include "testerlink/record_text.h"
#include "testerlink/tester_access.h"
#include "testerlink/text_dump.h"
#include "testerlink/transfer_job.h"
#include "tool/status_display.h"

namespace testerlink {
namespace {

constexpr std::uint32_t kProgressSteps = 100;

// The record table names the tool's messages by index; they must be the ones this layer shows.
static_assert(formats::FindRecordType(formats::kRecordData)->message == kMsgDataLine);
static_assert(formats::FindRecordType(formats::kRecordEndOfFile)->message == kMsgSequence);
static_assert(formats::FindRecordType(formats::kRecordBootErase)->message == kMsgBootErase);
static_assert(formats::FindRecordType(formats::kRecordApplicationErase)->message ==
              kMsgApplicationErase);
static_assert(formats::FindRecordType(formats::kRecordDataErase)->message == kMsgDataErase);
static_assert(formats::FindRecordType(formats::kRecordEnd)->message == kMsgStop);

// The two requests the tool builds itself.
constexpr formats::RecordTypeRow kReadRequest =
    *formats::FindRecordType(formats::kRecordReadRequest);
constexpr formats::RecordTypeRow kInformationRequest =
    *formats::FindRecordType(formats::kRecordInformation);
static_assert(kReadRequest.message == kMsgReadingBlock);
static_assert(kInformationRequest.message == kMsgInformationRequest);

// The progress bar takes 16-bit values; a range beyond that is scaled down.
struct BlockProgress {
  explicit BlockProgress(std::uint32_t blocks) : blocks_(blocks) {}
  std::uint16_t High() const { return Scale(blocks_); }
  std::uint16_t Scale(std::uint32_t block) const {
    if (blocks_ <= 0xFFFF) return static_cast<std::uint16_t>(block);
    return static_cast<std::uint16_t>(std::uint64_t{block} * 0xFFFF / blocks_);
  }
  std::uint32_t blocks_;
};

bool ShowFailure(TransferJob& job, int message) {
  ShowMessage(job, message);
  return false;
}

// Writes `data` as the job's output file; message 30 when it cannot be created or written
// completely. Through a temporary checked for its size: a file cut short (a full disk, which the
// Windows C runtime under Wine does not report) must not pass for the tester's data.
bool WriteJobFile(TransferJob& job, const void* data, std::size_t size) {
  if (!platform::ReplaceFileContent(job.file_name,
                                    std::string_view(static_cast<const char*>(data), size))) {
    return ShowFailure(job, kMsgOpenFileFailed);
  }
  return true;
}

struct CharsFree {
  void operator()(char* text) const { std::free(text); }
};

bool ReportReadFailure(TransferJob& job, const ReadOutcome& outcome) {
  return ShowFailure(job,
                     outcome.status == ReadOutcome::kTimedOut ? kMsgReadTimeOut : kMsgReadError);
}

}  // namespace

bool SendRecord(TransferJob& job, std::string_view record, std::uint32_t timeout_ms,
                bool progress) {
  std::array<std::uint8_t, kMaxRecordLength + 1> wire;
  if (record.size() > kMaxRecordLength) return ShowFailure(job, kMsgWriteError);
  std::memcpy(wire.data(), record.data(), record.size());
  wire[record.size()] = '\r';
  const std::uint32_t length = static_cast<std::uint32_t>(record.size() + 1);

  for (int attempt = 0; attempt < kSendAttempts; ++attempt) {
    if (!WriteRecord(job, wire.data(), length)) return false;
    bool answered = false;
    if (progress) {
      job.display->SetProgressRange(0, kProgressSteps);
      for (std::uint32_t step = 0; step < kProgressSteps && !answered; ++step) {
        answered = WaitReplyNotification(job, timeout_ms / kProgressSteps);
        if (!answered) job.display->SetProgressPos(static_cast<std::uint16_t>(step));
      }
    } else {
      answered = WaitReplyNotification(job, kReplyWaitMs);
    }
    if (!answered) return ShowFailure(job, kMsgNoResponse);

    std::array<std::uint8_t, kReplyBufferSize> reply{};
    if (!FetchReply(job, reply)) return false;
    Acknowledgement ack = ReadAcknowledgement(reply);
    if (ack.kind == Acknowledgement::kAccepted) return true;
    if (ack.kind == Acknowledgement::kInvalid) return ShowFailure(job, kMsgInvalidAck);
    if (ack.has_code) {
      ShowFormatted(job, kMsgRefusedWithCode, {ack.code});
    } else {
      ShowMessage(job, kMsgRefused);
    }
    job.driver->Pause(kRefusalPauseMs);
  }
  return false;
}

bool ReadMemory(TransferJob& job, bool send_end_record) {
  const std::uint32_t total = job.length;
  if (total == 0) return ShowFailure(job, kMsgEmptyRead);
  const std::uint32_t blocks = (total - 1) / kBlockSize + 1;
  const BlockProgress progress(blocks);
  job.display->SetProgressRange(0, progress.High());

  job.buffer.reset(static_cast<std::uint8_t*>(std::calloc(total, 1)));
  if (!job.buffer) return ShowFailure(job, kMsgNoMemory);

  std::array<std::uint8_t, kBlockRequestSize> block;
  std::uint64_t received = 0;
  for (std::uint32_t i = 0; i < blocks; ++i) {
    const std::uint32_t offset = kBlockSize * i;
    const std::uint32_t count = std::min(kBlockSize, total - offset);
    ShowFormatted(job, kReadRequest.message, {i + 1, blocks});
    if (!SendRecord(job, BuildReadRequest(job.address + offset, count), kReadRequest.timeout_ms,
                    kReadRequest.progress)) {
      return false;
    }
    ReadOutcome outcome = ReadData(job, block.data(), kBlockRequestSize);
    if (outcome.status != ReadOutcome::kCompleted) return ReportReadFailure(job, outcome);
    if (outcome.bytes != count) {
      ShowFormatted(job, kMsgPacketSize, {outcome.bytes});
      return false;
    }
    std::memcpy(job.buffer.get() + offset, block.data(), count);
    received += count;
    job.display->SetProgressPos(progress.Scale(i + 1));
  }
  if (send_end_record) (void)SendRecord(job, kEndRecord, kRecordTimeOutMs, false);
  if (received != total) {
    ShowFormatted(job, kMsgInvalidSize, {static_cast<std::int64_t>(received)});
    return false;
  }

  ShowMessage(job, kMsgWritingFile);
  bool written;
  if (job.options & kOptionTextDump) {
    // About five characters a byte: sized first, so that a dump too large for memory fails with
    // its message instead of an allocation ending the worker.
    const std::uint64_t size = MemoryDumpSize(total);
    std::unique_ptr<char, CharsFree> dump(
        size <= SIZE_MAX ? static_cast<char*>(std::malloc(static_cast<std::size_t>(size)))
                         : nullptr);
    if (!dump) return ShowFailure(job, kMsgNoMemory);
    WriteMemoryDump({job.buffer.get(), total}, job.address, dump.get());
    written = WriteJobFile(job, dump.get(), static_cast<std::size_t>(size));
  } else {
    written = WriteJobFile(job, job.buffer.get(), total);
  }
  job.buffer.reset();
  return written;
}

bool ReadInformation(TransferJob& job, bool send_end_record) {
  job.display->SetProgressRange(0, 1);
  std::array<std::uint8_t, kInformationSize> reply{};
  ShowMessage(job, kInformationRequest.message);
  if (!SendRecord(job, kInformationRecord, kInformationRequest.timeout_ms,
                  kInformationRequest.progress)) {
    return false;
  }
  ReadOutcome outcome = ReadData(job, reply.data(), kInformationSize);
  if (outcome.status != ReadOutcome::kCompleted) return ReportReadFailure(job, outcome);
  const std::uint32_t size = outcome.bytes;
  job.display->SetProgressPos(1);
  job.driver->Pause(kInformationPauseMs);
  if (send_end_record) (void)SendRecord(job, kEndRecord, kRecordTimeOutMs, false);

  if (job.options & kOptionTextDump) {
    std::string dump = InformationDump({reply.data(), size});
    return WriteJobFile(job, dump.data(), dump.size());
  }
  if (!WriteJobFile(job, reply.data(), size)) return false;
  // Bytes the tester did not send stay 0: the reply buffer was zeroed before the read.
  std::copy_n(reply.begin(), kVersionRecordSize, job.version_record.begin());
  return true;
}

bool SendFile(TransferJob& job) {
  job.display->SetProgressRange(0, kProgressSteps);
  if (job.file_refused) return ShowFailure(job, kMsgOpenFileFailed);
  // A folder opens with fopen on Linux; it is not a file that can be sent, as on Windows.
  if (platform::FileSize(job.file_name) < 0) return ShowFailure(job, kMsgOpenFileFailed);
  job.file.reset(std::fopen(platform::NativePath(job.file_name).c_str(), "rb"));
  if (!job.file) return ShowFailure(job, kMsgOpenFileFailed);
  long file_size = -1;
  if (std::fseek(job.file.get(), 0, SEEK_END) == 0) file_size = std::ftell(job.file.get());
  if (file_size < 0 || std::fseek(job.file.get(), 0, SEEK_SET) != 0) {
    return ShowFailure(job, kMsgFileReadError);
  }
  const std::size_t size = static_cast<std::size_t>(file_size);

  // Room for the file, the command records around it and a terminating zero.
  job.buffer.reset(static_cast<std::uint8_t*>(std::calloc(size + 512, 1)));
  if (!job.buffer) return ShowFailure(job, kMsgNoMemory);
  char* text = reinterpret_cast<char*>(job.buffer.get());
  std::size_t end = 0;
  auto append = [&](std::string_view record) {
    std::memcpy(text + end, record.data(), record.size());
    end += record.size();
  };
  if (job.options & kOptionBootErase) append(kBootEraseRecord);
  if (job.options & kOptionApplicationErase) append(kApplicationEraseRecord);
  if (job.options & kOptionDataErase) append(kDataEraseRecord);
  if (job.options & kOptionSequenceRecord) append(kSequenceRecord);
  std::size_t read = std::fread(text + end, 1, size, job.file.get());
  job.file.reset();
  if (read < size) return ShowFailure(job, kMsgFileReadError);
  // Content without a colon where the line search looks for the first record would send only the
  // framing and pass as sent; an empty file still sends its framing.
  const std::string_view head(text + end, std::min(size, kMaxSkippedCharacters + 1));
  if (size > 0 && head.find(':') == std::string_view::npos) {
    return ShowFailure(job, kMsgBadFormat);
  }
  end += size;
  if (job.options & kOptionRecordBeforeEnd) append(kBeforeEndRecord);
  append(kEndRecord);
  if (job.options & kOptionRecordAfterEnd) append(kAfterEndRecord);
  const std::string_view all(text, end);

  // An empty file: the bar follows the command records instead of dividing by zero.
  const std::uint64_t scale = size > 0 ? size : end;
  std::uint64_t characters_sent = 0;
  int record_number = 0;
  std::size_t position = 0;
  std::string line;
  while (NextRecordLine(all, &position, &line) > 0) {
    if (!RecordLineWellFormed(line)) return ShowFailure(job, kMsgBadFormat);
    ++record_number;
    characters_sent += line.size();
    const formats::RecordTypeRow* sending = formats::FindRecordType(RecordType(line));
    if (sending == nullptr || !sending->in_file) return ShowFailure(job, kMsgUnknownSequence);
    if (sending->type == formats::kRecordData) {
      ShowFormatted(job, sending->message, {record_number});
    } else {
      ShowMessage(job, sending->message);
    }
    if (!SendRecord(job, line, sending->timeout_ms, sending->progress)) return false;
    job.display->SetProgressPos(static_cast<std::uint16_t>(
        std::min<std::uint64_t>(kProgressSteps, characters_sent * 100 / scale)));
  }
  // A zero byte inside the file stops the line search like the end of the text would: a binary
  // file must not pass for a file sent completely.
  if (position < all.size() && all[position] == '\0') return ShowFailure(job, kMsgBadFormat);
  job.display->SetProgressPos(kProgressSteps);
  return true;
}

}  // namespace testerlink
