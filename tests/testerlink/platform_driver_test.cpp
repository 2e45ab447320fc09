// The platform's own driver on a machine without the tester's driver: the tool reports no device.
#include <gtest/gtest.h>

#include "testerlink/driver.h"
#include "testerlink/tester_access.h"
#include "tests/testerlink/link_fixture.h"

namespace testerlink {
namespace {

class PlatformDriverTest : public linktest::LinkTest {};

TEST_F(PlatformDriverTest, NoDriverInstalledMeansNoDevice) {
  std::unique_ptr<Driver> platform = CreatePlatformDriver();
  job.driver = platform.get();
  EXPECT_FALSE(OpenTester(job));
  EXPECT_EQ(job.result, 1);
  EXPECT_EQ(LastStatus(), "No USB peripherical.");
  platform->CloseAll();
  platform->CloseAll();  // closing twice is harmless
}

}  // namespace
}  // namespace testerlink
