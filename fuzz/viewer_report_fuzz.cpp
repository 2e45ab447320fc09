// Hostile results files and acquisition images through the results reader and the report writer.
// The input is split at its first NUL byte: the results file before it, the acquisition image
// after it.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "viewer/language_tables.h"
#include "viewer/report_writer.h"
#include "viewer/results_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string folder = "/tmp/viewer_report_fuzz_" + std::to_string(getpid());
  static const bool made = [] {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return !error;
  }();
  if (!made) return 0;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\0');
  const viewer::ResultFiles files{folder + "/Results.log", folder + "/AcqBin.zel"};
  std::ofstream(files.results_log, std::ios::binary) << input.substr(0, split);
  {
    std::ofstream acquisition(files.acquisition, std::ios::binary);
    if (split != std::string::npos) acquisition << input.substr(split + 1);
  }
  static viewer::ResultModel model;
  viewer::ReadAllResults(model, files);
  std::FILE* sink = std::fopen("/dev/null", "wb");
  if (sink != nullptr) {
    viewer::WriteReport(model, static_cast<int>(size % 3), sink);
    std::fclose(sink);
  }
  return 0;
}
