// Opening the tester and the four low-level exchanges the record protocol is built from: write a
// record, wait for the reply notification, fetch the reply, read data.
//
// Everything goes through the job's Driver; every failure shows its message on the job's status
// line. A wait that gives up on an outstanding request cancels it before its buffer is released.
#pragma once

#include <cstdint>
#include <span>

#include "testerlink/driver.h"

namespace testerlink {

struct TransferJob;

// Completion waits of every request, and the pause once the link is ready.
inline constexpr std::uint32_t kCompletionWaitMs = 1000;
inline constexpr std::uint32_t kSetupPauseMs = 100;

// Opens the tester: events, enumeration device, count, name, interface, link set-up, event
// registration, then a 100 ms pause. False with job.result set to 1..12 and its message shown;
// what was opened stays for the completion watcher to close (Driver::CloseAll).
[[nodiscard]] bool OpenTester(TransferJob& job);

// Writes one record (all `length` bytes) and waits for its completion. False with message 14 (time
// out) or 15 (failure or a short write) shown.
[[nodiscard]] bool WriteRecord(TransferJob& job, const std::uint8_t* bytes, std::uint32_t length);

// Waits up to `milliseconds` for the tester's reply notification; true when it came.
[[nodiscard]] bool WaitReplyNotification(TransferJob& job, std::uint32_t milliseconds);

// Fetches the acknowledgement into `reply`. False with message 18 (not completed in time) or 19
// (failed) shown.
[[nodiscard]] bool FetchReply(TransferJob& job, std::span<std::uint8_t, kReplyBufferSize> reply);

// Outcome of a data read; the caller chooses the message.
struct ReadOutcome {
  enum Status { kCompleted, kTimedOut, kWaitFailed, kFailed } status = kFailed;
  std::uint32_t bytes = 0;  // bytes received, when kCompleted
};
// Reads up to `size` bytes into `buffer` and waits for the completion. A count the driver reports
// beyond `size` counts as a failed read.
ReadOutcome ReadData(TransferJob& job, std::uint8_t* buffer, std::uint32_t size);

}  // namespace testerlink
