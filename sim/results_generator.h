// Runs simulated tests on the configuration a tester holds and stores what a tester would: a
// chain of result records (one per configuration, tester addresses as links), a chain of ECU
// result records under each configuration of type 1, and the acquisition curve of the length
// test; then points the information reply at them.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "sim/tester_state.h"

namespace sim {

enum class TestKind { kWiring, kSignal, kScreening, kLength };

struct ResultOptions {
  std::uint32_t seed = 1;
  // By default each test fails now and then (about one time in five, chosen from the seed);
  // all_pass makes everything pass apart from the failures asked for below.
  bool all_pass = false;
  bool fail_wiring = false;           // a short circuit L1-GND in every configuration
  bool fail_screening = false;        // an open screen
  bool fail_length = false;           // the cable is longer than its maximum
  std::set<std::uint32_t> fail_ecus;  // ECU indexes (from 0) whose signal test fails
  std::set<TestKind> skipped;         // tests not run
  std::uint32_t length_m = 0;         // measured length in metres; 0: chosen from the seed
};

// False, with a reason, when the tester holds no configuration, when the configuration tree is
// damaged (a link or count that leads outside the configuration area) or when the results do not
// fit the results area. Nothing is changed then.
[[nodiscard]] bool GenerateResults(const ResultOptions& options, TesterState* state,
                                   std::string* error);

}  // namespace sim
