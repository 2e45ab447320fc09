// Writing the tool's 43 messages for one language.
#include "viewer/translation_file.h"

#include <cstdint>
#include <string>

#include "formats/bytes.h"
#include "formats/translation_file_format.h"
#include "platform/file_replace.h"
#include "report/language_tables.h"

namespace viewer {

bool WriteTranslationFile(int language, const std::string& path) {
  if (language < 0 || language >= report::kLanguageCount) return false;
  // Written whole through a temporary: the tool must not load a cut table after a full disk.
  std::string bytes;
  for (int index = 0; index < report::kToolMessageCount; ++index) {
    const std::string& text = report::ToolMessage(language, index);
    // The count holds length - 1, so an empty or over-long text cannot be expressed.
    if (text.empty() || text.size() > formats::kTranslationMaxTextLength) return false;
    char count[formats::kTranslationCountSize];
    formats::WriteU16LE(reinterpret_cast<std::uint8_t*>(count),
                        formats::TranslationCount(text.size()));
    bytes.append(count, sizeof count);
    bytes += text;
  }
  return platform::ReplaceFileContent(path, bytes);
}

}  // namespace viewer
