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
// The same report's bytes, leaving the model as it is.
std::string TextReport(const ResultModel& model, int language);

int WriteReport(ResultModel& model, int language, std::FILE* stream);

}  // namespace viewer
