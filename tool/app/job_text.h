// RunJob's reading of a job text: the file part before the first " -" and the option flags, address
// and length found in the option part.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace toolapp {

// Option flag bits, in the order the option texts are searched.
inline constexpr std::uint32_t kOptionBootErase = 0x1;          // "-B"
inline constexpr std::uint32_t kOptionApplicationErase = 0x2;   // "-A"
inline constexpr std::uint32_t kOptionDataErase = 0x4;          // "-D"
inline constexpr std::uint32_t kOptionStartRecord0E = 0x100;    // "-U"
inline constexpr std::uint32_t kOptionRestart = 0x8;            // "-R"
inline constexpr std::uint32_t kOptionCommand0A = 0x10;         // "-C"
inline constexpr std::uint32_t kOptionResultsUpload = 0x200;    // "-F"
inline constexpr std::uint32_t kOptionInfoGeneral = 0x40;       // "-IG"
inline constexpr std::uint32_t kOptionInfoLong = 0x80;          // "-IL"
inline constexpr std::uint32_t kOptionHexDump = 0x20;           // "-t"
inline constexpr std::uint32_t kOptionMemoryRead = 0x80000000;  // "-READ[address,length]"

// The file name field holds this many characters and a terminator.
inline constexpr std::size_t kMaxFileNameLength = 259;

struct JobRequest {
  std::uint32_t option_flags = 0;
  std::uint32_t address = 0;  // stays 0 when "-READ[" gives no hexadecimal digits
  std::uint32_t length = 0;
  std::string file_name;
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

}  // namespace toolapp
