// The real programs side by side in a fresh program folder, talking to a simulated tester: the
// fixture of the end-to-end upload tests (the folder is current while a test runs; boxes are
// appended to a log outside it).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/process.h"
#include "tests/fakes/temp_folder.h"
#include "tests/viewer/upload_test_support.h"

namespace upload_test {

namespace fs = std::filesystem;

// The report without its second line, which holds the upload date.
inline std::string WithoutDate(const std::string& report) {
  std::size_t first = report.find("\r\n");
  std::size_t second = first == std::string::npos ? first : report.find("\r\n", first + 2);
  if (second == std::string::npos) return report;
  return report.substr(0, first + 2) + report.substr(second + 2);
}

class ProgramFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bin_ = fs::absolute(TEST_BIN_DIR);
    source_ = fs::absolute(TEST_SOURCE_DIR);
    windows_ = fs::exists(bin_ / "Morvane.exe");
    const std::string exe = windows_ ? ".exe" : "";
    morvane_ = windows_ ? "Morvane.exe" : "morvane";
    quillink_ = windows_ ? "Quillink.exe" : "quillink";
    testersim_ = "testersim" + exe;
    fs::copy_file(bin_ / morvane_, folder_.path() / morvane_);
    fs::copy_file(bin_ / quillink_, folder_.path() / quillink_);
    fs::copy_file(source_ / "samples" / "TransfertVersTR.zel",
                  folder_.path() / "TransfertVersTR.zel");
    Remember("HALVEN_UNATTENDED", boxes_);
    Remember("QUILLINK_SIMULATOR", folder_.File("tester.sim"));
    // The programs work in the current folder, the program folder, as a user starts them there.
    fs::current_path(folder_.path());
  }
  void TearDown() override {
    for (const auto& [name, value] : previous_) upload_test::SetEnvironment(name, value);
  }

  void Remember(const std::string& name, const std::string& value) {
    const char* previous = std::getenv(name.c_str());
    previous_.emplace_back(name, previous != nullptr ? previous : "");
    upload_test::SetEnvironment(name, value);
  }
  int Run(const fs::path& folder, const std::string& program, const std::string& arguments) {
    EXPECT_TRUE(platform::StartProgramAndWait(
        upload_test::CopiedProgramCommandLine(folder, program, arguments), folder.string()))
        << program << " " << arguments;
    return platform::LastProgramExitStatus();
  }
  // A tester loaded with the sample configuration, holding the results of its tests.
  void PrepareTester() {
    ASSERT_EQ(Run(bin_, testersim_, "new " + folder_.File("tester.sim")), 0);
    ASSERT_EQ(Run(folder_.path(), morvane_, "--language en --write-translation"), 0);
    Run(folder_.path(), quillink_, "ECRITURE");
    ASSERT_EQ(Run(bin_, testersim_,
                  "results " + folder_.File("tester.sim") +
                      " --all-pass --fail-ecu 2 --fail-wiring --length 37"),
              0);
  }

  fakes::TempFolder folder_;
  fakes::TempFolder elsewhere_;
  const std::string boxes_ = elsewhere_.File("boxes.log");
  fs::path bin_, source_;
  bool windows_ = false;
  std::string morvane_, quillink_, testersim_;
  std::vector<std::pair<std::string, std::string>> previous_;
};

}  // namespace upload_test
