// The one way the tool writes INI keys (Tr.ini, Results.log). A failed write shows the fixed box
// "Erreur écriture fichier résultat\nWrite result file error" and ends the process with status 1,
// so WriteKey returns only after a successful write.
#pragma once

#include <string>

namespace tool {

class ProfileWriter {
 public:
  void SetPath(std::string path) { path_ = std::move(path); }
  const std::string& path() const { return path_; }

  // Writes section/key = value into the current profile path; never returns on failure.
  void WriteKey(const std::string& section, const std::string& key, const std::string& value);

 private:
  std::string path_;
};

}  // namespace tool
