// Who made the results: the tester's identity text and firmware version from the version record
// the tool leaves in "VersionTr.zel" (formats/version_record_format.h).
#pragma once

#include <string>

namespace viewer {

inline constexpr char kVersionFileName[] = "VersionTr.zel";

struct TesterIdentity {
  bool known = false;  // the record reached the version bytes
  std::string name;    // Windows-1252
  int major = 0;
  int minor = 0;

  std::string Version() const;  // "3.2"; "" when not known
};

// Reads the version record at `path` (the programs' form, ".\VersionTr.zel").
TesterIdentity ReadTesterIdentity(const std::string& path);

// The same from the record's bytes.
TesterIdentity TesterIdentityFrom(const std::string& bytes);

}  // namespace viewer
