// The text report of one upload in one language: header, wiring, screening, signal and length
// sections, Windows-1252 bytes with CRLF line ends on every platform.
#pragma once

#include <string>

#include "report/result_model.h"

namespace report {

// The text report of `model` in `language` as bytes, every line ended with "\r\n"; the model is
// left as it is. Callers write it whole (platform/file_replace.h).
std::string TextReport(const ResultModel& model, int language);

}  // namespace report
