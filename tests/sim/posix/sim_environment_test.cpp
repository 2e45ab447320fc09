#include <gtest/gtest.h>
#include <stdlib.h>

#include "sim/sim_driver.h"

namespace {

TEST(SimDriverEnvironment, SelectedOnlyWhenTheVariableNamesAFile) {
  const char* saved = getenv(sim::kSimulatorVariable);
  const std::string old = saved ? saved : "";
  unsetenv(sim::kSimulatorVariable);
  EXPECT_EQ(sim::CreateDriverFromEnvironment(), nullptr);
  setenv(sim::kSimulatorVariable, "", 1);
  EXPECT_EQ(sim::CreateDriverFromEnvironment(), nullptr);
  setenv(sim::kSimulatorVariable, "tester.sim", 1);
  EXPECT_NE(sim::CreateDriverFromEnvironment(), nullptr);
  if (saved) {
    setenv(sim::kSimulatorVariable, old.c_str(), 1);
  } else {
    unsetenv(sim::kSimulatorVariable);
  }
}

}  // namespace
