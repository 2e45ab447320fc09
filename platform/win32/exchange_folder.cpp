#include "platform/exchange_folder.h"

namespace platform {

// The installer puts the programs in the user's own programs folder, which the user can write.
std::string ExchangeFolder(const std::string& program_folder) { return program_folder; }

bool FindExchangeFolder(const std::string& program_folder, std::string& folder, std::string&) {
  folder = program_folder;
  return true;
}

}  // namespace platform
