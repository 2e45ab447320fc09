// Sets HALVEN_UNATTENDED (to "1": no log) for its lifetime, so that no box or dialog waits for a
// person, whoever runs the tests. A value set before is left as it was.
#pragma once

#include <cstdlib>

#include "platform/environment.h"

namespace fakes {

class ScopedUnattended {
 public:
  ScopedUnattended() {
    had_ = std::getenv("HALVEN_UNATTENDED") != nullptr;
    if (!had_) platform::SetEnvironmentValue("HALVEN_UNATTENDED", "1");
  }
  ~ScopedUnattended() {
    if (!had_) platform::SetEnvironmentValue("HALVEN_UNATTENDED", nullptr);
  }
  ScopedUnattended(const ScopedUnattended&) = delete;
  ScopedUnattended& operator=(const ScopedUnattended&) = delete;

 private:
  bool had_ = false;
};

}  // namespace fakes
