// Writing the tool's 43 messages for one language.
#include "viewer/translation_file.h"

#include <cstdint>
#include <fstream>

#include "formats/bytes.h"
#include "formats/translation_file_format.h"
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
    if (text.empty() || text.size() > formats::kTranslationMaxTextLength) return false;
    std::uint8_t count[formats::kTranslationCountSize];
    formats::WriteU16LE(count, formats::TranslationCount(text.size()));
    file.write(reinterpret_cast<const char*>(count), sizeof count);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  file.close();
  return !file.fail();
}

}  // namespace viewer
