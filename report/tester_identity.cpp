#include "report/tester_identity.h"

namespace report {

std::string TesterIdentity::Version() const {
  if (!known) return {};
  return std::to_string(major) + "." + std::to_string(minor);
}

}  // namespace report
