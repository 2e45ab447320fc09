// The one job record of a Quillink run: what RunJob asks for, what the transfer worker holds while
// it runs, and what the job leaves behind (result code, auto-close, version record copy).
//
// Use: the start routine fills the request fields (state, options, address, length, file_name)
// and hands the job to testerlink::RunProgressDialog (testerlink/run_progress_dialog.h), which sets
// the run fields, starts the worker and the completion watcher and returns the result code. The job
// owns the run's ProfileWriter: the start routine writes its Tr.ini keys through it as well.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "formats/version_record_format.h"
#include "tool/profile_writer.h"

namespace tool {
class MessageTable;
class StatusDisplay;
}  // namespace tool

namespace testerlink {

class Driver;

// Option flags, one bit per option text RunJob finds in the job text.
inline constexpr std::uint32_t kOptionBootErase = 0x1;           // "-B"
inline constexpr std::uint32_t kOptionApplicationErase = 0x2;    // "-A"
inline constexpr std::uint32_t kOptionDataErase = 0x4;           // "-D"
inline constexpr std::uint32_t kOptionRecordAfterEnd = 0x8;      // "-R": record 0x09 after the end
inline constexpr std::uint32_t kOptionRecordBeforeEnd = 0x10;    // "-C": record 0x0A before the end
inline constexpr std::uint32_t kOptionTextDump = 0x20;           // "-t"
inline constexpr std::uint32_t kOptionInformationG = 0x40;       // "-IG"
inline constexpr std::uint32_t kOptionInformationL = 0x80;       // "-IL"
inline constexpr std::uint32_t kOptionSequenceRecord = 0x100;    // "-U": record 0x0E first
inline constexpr std::uint32_t kOptionResultsUpload = 0x200;     // "-F"
inline constexpr std::uint32_t kOptionMemoryRead = 0x80000000u;  // "-READ[address,length]"

// Job state: the dialog may close only when it is kStateIdle.
inline constexpr std::int32_t kStateIdle = 1;
inline constexpr std::int32_t kStateRunning = 2;

// Result codes beyond OpenTester's 1 to 12.
inline constexpr std::int32_t kResultSuccess = 0;
inline constexpr std::int32_t kResultMemoryReadFailed = 13;
inline constexpr std::int32_t kResultInformationFailed = 14;  // also: results upload, no results
inline constexpr std::int32_t kResultSendFailed = 15;

// The file name field holds 259 characters and a terminator.
inline constexpr std::size_t kMaxFileNameLength = 259;
inline constexpr std::size_t kVersionRecordSize = formats::kVersionRecordSize;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
struct BufferFree {
  void operator()(std::uint8_t* bytes) const { std::free(bytes); }
};

struct TransferJob {
  TransferJob();
  ~TransferJob();
  TransferJob(const TransferJob&) = delete;
  TransferJob& operator=(const TransferJob&) = delete;

  // Request fields, filled by RunJob before the dialog opens. `state` is read by the interface
  // thread when the user tries to close and written by the worker and the watcher.
  std::atomic<std::int32_t> state{kStateIdle};
  std::uint32_t options = 0;
  std::uint32_t address = 0;  // tester address of the next memory read
  std::uint32_t length = 0;   // byte count of the next memory read
  std::string file_name;      // file read or written; at most kMaxFileNameLength characters
  bool file_refused = false;  // the file to send is not this run's: refused as a missing one

  // Set when the dialog opens; the worker reaches the tester, the status line and the messages
  // only through these.
  Driver* driver = nullptr;
  tool::StatusDisplay* display = nullptr;
  tool::MessageTable* messages = nullptr;

  // Held by the job while an operation runs, so that the completion watcher can release them
  // after a failure.
  std::unique_ptr<std::uint8_t, BufferFree> buffer;
  std::unique_ptr<std::FILE, FileCloser> file;

  // Outcome. Written by the worker; read by the watcher and the caller only after the worker
  // thread has ended.
  std::int32_t result = kResultSuccess;
  bool auto_close = false;
  std::array<std::uint8_t, kVersionRecordSize> version_record{};

  // The run's one ProfileWriter (Tr.ini keys, and Results.log through the result decoder).
  tool::ProfileWriter profile_writer;
  // The results upload's last step: turns the image files into Results.log, writing through the
  // writer and showing progress on the display it is given. Set by the program (the link knows no
  // decoder); unset, the step fails.
  std::function<bool(tool::ProfileWriter& writer, tool::StatusDisplay& display)> convert_results;
};

}  // namespace testerlink
