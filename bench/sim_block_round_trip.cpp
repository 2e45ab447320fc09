// Cost of one 512-byte block round trip against the simulated tester with no latency (read request
// written, acknowledgement waited for and fetched, data read), as the tool's memory read does it,
// against the simplest equivalent: copying the same block out of memory.
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "sim/record_text.h"
#include "sim/sim_driver.h"
#include "sim/state_file.h"

namespace {

bool Open(testerlink::Driver& d) {
  std::array<std::uint8_t, testerlink::kCountBufferSize> count{};
  std::array<std::uint8_t, testerlink::kNameBufferSize> name{};
  std::array<std::uint8_t, testerlink::kSetupBufferSize> setup{};
  std::array<std::uint8_t, testerlink::kRegisterBufferSize> reg{};
  const std::uint32_t value = d.ReplyEventValue();
  std::memcpy(reg.data(), &value, 4);
  return d.CreateEvents() && d.OpenEnumerator() && d.RequestCount(count) && d.RequestName(name) &&
         (d.CloseEnumerator(), d.OpenInterface("\\\\.\\ZELUSB0")) && d.RequestLinkSetup(setup) &&
         d.WaitCompletion(1000) == testerlink::Wait::kSignalled &&
         d.RequestEventRegistration(reg) && d.WaitCompletion(1000) == testerlink::Wait::kSignalled;
}

void BM_SimulatedBlockRoundTrip(benchmark::State& state) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "sim_block_round_trip.sim").string();
  std::string error;
  if (!sim::SaveStateFile(path, sim::NewTesterState(sim::Identity{}), &error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  sim::SimDriver d(path);
  if (!Open(d)) {
    state.SkipWithError("the simulated tester did not open");
    return;
  }
  std::vector<std::string> requests;
  for (std::uint32_t i = 0; i < 640; ++i)
    requests.push_back(sim::FormatReadRequest(0x819CA + 512 * i, 512) + "\r");
  std::array<std::uint8_t, testerlink::kReplyBufferSize> reply{};
  std::array<std::uint8_t, 513> block{};
  std::size_t i = 0;
  for (auto _ : state) {
    const std::string& r = requests[i++ % requests.size()];
    std::uint32_t bytes = 0;
    d.ResetCompletionEvent();
    d.ResetReplyEvent();
    d.Write(reinterpret_cast<const std::uint8_t*>(r.data()), static_cast<std::uint32_t>(r.size()));
    if (d.WaitCompletion(1000) != testerlink::Wait::kSignalled || !d.CompletedBytes(&bytes) ||
        d.WaitReply(10000) != testerlink::Wait::kSignalled) {
      state.SkipWithError("write or reply failed");
      break;
    }
    d.ResetCompletionEvent();
    d.RequestReply(reply);
    if (d.WaitCompletion(1000) != testerlink::Wait::kSignalled || !d.CompletedBytes(&bytes) ||
        reply[8] != 'O') {
      state.SkipWithError("reply fetch failed");
      break;
    }
    d.ResetCompletionEvent();
    d.Read(block.data(), static_cast<std::uint32_t>(block.size()));
    if (d.WaitCompletion(1000) != testerlink::Wait::kSignalled || !d.CompletedBytes(&bytes) ||
        bytes != 512) {
      state.SkipWithError("data read failed");
      break;
    }
    benchmark::DoNotOptimize(block.data());
  }
  d.CloseAll();
  std::filesystem::remove(path);
}
BENCHMARK(BM_SimulatedBlockRoundTrip);

void BM_CopyBlock(benchmark::State& state) {
  std::vector<std::uint8_t> memory(0x100000, 0xFF);
  std::array<std::uint8_t, 513> block{};
  std::size_t i = 0;
  for (auto _ : state) {
    std::memcpy(block.data(), memory.data() + 0x819CA + 512 * (i++ % 640), 512);
    benchmark::DoNotOptimize(block.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyBlock);

}  // namespace

BENCHMARK_MAIN();
