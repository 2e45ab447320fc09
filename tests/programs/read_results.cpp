// Developer entry: reads the results of .\Results.log (and .\AcqBin.zel) as Morvane does after an
// upload, writes the English report to report.txt, and prints how long that took: the first time
// (one parse of the file) and once more.
#include <chrono>
#include <cstdio>

#include "viewer/language_tables.h"
#include "viewer/report_writer.h"
#include "viewer/result_model.h"
#include "viewer/results_reader.h"

int main() {
  for (const char* run : {"first", "again"}) {
    viewer::ResultModel model;
    const auto start = std::chrono::steady_clock::now();
    const int status = viewer::ReadAllResults(model);
    const auto read = std::chrono::steady_clock::now();
    std::FILE* report = std::fopen("report.txt", "wb");
    if (report == nullptr) return 1;
    viewer::WriteReport(model, viewer::kEnglish, report);
    std::fclose(report);
    const auto written = std::chrono::steady_clock::now();
    const std::chrono::duration<double, std::milli> reading = read - start,
                                                    writing = written - read;
    std::printf("ReadAllResults (%s): status %d, %.2f ms; report: %.2f ms\n", run, status,
                reading.count(), writing.count());
  }
  return 0;
}
