// Reads one upload's results into the ResultModel: the keys of configuration 0 from the results
// file (through the profile reader) and the acquisition curve from the acquisition image.
//
// Each reader returns 0, or -1 as soon as a key is missing (the profile reader returns "Erreur");
// fields read before a missing key stay filled. Numbers are parsed with the C library's rules
// ("%x", "%d", "%i") on the value; a value without a leading number leaves its field unchanged.
#pragma once

#include <string>

#include "formats/exchange_files.h"
#include "report/result_model.h"

namespace viewer {

// The model is the reports' (report/result_model.h); this reader fills it.
using report::ResultModel;

// The two files the readers use; the defaults are the names the tool writes, relative to the
// current directory.
struct ResultFiles {
  std::string results_log = formats::kResultsPath;
  std::string acquisition = std::string(".\\") + formats::kAcquisitionImage;
};

int ReadConfigurationHeader(ResultModel& model, const ResultFiles& files = {});
int ReadConfigurationRecord(ResultModel& model, const ResultFiles& files = {});
int ReadWiringTests(ResultModel& model, const ResultFiles& files = {});
int ReadSignalTitles(ResultModel& model, const ResultFiles& files = {});
int ReadEcuRecords(ResultModel& model, const ResultFiles& files = {});
// Also fills the acquisition buffer: 0xFF bytes, then up to 57344 bytes of the acquisition image
// if it opens (its absence is no failure).
int ReadLengthResults(ResultModel& model, const ResultFiles& files = {});
int ReadScreeningResults(ResultModel& model, const ResultFiles& files = {});

// Clears the model and runs the seven readers in the order of an upload: header, configuration
// record, then wiring (Tests_Faisceau 1), signal titles and ECU records (Tests_Electriques 1),
// length (Test_Longueur 1), screening (Test_Blindage 1). A failing reader does not stop the ones
// after it. Returns 0, or -1 when any reader failed.
int ReadAllResults(ResultModel& model, const ResultFiles& files = {});

}  // namespace viewer
