// The one way the tool writes INI keys (Tr.ini, Results.log). A failed write shows the fixed box
// "Erreur écriture fichier résultat\nWrite result file error" and ends the process with status 1,
// so WriteKey returns only after a successful write.
//
// Keys are written through the platform's deferred profile writes: the first key after a flush
// writes the file (an unwritable file fails there) and later keys are kept in memory until Flush,
// which writes the whole file once. Other processes see the keys only after Flush: call it when a
// file is complete (the result decoder after Results.log, the front end after its Tr.ini keys).
// SetPath to another path and the destructor flush as well. A failed flush shows the same box and
// ends the process with status 1.
#pragma once

#include <string>

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
};

}  // namespace tool
