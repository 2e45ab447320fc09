// A job wired to a scripted driver, the English messages and a recording status display.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "decoder/result_decoder.h"
#include "testerlink/transfer_job.h"
#include "platform/environment.h"
#include "tests/fakes/recording_status_display.h"
#include "tests/testerlink/english_messages.h"
#include "tests/testerlink/scripted_driver.h"

namespace linktest {

// Sets HALVEN_UNATTENDED (to "1": no log) for its lifetime, so that no box or dialog
// waits for a person, whoever runs the tests.
class ScopedUnattended {
 public:
  ScopedUnattended() {
    had_ = std::getenv("HALVEN_UNATTENDED") != nullptr;
    if (!had_) platform::SetEnvironmentValue("HALVEN_UNATTENDED", "1");
  }
  ~ScopedUnattended() {
    if (!had_) platform::SetEnvironmentValue("HALVEN_UNATTENDED", nullptr);
  }
  ScopedUnattended(const ScopedUnattended&) = delete;
  ScopedUnattended& operator=(const ScopedUnattended&) = delete;

 private:
  bool had_ = false;
};

class LinkTest : public ::testing::Test {
 protected:
  LinkTest() {
    job.driver = &driver;
    job.display = &display;
    job.messages = &messages;
    job.convert_results = decoder::ConvertResults;
    job.state = testerlink::kStateRunning;
  }

  // A fresh folder for the files of one test, unique to this run: other runs of the same tests
  // may be going on at the same time.
  std::filesystem::path Folder() {
    if (folder_.empty()) {
      const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
      std::random_device random;
      folder_ = std::filesystem::temp_directory_path() /
                (std::string("linktest_") + info->name() + "_" + std::to_string(random()) +
                 std::to_string(random()));
      std::filesystem::create_directories(folder_);
    }
    return folder_;
  }
  ~LinkTest() override {
    if (!folder_.empty()) {
      std::error_code ignored;
      std::filesystem::remove_all(folder_, ignored);
    }
  }

  static std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

  std::string LastStatus() const {
    auto texts = display.statuses();
    return texts.empty() ? std::string() : texts.back();
  }

  ScriptedDriver driver;
  fakes::RecordingStatusDisplay display;
  tool::MessageTable messages = EnglishMessages();
  testerlink::TransferJob job;

 private:
  std::filesystem::path folder_;
};

}  // namespace linktest
