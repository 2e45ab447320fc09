#include "platform/file_lock.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/fakes/temp_folder.h"

namespace {

TEST(FileLockTest, OneHolderAtATimeAndFreeAgainOnRelease) {
  fakes::TempFolder folder;
  const std::string path = folder.File("Morvane.lock");
  platform::FileLock first, second;
  bool busy = true;
  ASSERT_TRUE(first.TryAcquire(path, busy));
  EXPECT_FALSE(busy);
  EXPECT_FALSE(second.TryAcquire(path, busy));
  EXPECT_TRUE(busy);
  first.Release();
  EXPECT_TRUE(second.TryAcquire(path, busy));
  {
    platform::FileLock third;
    EXPECT_FALSE(third.TryAcquire(path, busy));
  }
  second.Release();
  // A folder that does not exist is an error, not a busy lock.
  EXPECT_FALSE(first.TryAcquire(folder.File("no/Morvane.lock"), busy));
  EXPECT_FALSE(busy);
}

}  // namespace
