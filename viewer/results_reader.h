// Reads one upload's results into the ResultModel: the keys of configuration 0 from the results
// file (read and parsed once, then read with the rules of the Windows profile functions) and the
// acquisition curve from the acquisition image.
//
// The file is read by seven readers, each failing as soon as one of its keys is missing (the
// profile read gives "Erreur"); fields read before a missing key stay filled. Numbers are parsed
// with the C library's rules ("%x", "%d", "%i") on the value; a value without a leading number
// leaves its field unchanged.
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

// Clears the model and runs the seven readers in the order of an upload: header, configuration
// record, then wiring (Tests_Faisceau 1), signal titles and ECU records (Tests_Electriques 1),
// length (Test_Longueur 1; also fills the acquisition buffer: 0xFF bytes, then up to 57344 bytes
// of the acquisition image if it opens, its absence being no failure), screening (Test_Blindage
// 1). A failing reader does not stop the ones after it. Returns 0, or -1 when any reader failed.
int ReadAllResults(ResultModel& model, const ResultFiles& files = {});

}  // namespace viewer
