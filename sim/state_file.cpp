#include "sim/state_file.h"

#include <chrono>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/error_text.h"
#include "platform/file_replace.h"
#include "platform/read_whole_file.h"

namespace sim {
namespace {

// A state holds at most the whole memory plus a few kilobytes of fields.
constexpr std::size_t kMaxStateFileSize = 2 * 1024 * 1024;

}  // namespace

bool LoadStateFile(const std::string& path, TesterState* state, std::string* error) {
  // One byte more than a state may hold, to tell a file that is too large.
  const std::optional<std::string> bytes = platform::ReadWholeFile(path, kMaxStateFileSize + 1);
  if (!bytes) {
    *error = "cannot open the state file " + path;
    return false;
  }
  if (bytes->size() > kMaxStateFileSize) {
    *error = "the state file " + path + " is too large to be a simulated tester";
    return false;
  }
  std::string reason;
  const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes->data()),
                                           bytes->size());
  if (!ParseState(data, state, &reason)) {
    *error = "the state file " + path + " is damaged: " + reason;
    return false;
  }
  return true;
}

bool SaveStateFile(const std::string& path, const TesterState& state, std::string* error) {
  const std::vector<std::uint8_t> data = SerializeState(state);
  const std::string_view bytes(reinterpret_cast<const char*>(data.data()), data.size());
  // On Windows a reader that has the file open blocks the rename for a moment: try again briefly.
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (platform::ReplaceFileContent(path, bytes)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  *error = "cannot write the state file " + path + ": " + platform::LastErrorText();
  return false;
}

}  // namespace sim
