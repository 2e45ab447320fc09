// The profile functions both builds share: arguments cut as the Windows functions see them, and
// the deferred writes, which keep a file's document in memory until the flush writes it once.
// Writing key by key through the Windows functions costs a read and a rewrite of the whole file
// per key (5 min 55 s for the largest Results.log under Wine).
#include "platform/profile.h"

#include <map>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/file_replace.h"
#include "platform/profile_document.h"
#include "platform/profile_rules.h"
#include "platform/read_whole_file.h"
#include "platform/system_profile.h"

namespace platform {
namespace {

std::string Cut(const std::string& text) { return std::string(profile::UpToZero(text)); }

// A file with deferred keys since the last flush, by the path its writer gave.
struct Deferred {
  profile::Document doc;
  std::optional<std::string> exact_text;  // the whole text when the document cannot rebuild it
  bool dirty = false;                     // changes since the file was last written
};

std::mutex deferred_mutex;
std::map<std::string, Deferred, std::less<>> deferred_files;
// The file of the last deferred write: keys come by the ten thousand to one file, and a look-up by
// path per key cost 15% of a conversion.
const std::string* last_path = nullptr;
Deferred* last_file = nullptr;

Deferred* FindDeferred(const std::string& path) {
  if (last_file == nullptr || *last_path != path) {
    auto it = deferred_files.find(path);
    if (it == deferred_files.end()) return nullptr;
    last_path = &it->first;
    last_file = &it->second;
  }
  return last_file;
}

// The memory of the last flushed document, for the next file: a results file written again and
// again (a new upload, a bench) then costs no fresh pages (BM_Convert: 8.6 ms of CPU with fresh
// documents, against 6.0 ms before the document was shared).
profile::Document spare_document;

}  // namespace

bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) {
  return SystemWriteProfileString(Cut(section), Cut(key), Cut(value), path);
}

std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& default_value, std::size_t buffer_size,
                              const std::string& path) {
  {
    std::lock_guard<std::mutex> lock(deferred_mutex);
    if (const Deferred* file = FindDeferred(path)) {
      return profile::ReadResult(file->doc.Get(section, key), default_value, buffer_size);
    }
  }
  return SystemReadProfileString(Cut(section), Cut(key), Cut(default_value), buffer_size, path);
}

bool WriteProfileStringDeferred(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& path) {
  std::lock_guard<std::mutex> lock(deferred_mutex);
  if (Deferred* file = FindDeferred(path)) {
    if (file->doc.Set(section, key, value, &file->exact_text)) file->dirty = true;
    return true;
  }
  // The first key goes through the platform's function, so that an unwritable file fails at once
  // and an existing file is read as that function reads it. The document then starts from what
  // its next call would read.
  if (!WriteProfileString(section, key, value, path)) return false;
  std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return false;
  Deferred& file = deferred_files[path];
  file.doc = std::move(spare_document);
  file.doc.Assign(*text);
  return true;
}

bool FlushProfileWrites() {
  std::lock_guard<std::mutex> lock(deferred_mutex);
  bool ok = true;
  std::vector<std::string_view> pieces;
  for (auto& [path, file] : deferred_files) {
    if (!file.dirty) {
      spare_document = std::move(file.doc);
      continue;
    }
    // Through a temporary beside the file: a full disk or a killed process never leaves a cut
    // file under the name, which a reader could take for a complete one.
    // The document's pieces go out as they are: copying the text whole first cost a fresh
    // 843 KB buffer per flush of the largest results file.
    if (file.exact_text) {
      pieces.assign(1, *file.exact_text);
    } else {
      file.doc.Pieces(&pieces);
    }
    if (!ReplaceFileContent(path, pieces)) ok = false;
    spare_document = std::move(file.doc);
  }
  deferred_files.clear();
  last_path = nullptr;
  last_file = nullptr;
  return ok;
}

}  // namespace platform
