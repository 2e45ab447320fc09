// Who made the results: the tester's identity text and firmware version from the version record
// the tool leaves in "VersionTr.zel" (formats/version_record_format.h).
#pragma once

#include <string>

#include "report/tester_identity.h"

namespace viewer {

using report::TesterIdentity;

inline constexpr char kVersionFileName[] = "VersionTr.zel";

// Reads the version record at `path` (the programs' form, ".\VersionTr.zel").
TesterIdentity ReadTesterIdentity(const std::string& path);

// The same from the record's bytes.
TesterIdentity TesterIdentityFrom(const std::string& bytes);

}  // namespace viewer
