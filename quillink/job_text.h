// RunJob's reading of a job text: the file part before the first " -" and the option flags, address
// and length found in the option part.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "testerlink/transfer_job.h"

namespace quillink {

struct JobRequest {
  std::uint32_t option_flags = 0;
  std::uint32_t address = 0;  // stays 0 when "-READ[" gives no hexadecimal digits
  std::uint32_t length = 0;
  std::string file_name;
  // Not from the text: the file to send was not written by this run and is refused as missing.
  bool file_refused = false;
};

enum class JobTextError {
  kNone,
  kNoOptions,        // no " -" after trimming: nothing is run
  kFileNameTooLong,  // the file part does not fit the file name field
};

// Reads `job_text` into `request` (untouched on error). The text is trimmed; it must contain " -";
// the file part (trimmed) is what stands before it and the option part what follows the blank.
// Each option text sets its bit wherever it occurs in the option part ("-READ[" also sets "-R").
// "-READ[" with a "[", a "," and a "]" present reads the two values like "%x" and requests a
// memory read.
[[nodiscard]] JobTextError ParseJobText(std::string_view job_text, JobRequest* request);

// Reads a value the way "%x" does: leading white space, an optional sign, an optional "0x", then
// hexadecimal digits, kept modulo 2^32. False, with `value` untouched, when there is no digit.
[[nodiscard]] bool ScanHex(std::string_view text, std::uint32_t* value);

// `text` without white space (blank, tab, newline, vertical tab, form feed, carriage return) at
// either end.
std::string_view TrimWhiteSpace(std::string_view text);

}  // namespace quillink
