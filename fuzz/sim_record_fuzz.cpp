// Arbitrary bytes written to the simulated tester's firmware as one record: it must answer without
// touching memory outside its 1 MiB, and leave pending data only within the read limit.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "formats/memory_map.h"
#include "sim/firmware.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static sim::TesterState state = sim::NewTesterState(sim::Identity{});
  static sim::Firmware firmware(&state);
  // Split the input at carriage returns, as a session of several records.
  std::size_t start = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] != '\r') continue;
    sim::RecordOutcome outcome =
        firmware.HandleRecord(std::span<const std::uint8_t>(data + start, i + 1 - start));
    if (outcome.reply.kind != 'O' && outcome.reply.kind != 'K') std::abort();
    if (firmware.PendingData().size() > formats::kInfoCapacity) std::abort();
    start = i + 1;
  }
  if (state.memory.size() != 0x100000) std::abort();
  return 0;
}
