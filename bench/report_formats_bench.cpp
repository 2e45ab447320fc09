// The web-page report of the largest results file with a full acquisition curve (target: under
// 50 ms from reading the files to the written page), the JSON and CSV reports beside it, and the
// listing of 1,000 archived uploads (target: under 1 s). Each against the simplest equivalent in
// the same run: writing the same report bytes once, and reading the 1,000 manifests once.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench/largest_results_log.h"
#include "platform/file_replace.h"
#include "report/language_tables.h"
#include "report/report_format.h"
#include "viewer/archive_commands.h"
#include "viewer/results_reader.h"
#include "viewer/upload_manifest.h"

namespace {

namespace fs = std::filesystem;

class BenchFolder {
 public:
  BenchFolder() : folder_(fs::temp_directory_path() / "viewer_report_formats_bench") {
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "upload");
    std::ofstream(folder_ / "upload" / "Results.log", std::ios::binary)
        << bench_data::LargestResultsLog();
    std::string acquisition;
    for (std::size_t k = 0; k < report::kAcquisitionEntryCount; ++k) {
      acquisition += std::string{0, 0, static_cast<char>(200), static_cast<char>(k % 201)};
    }
    std::ofstream(folder_ / "upload" / "AcqBin.zel", std::ios::binary) << acquisition;

    viewer::UploadManifest manifest;
    manifest.date = "06/12/2026 18:21:56";
    manifest.tester = "Quarnetik";
    manifest.version = "3.1";
    manifest.configuration = "LIGNE4_BUS_A";
    manifest.verdict = "failed";
    manifest.files = {{"Results.log", 1000}, {"AcqBin.zel", 57344}};
    for (int i = 0; i < 1000; ++i) {
      char name[40];
      std::snprintf(name, sizeof name, "2026-%02d-%02d_%02d-%02d-00", 1 + i / 300, 1 + i % 28,
                    i % 24, i % 60);
      fs::path upload = folder_ / "Uploads" / name;
      while (fs::exists(upload)) upload += "_2";
      fs::create_directories(upload);
      std::ofstream(upload / viewer::kManifestFileName, std::ios::binary)
          << viewer::ManifestText(manifest);
    }
  }
  ~BenchFolder() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  viewer::ResultFiles Files() const {
    return {(folder_ / "upload" / "Results.log").string(),
            (folder_ / "upload" / "AcqBin.zel").string()};
  }
  std::string Report(const char* extension) const {
    return (folder_ / ("report" + std::string(extension))).string();
  }
  std::string Archive() const { return (folder_ / "Uploads").string(); }

 private:
  fs::path folder_;
};

const BenchFolder& Folder() {
  static const BenchFolder folder;
  return folder;
}

const char* const kExtensions[] = {".html", ".json", ".csv", ".txt"};

// Reading the results as an upload does, the results file just written, then writing the report
// through a temporary file.
void BM_ReadAndWriteReport(benchmark::State& state) {
  const BenchFolder& folder = Folder();
  const std::string path = folder.Report(kExtensions[state.range(0)]);
  auto model = std::make_unique<report::ResultModel>();
  std::string reason;
  for (auto _ : state) {
    // A new modification time, as after the tool: no parse of an earlier iteration is reused.
    state.PauseTiming();
    fs::last_write_time(fs::path(folder.Files().results_log), fs::file_time_type::clock::now());
    state.ResumeTiming();
    if (viewer::ReadAllResults(*model, folder.Files()) != 0) state.SkipWithError("read failed");
    if (!report::WriteReportAs(path, *model, report::kEnglish, {}, reason)) {
      state.SkipWithError(reason.c_str());
    }
  }
  state.counters["report_bytes"] = static_cast<double>(fs::file_size(path));
}
BENCHMARK(BM_ReadAndWriteReport)
    ->ArgName("html0_json1_csv2_txt3")
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond);

// Making the report's bytes alone, the model already read.
void BM_ReportBytes(benchmark::State& state) {
  auto model = std::make_unique<report::ResultModel>();
  viewer::ReadAllResults(*model, Folder().Files());
  const report::ReportFormat format = report::ReportFormatFor(kExtensions[state.range(0)]);
  for (auto _ : state) {
    std::string bytes = report::ReportBytes(format, *model, report::kEnglish, {});
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_ReportBytes)
    ->ArgName("html0_json1_csv2_txt3")
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond);

// The floor: writing the page's bytes once, the same way.
void BM_WriteSameBytesOnce(benchmark::State& state) {
  const BenchFolder& folder = Folder();
  auto model = std::make_unique<report::ResultModel>();
  viewer::ReadAllResults(*model, folder.Files());
  const std::string bytes =
      report::ReportBytes(report::ReportFormat::kHtml, *model, report::kEnglish, {});
  const std::string path = folder.Report(".floor.html");
  for (auto _ : state) {
    if (!platform::ReplaceFileContent(path, bytes)) state.SkipWithError("write failed");
  }
  state.counters["report_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_WriteSameBytesOnce)->Unit(benchmark::kMillisecond);

void BM_ListArchive(benchmark::State& state) {
  const std::string archive = Folder().Archive();
  std::size_t size = 0;
  for (auto _ : state) {
    const std::string listing = viewer::ArchiveListing(archive);
    size = listing.size();
    benchmark::DoNotOptimize(listing.data());
  }
  state.counters["listing_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_ListArchive)->Unit(benchmark::kMillisecond);

// The floor of the listing: visiting the 1,000 folders and reading each manifest's bytes once.
void BM_ReadManifestsOnce(benchmark::State& state) {
  const fs::path archive = Folder().Archive();
  for (auto _ : state) {
    std::size_t total = 0;
    for (const auto& entry : fs::directory_iterator(archive)) {
      std::ifstream file(entry.path() / viewer::kManifestFileName, std::ios::binary);
      const std::string bytes(std::istreambuf_iterator<char>(file), {});
      total += bytes.size();
    }
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_ReadManifestsOnce)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
