// End-to-end runs of the built quillink (Quillink.exe under Wine) against the simulated tester:
// each test gets its own temporary folder as the current directory, a simulator state file in it
// and the unattended box log, so that no box or dialog waits.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/fakes/temp_folder.h"

namespace e2e {

// "InfoTrfTR.zel" in English as the results application writes it: per message a 16-bit count
// (length - 1), then the text.
std::string EnglishTranslationFile();

class QuillinkRun : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs the tool with `arguments` the way the results application starts it ("QuillinK.exe "
  // and the arguments); returns its exit status, or -1000 when it could not be started.
  int RunQuillink(const std::string& arguments);
  // Runs testersim with `arguments` on this test's state file (the file name is added after the
  // subcommand by the caller, as "tester.sim"); true when it exited with 0.
  bool RunTestersim(const std::string& arguments);

  // A fresh simulated tester ("testersim new" with `options`) tracing to "trace.log".
  void NewTester(const std::string& options = "");
  // The records the tool wrote to the tester, from the trace (line ends removed).
  std::vector<std::string> WrittenRecords() const;

  void WriteTranslationFile();
  void WriteFile(const std::string& name, const std::string& bytes);
  std::string ReadFile(const std::string& name) const;
  bool Exists(const std::string& name) const;
  // [section] key of the profile file `name` in the test folder, "erreur" when absent.
  std::string Profile(const std::string& name, const std::string& section,
                      const std::string& key) const;
  std::string TrIni(const std::string& section, const std::string& key) const {
    return Profile("Tr.ini", section, key);
  }
  // The boxes shown so far ("[caption]\ntext\n\n" each).
  std::string Boxes() const { return ReadFile("boxes.log"); }

  fakes::TempFolder folder_{fakes::TempFolder::kCurrent};
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_environment_;
};

}  // namespace e2e
