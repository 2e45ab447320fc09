// The input of the results fuzz targets as the two files Morvane reads: the bytes before the first
// NUL are the results file, those after it the acquisition image, both written into a folder of
// this process under /tmp. Returns nullopt when the folder cannot be made.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

#include "viewer/results_reader.h"

namespace fuzz {

inline std::optional<viewer::ResultFiles> WriteResultFiles(const char* target,
                                                           const std::string& input) {
  static const std::string folder = "/tmp/" + std::string(target) + "_" + std::to_string(getpid());
  static const bool made = [] {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return !error;
  }();
  if (!made) return std::nullopt;
  const std::size_t split = input.find('\0');
  viewer::ResultFiles files{folder + "/Results.log", folder + "/AcqBin.zel"};
  std::ofstream(files.results_log, std::ios::binary) << input.substr(0, split);
  std::ofstream acquisition(files.acquisition, std::ios::binary);
  if (split != std::string::npos) acquisition << input.substr(split + 1);
  return files;
}

}  // namespace fuzz
