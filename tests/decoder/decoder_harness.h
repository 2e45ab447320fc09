// A temporary working folder for decoder tests: the images are written there, Convert runs there,
// and message boxes are logged to a file there instead of waiting.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "decoder/result_decoder.h"
#include "platform/environment.h"
#include "platform/native_path.h"
#include "platform/profile.h"
#include "tests/decoder/image_fixture.h"
#include "tests/fakes/file_bytes.h"
#include "tests/fakes/recording_status_display.h"
#include "tests/fakes/temp_folder.h"
#include "tool/profile_writer.h"

namespace decoder_test {

class DecoderHarness : public ::testing::Test {
 protected:
  void SetUp() override {
    // The decoder works in the current folder.
    folder_.emplace(fakes::TempFolder::kCurrent);
    dir_ = folder_->path();
    const char* old = std::getenv("HALVEN_UNATTENDED");
    had_unattended_ = old != nullptr;
    if (had_unattended_) old_unattended_ = old;
    SetUnattended((dir_ / "boxes.txt").string().c_str());
  }
  void TearDown() override {
    SetUnattended(had_unattended_ ? old_unattended_.c_str() : nullptr);
    folder_.reset();
  }

  // Runs one conversion; refusal_ keeps the decoder's reason when it failed.
  bool Convert() {
    decoder::ResultDecoder decoder(writer_, display_);
    const bool converted = decoder.Convert();
    refusal_ = decoder.refusal();
    return converted;
  }

  static std::string ReadFile(const std::string& name) { return fakes::ReadBytes(name); }
  static void WriteFile(const std::string& name, const std::string& text) {
    fakes::WriteBytes(name, text);
  }
  // A value of Results.log, "Erreur" when absent (the reader's convention).
  static std::string Value(const std::string& section, const std::string& key) {
    return platform::ReadProfileString(section, key, "Erreur", 256,
                                       platform::NativePath(".\\Results.log"));
  }
  static std::string Resultat() {
    return platform::ReadProfileString("CheminFichier", "Resultat", "erreur", 256,
                                       platform::NativePath(".\\Tr.ini"));
  }
  std::string Boxes() const { return ReadFile((dir_ / "boxes.txt").string()); }

  std::filesystem::path dir_;
  tool::ProfileWriter writer_;
  fakes::RecordingStatusDisplay display_;
  std::string refusal_;

 private:
  static void SetUnattended(const char* value) {
    ASSERT_TRUE(platform::SetEnvironmentValue("HALVEN_UNATTENDED", value));
  }
  std::optional<fakes::TempFolder> folder_;
  bool had_unattended_ = false;
  std::string old_unattended_;
};

}  // namespace decoder_test
