// Reading the largest results file the decoder can write (255 configurations, each with four ECUs
// and every test section, which is what fits the tester's 64 KiB configuration area) and writing
// the report with a full acquisition curve, against the simplest equivalent: reading the file's
// bytes once and writing the report's bytes once.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/largest_results_log.h"
#include "report/language_tables.h"
#include "report/text_report_writer.h"
#include "viewer/results_reader.h"

namespace {

// A folder holding the results file and a full acquisition image (no empty entry: the longest
// curve).
class BenchFiles {
 public:
  BenchFiles() : folder_(std::filesystem::temp_directory_path() / "viewer_report_bench") {
    std::filesystem::create_directories(folder_);
    results_log_ = bench_data::LargestResultsLog();
    std::ofstream(folder_ / "Results.log", std::ios::binary) << results_log_;
    std::string acquisition;
    for (std::size_t k = 0; k < report::kAcquisitionEntryCount; ++k) {
      acquisition += std::string{0, 0, static_cast<char>(k % 200), static_cast<char>(k % 255)};
    }
    std::ofstream(folder_ / "AcqBin.zel", std::ios::binary) << acquisition;
  }
  ~BenchFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  viewer::ResultFiles Files() const {
    return {(folder_ / "Results.log").string(), (folder_ / "AcqBin.zel").string()};
  }
  std::string Report() const { return (folder_ / "report.txt").string(); }
  std::size_t LogSize() const { return results_log_.size(); }

 private:
  std::filesystem::path folder_;
  std::string results_log_;
};

const BenchFiles& Files() {
  static const BenchFiles files;
  return files;
}

void BM_ReadResultsAndWriteReport(benchmark::State& state) {
  const BenchFiles& files = Files();
  static report::ResultModel model;
  for (auto _ : state) {
    if (viewer::ReadAllResults(model, files.Files()) != 0) state.SkipWithError("read failed");
    std::FILE* stream = std::fopen(files.Report().c_str(), "wb");
    const std::string bytes = report::TextReport(model, report::kEnglish);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fclose(stream);
  }
  state.counters["log_bytes"] = static_cast<double>(files.LogSize());
}
BENCHMARK(BM_ReadResultsAndWriteReport)->Unit(benchmark::kMillisecond);

// The floor: read the results file and the acquisition image once, write a report of the same
// size once.
void BM_ReadFilesOnceAndWriteBytes(benchmark::State& state) {
  const BenchFiles& files = Files();
  {
    report::ResultModel model;
    viewer::ReadAllResults(model, files.Files());
    std::FILE* stream = std::fopen(files.Report().c_str(), "wb");
    const std::string bytes = report::TextReport(model, report::kEnglish);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fclose(stream);
  }
  std::ifstream report_file(files.Report(), std::ios::binary);
  const std::string report(std::istreambuf_iterator<char>(report_file), {});
  for (auto _ : state) {
    for (const std::string& path : {files.Files().results_log, files.Files().acquisition}) {
      std::ifstream file(path, std::ios::binary);
      std::string bytes(std::istreambuf_iterator<char>(file), {});
      benchmark::DoNotOptimize(bytes.data());
    }
    std::FILE* stream = std::fopen(files.Report().c_str(), "wb");
    std::fwrite(report.data(), 1, report.size(), stream);
    std::fclose(stream);
  }
  state.counters["report_bytes"] = static_cast<double>(report.size());
}
BENCHMARK(BM_ReadFilesOnceAndWriteBytes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
