#include "platform/profile_rules.h"

namespace platform::profile {

std::string ReadResult(std::optional<std::string_view> found, std::string_view default_value,
                       std::size_t buffer_size) {
  if (buffer_size == 0) return std::string();
  std::string_view text;
  if (found) {
    text = *found;
  } else {
    text = UpToZero(default_value);
    while (text.size() > 1 && text.back() == ' ') text.remove_suffix(1);
  }
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
      text.back() == text.front()) {
    text = text.substr(1, text.size() - 2);
  }
  return std::string(text.substr(0, buffer_size - 1));
}

}  // namespace platform::profile
