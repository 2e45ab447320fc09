// The manifest of an archived upload ("Manifest.txt"): one "key=value" line each for the date,
// the tester, its version, the configuration, the overall verdict, the language and the report,
// and one "file=NAME SIZE" line per archived file, so that a missing or cut file shows.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace viewer {

inline constexpr char kManifestFileName[] = "Manifest.txt";

struct UploadManifest {
  std::string date;           // the upload date of the results file, DD/MM/YYYY HH:MM:SS
  std::string archived;       // when the archive was written, YYYY-MM-DD HH:MM:SS (local time)
  std::string tester;         // Windows-1252, as in the version record
  std::string version;        // "3.2"
  std::string configuration;  // Windows-1252
  std::string verdict;        // "passed", "failed", "no_test_run"
  std::string language;       // "de", "en", "fr"
  std::string report;         // file name of the report in the folder
  std::vector<std::pair<std::string, std::uint64_t>> files;  // name and size in bytes
};

std::string ManifestText(const UploadManifest& manifest);

// False when a required key (date, tester, version, configuration, verdict) is missing, a line is
// longer than a manifest ever writes, or a file line is malformed or names a path.
bool ParseManifest(const std::string& text, UploadManifest& manifest);

}  // namespace viewer
