// Hostile results files and acquisition images through the results reader and the report writer.
// The input is split at its first NUL byte: the results file before it, the acquisition image
// after it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "fuzz/result_files_input.h"
#include "report/language_tables.h"
#include "report/text_report_writer.h"
#include "viewer/results_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::optional<viewer::ResultFiles> written =
      fuzz::WriteResultFiles("viewer_report_fuzz", input);
  if (!written) return 0;
  const viewer::ResultFiles& files = *written;
  static report::ResultModel model;
  viewer::ReadAllResults(model, files);
  const std::string text = report::TextReport(model, static_cast<int>(size % 3));
  (void)text;
  return 0;
}
