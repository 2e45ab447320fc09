// A fresh temporary folder made the current folder for the life of the object (tests of code that
// uses the programs' relative file names), then removed and the previous folder restored.
#pragma once

#include <filesystem>
#include <string>

#include "platform/process.h"

namespace fakes {

class ScopedCurrentFolder {
 public:
  explicit ScopedCurrentFolder(const std::string& name)
      : saved_(std::filesystem::current_path()),
        folder_(std::filesystem::temp_directory_path() / name) {
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    entered_ = platform::SetCurrentFolder(folder_.string());
  }
  ~ScopedCurrentFolder() {
    std::error_code ignored;
    std::filesystem::current_path(saved_, ignored);
    std::filesystem::remove_all(folder_, ignored);
  }
  ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
  ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

  bool entered() const { return entered_; }
  const std::filesystem::path& path() const { return folder_; }

 private:
  std::filesystem::path saved_, folder_;
  bool entered_ = false;
};

}  // namespace fakes
