// The one way the tool writes INI keys (Tr.ini, Results.log). A failed write shows the fixed box
// "Erreur écriture fichier résultat\nWrite result file error" and ends the process with status 1,
// so WriteKey returns only after a successful write.
//
// The first key after a flush is written by the system's function (platform/profile.h), so that
// an unwritable file fails there and an existing file is read as that function reads it; the
// writer then keeps the file's document (profile/document.h) and later keys change only that,
// until Flush writes the whole file once through a temporary beside it (writing key by key through
// the Windows functions re-reads and rewrites the whole file per key: 5 min 55 s for the largest
// Results.log under Wine). Other processes see the keys only after Flush: call it when a file is
// complete (the result decoder after Results.log, the front end after its Tr.ini keys). SetPath to
// another path and the destructor flush as well. A failed flush shows the same box and ends the
// process with status 1, leaving the file as the first key wrote it.
#pragma once

#include <optional>
#include <string>

#include "profile/document.h"

namespace tool {

// How keys reach the file. kEachKey writes every key at once through WriteProfileString, as a
// program calling the Windows function key by key would: the bytes the deferred writes must give,
// for tests and benches to compare with.
enum class KeyWrites { kDeferred, kEachKey };

// The fixed box of a failed profile write, then the end of the process with status 1: for callers
// that find a write failed after the profile functions reported success.
[[noreturn]] void FailProfileWrite();

class ProfileWriter {
 public:
  explicit ProfileWriter(KeyWrites mode = KeyWrites::kDeferred) : mode_(mode) {}
  ProfileWriter(const ProfileWriter&) = delete;
  ProfileWriter& operator=(const ProfileWriter&) = delete;
  ~ProfileWriter();

  // Flushes the keys written so far when `path` differs from the current path.
  void SetPath(std::string path);
  const std::string& path() const { return path_; }

  // Writes section/key = value into the current profile path; never returns on failure.
  void WriteKey(const std::string& section, const std::string& key, const std::string& value);

  // Puts every key written so far on disk; never returns on failure.
  void Flush();

 private:
  KeyWrites mode_;
  std::string path_;
  // The file's document since the first deferred key after the last flush.
  std::optional<profile::Document> doc_;
  // The whole text to write when the document cannot rebuild it (profile::Document::Set).
  std::optional<std::string> exact_text_;
  bool dirty_ = false;  // keys changed since the first one wrote the file
};

}  // namespace tool
