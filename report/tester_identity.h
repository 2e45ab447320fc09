// Who made the results, as the reports name it: the tester's identity text and firmware version
// (Morvane reads them from the version record the tool leaves beside the results).
#pragma once

#include <string>

namespace report {

struct TesterIdentity {
  bool known = false;  // the version record held the bytes read
  std::string name;    // Windows-1252
  int major = 0;
  int minor = 0;

  std::string Version() const;  // "3.2"; "" when not known
};

}  // namespace report
