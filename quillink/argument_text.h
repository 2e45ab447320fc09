// The argument text of the tool's command line: the program name is found by a case-sensitive
// search for "Quillink.exe" and everything after it and its separators is the argument text.
#pragma once

#include <string>
#include <string_view>

namespace quillink {

inline constexpr std::string_view kProgramName = "Quillink.exe";

// The last L - p - 12 - 2 characters of `command_line` (L its length, p the position of the first
// "Quillink.exe" or -1): the quotation mark and the blank after a quoted name are skipped, and a
// name in another letter case followed by one blank is skipped too (p = -1). A negative count gives
// an empty text, a count of L or more the whole line.
std::string ArgumentText(std::string_view command_line);

}  // namespace quillink
