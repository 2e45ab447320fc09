// The text report of one upload in one language: header, wiring, screening, signal and length
// sections, Windows-1252 bytes with CRLF line ends on every platform.
#pragma once

#include <cstdio>
#include <string>

#include "viewer/result_model.h"

namespace viewer {

// The text report of `model` in `language` as bytes, every line ended with "\r\n"; the model is
// left as it is. Callers write it whole (platform/file_replace.h).
std::string TextReport(const ResultModel& model, int language);

// Writes the same report to `stream`, which the caller opened in binary mode, and releases the
// model's ECU list. Returns 0; write errors of the stream are left to the caller (std::ferror).
int WriteReport(ResultModel& model, int language, std::FILE* stream);

}  // namespace viewer
