// Developer entry: reads the results of .\Results.log (and .\AcqBin.zel) as Morvane does after an
// upload, writes the English report to report.txt, and prints how long that took: the first time
// (one parse of the file) and once more.
#include <chrono>
#include <cstdio>

#include "report/language_tables.h"
#include "report/result_model.h"
#include "report/text_report_writer.h"
#include "viewer/results_reader.h"

int main() {
  for (const char* run : {"first", "again"}) {
    report::ResultModel model;
    const auto start = std::chrono::steady_clock::now();
    const int status = viewer::ReadAllResults(model);
    const auto read = std::chrono::steady_clock::now();
    std::FILE* out = std::fopen("report.txt", "wb");
    if (out == nullptr) return 1;
    const std::string bytes = report::TextReport(model, report::kEnglish);
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    const auto written = std::chrono::steady_clock::now();
    const std::chrono::duration<double, std::milli> reading = read - start,
                                                    writing = written - read;
    std::printf("ReadAllResults (%s): status %d, %.2f ms; report: %.2f ms\n", run, status,
                reading.count(), writing.count());
  }
  return 0;
}
