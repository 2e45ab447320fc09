#include "tests/fakes/temp_folder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <system_error>

#include "tests/fakes/file_bytes.h"

namespace fakes {
namespace {

// The running test's name as a file name: letters, digits and '_' only (parameterised tests hold
// '/').
std::string TestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name =
      info ? std::string(info->test_suite_name()) + "_" + info->name() : std::string("folder");
  for (char& c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!plain) c = '_';
  }
  return name;
}

}  // namespace

TempFolder::TempFolder(Use use) {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() / (TestName() + "_" + std::to_string(counter++));
  std::error_code error;
  std::filesystem::remove_all(path_, error);
  std::filesystem::create_directories(path_, error);
  if (error) ADD_FAILURE() << "cannot create " << path_.string() << ": " << error.message();
  previous_current_ = std::filesystem::current_path();
  if (use == kCurrent) {
    std::filesystem::current_path(path_, error);
    if (error) ADD_FAILURE() << "cannot enter " << path_.string() << ": " << error.message();
  }
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Back out first: Windows does not remove the current folder.
  std::filesystem::current_path(previous_current_, ignored);
  if (!::testing::Test::HasFailure()) std::filesystem::remove_all(path_, ignored);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
  if (!WriteBytes(path_ / name, bytes)) ADD_FAILURE() << "cannot write " << File(name);
}

std::string TempFolder::Read(const std::string& name) const { return ReadBytes(path_ / name); }

}  // namespace fakes
