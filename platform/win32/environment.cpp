// _putenv_s updates both the C runtime's copy (getenv) and the block child processes inherit.
#include "platform/environment.h"

#include <stdlib.h>

namespace platform {

bool SetEnvironmentValue(const char* name, const char* value) {
  return _putenv_s(name, value ? value : "") == 0;
}

}  // namespace platform
