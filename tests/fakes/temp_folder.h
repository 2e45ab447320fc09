// A fresh folder for one test under the run's private temporary folder (private_temp_folder.cpp),
// optionally made the current folder. When the object goes, the current folder of its creation
// comes back (whoever changed it: the upload flow moves to its program folder) and the folder is
// removed with everything in it, unless the test has failed: then it stays for a look, like the
// run's folder.
#pragma once

#include <filesystem>
#include <string>

namespace fakes {

class TempFolder {
 public:
  enum Use { kApart, kCurrent };

  // Named after the running test and a counter, so that two folders of one test never meet.
  explicit TempFolder(Use use = kApart);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of `name` inside the folder.
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  // Whole-file access to `name` inside the folder; Read gives "" for a missing file.
  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_current_;
};

}  // namespace fakes
