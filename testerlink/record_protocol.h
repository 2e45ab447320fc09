// The record protocol: one record and its acknowledgement (SendRecord), an address range read in
// 512-byte blocks (ReadMemory), the general-information reply (ReadInformation) and an Intel HEX
// file sent line by line between the command records its options ask for (SendFile).
//
// Each operation reports progress and state on the job's status display and, on failure, leaves
// its message there and returns false.
#pragma once

#include <cstdint>
#include <string_view>

namespace testerlink {

struct TransferJob;

inline constexpr std::uint32_t kBlockSize = 512;
inline constexpr std::uint32_t kBlockRequestSize = kBlockSize + 1;
inline constexpr std::uint32_t kInformationSize = 2048;
inline constexpr std::uint32_t kRecordTimeOutMs = 1000;
inline constexpr std::uint32_t kReplyWaitMs = 10000;  // without progress, whatever the time-out
inline constexpr std::uint32_t kRefusalPauseMs = 1000;
inline constexpr std::uint32_t kInformationPauseMs = 100;
inline constexpr int kSendAttempts = 3;

// Sends `record` (at most 256 characters) followed by a carriage return and waits for its
// acknowledgement; a refusal is retried up to 3 attempts, 1000 ms apart. With `progress` the reply
// wait runs in 100 steps of timeout_ms / 100 on the progress bar; without, it waits 10000 ms.
[[nodiscard]] bool SendRecord(TransferJob& job, std::string_view record, std::uint32_t timeout_ms,
                              bool progress);

// Reads job.length bytes from job.address into job.file_name (a "-t" dump with kOptionTextDump),
// then sends the end record when asked.
[[nodiscard]] bool ReadMemory(TransferJob& job, bool send_end_record);

// Reads the general-information reply into job.file_name and, unless dumped as text, copies its
// first 40 bytes into job.version_record.
[[nodiscard]] bool ReadInformation(TransferJob& job, bool send_end_record);

// Sends job.file_name framed by the command records of job.options.
[[nodiscard]] bool SendFile(TransferJob& job);

}  // namespace testerlink
