#include "tests/fakes/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// Every file test leans on this: a folder of its own, entered and left, gone afterwards.
TEST(TempFolder, EntersLeavesAndRemovesItsOwnFolder) {
  const fs::path start = fs::current_path();
  fs::path entered, apart;
  {
    fakes::TempFolder current(fakes::TempFolder::kCurrent);
    fakes::TempFolder other;
    entered = current.path();
    apart = other.path();
    EXPECT_NE(entered, apart);
    EXPECT_TRUE(fs::equivalent(fs::current_path(), entered));
    current.Write("a.bin", std::string("x\0y", 3));
    EXPECT_EQ(other.Read("missing"), "");
    EXPECT_EQ(current.Read("a.bin"), std::string("x\0y", 3));
    fs::create_directories(entered / "sub" / "deeper");
  }
  EXPECT_TRUE(fs::equivalent(fs::current_path(), start));
  EXPECT_FALSE(fs::exists(entered));
  EXPECT_FALSE(fs::exists(apart));
}

}  // namespace
