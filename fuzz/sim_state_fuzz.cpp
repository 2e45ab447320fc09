// Arbitrary bytes as a simulated tester's state file: the parser must refuse or accept without
// reading past the end, and what it accepts must serialize back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "sim/tester_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sim::TesterState state;
  std::string error;
  if (!sim::ParseState(std::span<const std::uint8_t>(data, size), &state, &error)) return 0;
  std::vector<std::uint8_t> again = sim::SerializeState(state);
  sim::TesterState reparsed;
  if (!sim::ParseState(again, &reparsed, &error) || reparsed.memory != state.memory ||
      reparsed.info != state.info || reparsed.faults != state.faults) {
    std::abort();
  }
  return 0;
}
