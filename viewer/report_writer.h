// The text report of one upload in one language: header, wiring, screening, signal and length
// sections, Windows-1252 bytes with CRLF line ends on every platform.
#pragma once

#include <cstdio>
#include <string>

#include "viewer/result_model.h"

namespace viewer {

// Writes the report of `model` in `language` to `stream`, which the caller opened in binary mode:
// the writer itself ends every line with "\r\n". Releases the model's ECU list. Returns 0; write
// errors of the stream are left to the caller (std::ferror).
int WriteReport(ResultModel& model, int language, std::FILE* stream);

// The same report as bytes, for a caller that writes the file whole. Releases the model's ECU list.
std::string ReportBytes(ResultModel& model, int language);

}  // namespace viewer
