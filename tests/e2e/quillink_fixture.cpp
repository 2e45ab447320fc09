#include "tests/e2e/quillink_fixture.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/environment.h"
#include "platform/process.h"
#include "platform/profile.h"

namespace e2e {

const char* const kEnglishToolMessages[43] = {
    "Upload of the results.",
    "No USB peripherical.",
    "===== OK ===== \nPlease close the window!",
    "Error communication USB (code:B1)",
    "More than one peripherical detected.\nConnect only one peripherical .",
    "Error communication USB (Code: B2).",
    "Error communication USB (Code: B3).",
    "Error communication USB (Code: B4).",
    "Error communication USB (Code: B5).",
    "Error communication USB (Code: B6).",
    "Error communication USB (Code: B7).",
    "Error communication USB (Code: B8).",
    "Error communication USB (Code: B9).",
    "Error communication USB (Code: B10).",
    "Write USB error (Time Out).",
    "Write USB error.",
    "Write USB error (invalid size).",
    "Error, no response.",
    "Error communication USB (Code: A1).",
    "Error communication USB (Code: A2).",
    "Error,acknowledge  invalid.",
    "Error communication USB (Code: C0).",
    "Error, not enough memory.",
    "Read USB error (Time Out).",
    "Read USB error.",
    "Error bad sequence (K-%02X).",
    "Error bad sequence (no error code).",
    "Send sequence read (%d/%d).",
    "packet size error (%d).",
    "Write target file in progress...",
    "Error open file.",
    "Send general information sequence.",
    "Bad format file.",
    "Sequence sending.",
    "Send BOOT erase sequence.\nPlease wait...",
    "Send APPLICATION erase sequence.\nPlease wait...",
    "Send DATA erase sequence.\nPlease wait...",
    "Stop USB communication.",
    "Unknown sequence.",
    "Send data line (%d)",
    "Error, invalid size data (%d).",
    "Read download file error.",
    "No result in HALVEN TESTER. ",
};

std::string TranslationFileBytes(const char* const (&messages)[43]) {
  std::string bytes;
  for (const char* text : messages) {
    const std::string message(text);
    const std::size_t count = message.size() - 1;
    bytes.push_back(static_cast<char>(count & 0xFF));
    bytes.push_back(static_cast<char>(count >> 8));
    bytes += message;
  }
  return bytes;
}

void QuillinkRun::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  folder_ = std::filesystem::temp_directory_path() /
            (std::string("quillink_e2e_") + info->test_suite_name() + "_" + info->name());
  std::filesystem::remove_all(folder_);
  std::filesystem::create_directories(folder_);
  previous_folder_ = std::filesystem::current_path();
  std::filesystem::current_path(folder_);
  ASSERT_TRUE(
      platform::SetEnvironmentValue("HALVEN_UNATTENDED", (folder_ / "boxes.log").string().c_str()));
  ASSERT_TRUE(platform::SetEnvironmentValue("QUILLINK_SIMULATOR",
                                            (folder_ / "tester.sim").string().c_str()));
}

void QuillinkRun::TearDown() {
  platform::SetEnvironmentValue("QUILLINK_SIMULATOR", nullptr);
  platform::SetEnvironmentValue("HALVEN_UNATTENDED", nullptr);
  std::filesystem::current_path(previous_folder_);
  std::error_code ignored;
  if (!HasFailure()) std::filesystem::remove_all(folder_, ignored);
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

void QuillinkRun::WriteTranslationFile() {
  WriteFile("InfoTrfTR.zel", TranslationFileBytes(kEnglishToolMessages));
}

void QuillinkRun::WriteFile(const std::string& name, const std::string& bytes) {
  std::ofstream out(folder_ / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string QuillinkRun::ReadFile(const std::string& name) const {
  std::ifstream in(folder_ / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool QuillinkRun::Exists(const std::string& name) const {
  return std::filesystem::exists(folder_ / name);
}

std::string QuillinkRun::Profile(const std::string& name, const std::string& section,
                                 const std::string& key) const {
  return platform::ReadProfileString(section, key, "erreur", 256, (folder_ / name).string());
}

}  // namespace e2e
