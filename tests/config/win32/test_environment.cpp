#include <cstdlib>

#include "tests/config/test_folder.h"

namespace config_test {

// An empty value removes the variable.
void SetTestEnvironment(const std::string& name, const std::string& value) {
  _putenv_s(name.c_str(), value.c_str());
}

}  // namespace config_test
