#include "quillink/argument_text.h"

#include <cstdint>

namespace quillink {

std::string ArgumentText(std::string_view command_line) {
  const std::int64_t length = static_cast<std::int64_t>(command_line.size());
  const std::size_t found = command_line.find(kProgramName);
  const std::int64_t position =
      found == std::string_view::npos ? -1 : static_cast<std::int64_t>(found);
  const std::int64_t count = length - position - static_cast<std::int64_t>(kProgramName.size()) - 2;
  if (count <= 0) return {};
  if (count >= length) return std::string(command_line);
  return std::string(command_line.substr(static_cast<std::size_t>(length - count)));
}

}  // namespace quillink
