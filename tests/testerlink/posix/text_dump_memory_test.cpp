// A "-t" dump larger than the memory left must end with the out-of-memory message, not with an
// allocation failure on the worker thread. The child process runs under an address-space limit
// that the raw bytes fit and their text (about five times larger) does not.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "testerlink/record_protocol.h"
#include "tests/testerlink/link_fixture.h"

extern "C" void __asan_init() __attribute__((weak));

namespace testerlink {
namespace {

std::uint64_t MappedBytes();

class TextDumpMemoryTest : public linktest::LinkTest {
 protected:
  // In the child: the read under the limit; exit status 0 when it failed with the message.
  [[noreturn]] void ReadUnderLimit() {
    const rlim_t limit = MappedBytes() + (128u << 20);
    const rlimit cap = {limit, limit};
    if (setrlimit(RLIMIT_AS, &cap) != 0) std::_Exit(2);
    const bool ok = ReadMemory(job, false);
    std::_Exit(!ok && LastStatus() == "Error, not enough memory." ? 0 : 1);
  }
};

std::uint64_t MappedBytes() {
  std::ifstream statm("/proc/self/statm");
  std::uint64_t pages = 0;
  statm >> pages;
  return pages * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}

TEST_F(TextDumpMemoryTest, ADumpThatCannotBeHeldFailsWithNotEnoughMemory) {
  // The sanitizers map their own memory and treat a failed allocation as an error of their own.
  if (&__asan_init != nullptr) GTEST_SKIP() << "not under AddressSanitizer";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  job.file_name = (Folder() / "dump.txt").string();
  job.address = 0;
  job.length = 32 << 20;
  job.options = kOptionTextDump;
  EXPECT_EXIT(ReadUnderLimit(), testing::ExitedWithCode(0), "");
  EXPECT_FALSE(std::filesystem::exists(job.file_name));
}

}  // namespace
}  // namespace testerlink
