// Developer entry: reads the results of .\Results.log (and .\AcqBin.zel) as Morvane does after an
// upload and prints how long that took, the first time (one parse of the file) and once more.
#include <chrono>
#include <cstdio>

#include "viewer/result_model.h"
#include "viewer/results_reader.h"

int main() {
  for (const char* run : {"first", "again"}) {
    viewer::ResultModel model;
    const auto start = std::chrono::steady_clock::now();
    const int status = viewer::ReadAllResults(model);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::printf("ReadAllResults (%s): status %d, %.2f ms\n", run, status, took.count());
  }
  return 0;
}
