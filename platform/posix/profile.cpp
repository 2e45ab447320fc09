// The Windows profile functions' behaviour on Linux: each call reads and parses the whole file, as
// those functions do, and a write puts the whole file back through a temporary beside it.
#include "platform/profile.h"

#include <optional>

#include "platform/file_replace.h"
#include "platform/read_whole_file.h"
#include "profile/document.h"

namespace platform {
namespace {

// The document of the file at `path`: an empty one when there is no file (a folder counts as
// none, as it does for the Windows functions); nullopt when a file is there but cannot be read.
std::optional<profile::Document> Load(const std::string& path) {
  std::optional<std::string> text = ReadWholeFile(path);
  if (text) return profile::Document::Parse(*text);
  if (FileSize(path) >= 0) return std::nullopt;
  return profile::Document();
}

}  // namespace

bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) {
  std::optional<profile::Document> doc = Load(path);
  if (!doc) return false;
  std::optional<std::string> exact;
  // Unchanged: the Windows function leaves the file as it is and succeeds.
  if (!doc->Set(section, key, value, &exact)) return true;
  return ReplaceFileContent(path, exact ? *exact : doc->Emit());
}

std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& default_value, std::size_t buffer_size,
                              const std::string& path) {
  std::optional<profile::Document> doc = Load(path);
  return (doc ? *doc : profile::Document()).Read(section, key, default_value, buffer_size);
}

}  // namespace platform
