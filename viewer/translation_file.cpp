// Writing the tool's 43 messages for one language.
#include "viewer/translation_file.h"

#include <cstdint>
#include <fstream>

#include "platform/native_path.h"
#include "viewer/language_tables.h"

namespace viewer {

bool WriteTranslationFile(int language, const std::string& path) {
  if (language < 0 || language >= kLanguageCount) return false;
  std::ofstream file(platform::NativePath(path), std::ios::binary | std::ios::trunc);
  if (!file) return false;
  for (int index = 0; index < kToolMessageCount; ++index) {
    const std::string& text = ToolMessage(language, index);
    // The count holds length - 1, so an empty or over-long text cannot be expressed.
    if (text.empty() || text.size() > 0x10000) return false;
    const std::uint16_t count = static_cast<std::uint16_t>(text.size() - 1);
    const char count_bytes[2] = {static_cast<char>(count & 0xFF), static_cast<char>(count >> 8)};
    file.write(count_bytes, 2);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  file.close();
  return !file.fail();
}

}  // namespace viewer
