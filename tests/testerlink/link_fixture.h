// A job wired to a scripted driver, the English messages and a recording status display.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "decoder/result_decoder.h"
#include "platform/environment.h"
#include "testerlink/transfer_job.h"
#include "tests/fakes/file_bytes.h"
#include "tests/fakes/recording_status_display.h"
#include "tests/fakes/scoped_unattended.h"
#include "tests/fakes/temp_folder.h"
#include "tests/testerlink/english_messages.h"
#include "tests/testerlink/scripted_driver.h"

namespace linktest {

using fakes::ScopedUnattended;

class LinkTest : public ::testing::Test {
 private:
  // Declared first, so that it goes last: the job may still hold one of its files.
  fakes::TempFolder folder_;

 protected:
  // With kCurrent the test's folder is also the current folder, for jobs that name their files
  // relative to it.
  explicit LinkTest(fakes::TempFolder::Use use = fakes::TempFolder::kApart) : folder_(use) {
    job.driver = &driver;
    job.display = &display;
    job.messages = &messages;
    job.convert_results = decoder::ConvertResults;
    job.state = testerlink::kStateRunning;
  }

  // The test's own folder for its files.
  const std::filesystem::path& Folder() const { return folder_.path(); }

  static std::string ReadFile(const std::filesystem::path& path) { return fakes::ReadBytes(path); }
  static void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    fakes::WriteBytes(path, bytes);
  }

  std::string LastStatus() const {
    auto texts = display.statuses();
    return texts.empty() ? std::string() : texts.back();
  }

  ScriptedDriver driver;
  fakes::RecordingStatusDisplay display;
  tool::MessageTable messages = EnglishMessages();
  testerlink::TransferJob job;
};

}  // namespace linktest
