#include <cstdlib>

#include "tests/config/test_folder.h"

namespace config_test {

void SetTestEnvironment(const std::string& name, const std::string& value) {
  if (value.empty()) {
    unsetenv(name.c_str());
  } else {
    setenv(name.c_str(), value.c_str(), 1);
  }
}

}  // namespace config_test
