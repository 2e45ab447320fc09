#include <gtest/gtest.h>

#include "platform/process.h"

namespace {

// The Linux command line starts with the Windows program name in quotation marks.
TEST(CommandLine, StartsWithTheQuotedWindowsName) {
  std::string line = platform::CommandLine("Quillink.exe");
  EXPECT_EQ(line.rfind("\"Quillink.exe\"", 0), 0u) << line;
}

}  // namespace
