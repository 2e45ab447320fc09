// Test helpers for code that works on files: a fresh temporary folder made the current directory
// for the test's life, whole-file reads, and setting environment variables (per platform).
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace config_test {

// Sets (or, with an empty value, removes) an environment variable of this process.
void SetTestEnvironment(const std::string& name, const std::string& value);

inline std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A new empty folder under the system's temporary folder, made the current directory; the old
// current directory comes back and the folder is removed when the object goes.
class CurrentTestFolder {
 public:
  CurrentTestFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("menucfg_test_" + std::to_string(stamp) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
  }
  ~CurrentTestFolder() {
    std::error_code error;
    std::filesystem::current_path(previous_, error);
    std::filesystem::remove_all(path_, error);
  }
  CurrentTestFolder(const CurrentTestFolder&) = delete;
  CurrentTestFolder& operator=(const CurrentTestFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_, previous_;
};

}  // namespace config_test
