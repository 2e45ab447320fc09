// Writing the tool's 43 messages for one language.
#include "viewer/translation_file.h"

#include <cstdint>
#include <string>

#include "platform/file_replace.h"
#include "viewer/language_tables.h"

namespace viewer {

bool WriteTranslationFile(int language, const std::string& path) {
  if (language < 0 || language >= kLanguageCount) return false;
  // Written whole through a temporary: the tool must not load a cut table after a full disk.
  std::string bytes;
  for (int index = 0; index < kToolMessageCount; ++index) {
    const std::string& text = ToolMessage(language, index);
    // The count holds length - 1, so an empty or over-long text cannot be expressed.
    if (text.empty() || text.size() > 0x10000) return false;
    const std::uint16_t count = static_cast<std::uint16_t>(text.size() - 1);
    const char count_bytes[2] = {static_cast<char>(count & 0xFF), static_cast<char>(count >> 8)};
    bytes.append(count_bytes, 2);
    bytes += text;
  }
  return platform::ReplaceFileContent(path, bytes);
}

}  // namespace viewer
