#include "tests/e2e/quillink_fixture.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/environment.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "tests/fakes/file_bytes.h"
#include "tests/testerlink/english_messages.h"

namespace e2e {

std::string EnglishTranslationFile() {
  std::string bytes;
  for (int i = 0; i < tool::kMessageCount; ++i) {
    std::string message = linktest::kEnglishMessages[i];
    // The results application writes message 42 with its trailing blank; the tool trims it.
    if (i == 42) message += ' ';
    const std::size_t count = message.size() - 1;
    bytes.push_back(static_cast<char>(count & 0xFF));
    bytes.push_back(static_cast<char>(count >> 8));
    bytes += message;
  }
  return bytes;
}

void QuillinkRun::SetUp() {
  for (const char* name : {"HALVEN_UNATTENDED", "QUILLINK_SIMULATOR"}) {
    const char* value = std::getenv(name);
    saved_environment_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
  }
  ASSERT_TRUE(
      platform::SetEnvironmentValue("HALVEN_UNATTENDED", folder_.File("boxes.log").c_str()));
  ASSERT_TRUE(
      platform::SetEnvironmentValue("QUILLINK_SIMULATOR", folder_.File("tester.sim").c_str()));
}

void QuillinkRun::TearDown() {
  for (const auto& [name, value] : saved_environment_) {
    platform::SetEnvironmentValue(name.c_str(), value ? value->c_str() : nullptr);
  }
}

int QuillinkRun::RunQuillink(const std::string& arguments) {
  if (!platform::StartProgramAndWait("QuillinK.exe " + arguments, TEST_BIN_DIR)) return -1000;
  return platform::LastProgramExitStatus();
}

bool QuillinkRun::RunTestersim(const std::string& arguments) {
  return platform::StartProgramAndWait("testersim " + arguments, TEST_BIN_DIR) &&
         platform::LastProgramExitStatus() == 0;
}

void QuillinkRun::NewTester(const std::string& options) {
  ASSERT_TRUE(RunTestersim("new tester.sim" + options));
  ASSERT_TRUE(RunTestersim("trace tester.sim trace.log"));
}

// "> " lines of the trace, without the escapes of the carriage return and line feed.
std::vector<std::string> QuillinkRun::WrittenRecords() const {
  const std::string trace = ReadFile("trace.log");
  std::vector<std::string> records;
  std::size_t start = 0;
  while (start < trace.size()) {
    std::size_t end = trace.find("\r\n", start);
    if (end == std::string::npos) end = trace.size();
    std::string line = trace.substr(start, end - start);
    start = end + 2;
    if (line.rfind("> ", 0) != 0) continue;
    line = line.substr(2);
    for (const char* escape : {"\\r", "\\n"}) {
      for (std::size_t at; (at = line.find(escape)) != std::string::npos;) line.erase(at, 2);
    }
    records.push_back(line);
  }
  return records;
}

void QuillinkRun::WriteTranslationFile() { WriteFile("InfoTrfTR.zel", EnglishTranslationFile()); }

void QuillinkRun::WriteFile(const std::string& name, const std::string& bytes) {
  fakes::WriteBytes(folder_.path() / name, bytes);
}

std::string QuillinkRun::ReadFile(const std::string& name) const {
  return fakes::ReadBytes(folder_.path() / name);
}

bool QuillinkRun::Exists(const std::string& name) const {
  return std::filesystem::exists(folder_.path() / name);
}

std::string QuillinkRun::Profile(const std::string& name, const std::string& section,
                                 const std::string& key) const {
  return platform::ReadProfileString(section, key, "erreur", 256, folder_.File(name));
}

}  // namespace e2e
