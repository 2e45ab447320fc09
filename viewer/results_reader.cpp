#include "viewer/results_reader.h"

namespace viewer {

int ReadConfigurationHeader(ResultModel&, const ResultFiles&) { return -1; }
int ReadConfigurationRecord(ResultModel&, const ResultFiles&) { return -1; }
int ReadWiringTests(ResultModel&, const ResultFiles&) { return -1; }
int ReadSignalTitles(ResultModel&, const ResultFiles&) { return -1; }
int ReadEcuRecords(ResultModel&, const ResultFiles&) { return -1; }
int ReadLengthResults(ResultModel&, const ResultFiles&) { return -1; }
int ReadScreeningResults(ResultModel&, const ResultFiles&) { return -1; }
int ReadAllResults(ResultModel& model, const ResultFiles&) {
  model.Clear();
  return -1;
}

}  // namespace viewer
