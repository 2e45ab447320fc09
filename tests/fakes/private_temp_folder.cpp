// Every test folder lies under the system's temporary folder; this gives each run of the test
// binary its own one, so that two runs at once (the native and the sanitizer build, say) never
// share a folder. Programs the tests start inherit it. It is removed after a run that passed and
// kept after a failure, for a look at what the failing test left.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "platform/environment.h"

namespace {

class PrivateTempFolder : public ::testing::Environment {
 public:
  void SetUp() override {
    std::random_device random;
    auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    folder_ = std::filesystem::temp_directory_path() /
              ("halven_tests_" + std::to_string(random() ^ static_cast<unsigned>(ticks)));
    std::filesystem::create_directories(folder_);
    // TMPDIR on Linux, TMP and TEMP on Windows: the places the temporary folder is taken from.
    for (const char* name : {"TMPDIR", "TMP", "TEMP"}) {
      if (!platform::SetEnvironmentValue(name, folder_.string().c_str())) {
        ADD_FAILURE() << "cannot set " << name;
      }
    }
  }

  void TearDown() override {
    if (!::testing::UnitTest::GetInstance()->Passed()) return;
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

 private:
  std::filesystem::path folder_;
};

[[maybe_unused]] const bool registered =
    (::testing::AddGlobalTestEnvironment(new PrivateTempFolder), true);

}  // namespace
