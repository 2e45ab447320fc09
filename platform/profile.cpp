// The profile functions both builds share: arguments cut as the Windows functions see them, and
// the deferred writes, which keep a file's document in memory until the flush writes it once.
// Writing key by key through the Windows functions costs a read and a rewrite of the whole file
// per key (5 min 55 s for the largest Results.log under Wine).
#include "platform/profile.h"

#include <map>
#include <mutex>
#include <optional>
#include <string_view>

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
    auto it = deferred_files.find(path);
    if (it != deferred_files.end()) {
      return profile::ReadResult(it->second.doc.Get(section, key), default_value, buffer_size);
    }
  }
  return SystemReadProfileString(Cut(section), Cut(key), Cut(default_value), buffer_size, path);
}

bool WriteProfileStringDeferred(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& path) {
  std::lock_guard<std::mutex> lock(deferred_mutex);
  auto it = deferred_files.find(path);
  if (it != deferred_files.end()) {
    Deferred& file = it->second;
    if (file.doc.Set(section, key, value, &file.exact_text)) file.dirty = true;
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
  for (auto& [path, file] : deferred_files) {
    if (!file.dirty) {
      spare_document = std::move(file.doc);
      continue;
    }
    // Through a temporary beside the file: a full disk or a killed process never leaves a cut
    // file under the name, which a reader could take for a complete one.
    if (!ReplaceFileContent(path, file.exact_text ? *file.exact_text : file.doc.Emit())) ok = false;
    spare_document = std::move(file.doc);
  }
  deferred_files.clear();
  return ok;
}

}  // namespace platform
