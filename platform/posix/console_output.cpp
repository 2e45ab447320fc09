#include "platform/console_output.h"

#include <cstdio>

#include "platform/text_encoding.h"

namespace platform {

bool PrintToConsole(const std::string& text) {
  const std::string shown = Cp1252ToUtf8(text);
  return std::fwrite(shown.data(), 1, shown.size(), stdout) == shown.size() &&
         std::fflush(stdout) == 0;
}

}  // namespace platform
