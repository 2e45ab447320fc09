#include "platform/unattended_log.h"

#include <cstdio>
#include <cstdlib>

#include "platform/message_box.h"

namespace platform {

bool Unattended() { return std::getenv("HALVEN_UNATTENDED") != nullptr; }

void LogUnattendedBox(const std::string& text, const std::string& caption) {
  const char* path = std::getenv("HALVEN_UNATTENDED");
  if (path == nullptr || *path == '\0' || std::string(path) == "1") return;
  if (std::FILE* f = std::fopen(path, "ab")) {
    std::string entry = "[" + caption + "]\n" + text + "\n\n";
    std::fwrite(entry.data(), 1, entry.size(), f);
    std::fclose(f);
  }
}

}  // namespace platform
