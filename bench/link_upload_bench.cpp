// A results upload against the simulated tester with no added latency (more than 1,000 blocks of
// 512 bytes), against the simplest equivalents: the same block exchanges made directly on the
// driver without the record protocol, and writing the four images' bytes once. The protocol's
// fixed pauses (start, set-up, information read) are recorded, not slept, so the figures are the
// tool's own time. A last benchmark measures the CPU time spent while a record's reply is awaited
// for the full 10 seconds.
#include <benchmark/benchmark.h>
#include <time.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "decoder/result_decoder.h"
#include "sim/sim_driver.h"
#include "sim/testersim_command.h"
#include "testerlink/driver_buffers.h"
#include "testerlink/record_protocol.h"
#include "testerlink/record_text.h"
#include "testerlink/tester_access.h"
#include "testerlink/transfer_job.h"
#include "testerlink/transfer_worker.h"
#include "tests/testerlink/english_messages.h"
#include "tool/status_display.h"

namespace {

// Results area read whole: 0x10000 bytes (128 blocks) with the configuration (128), menu (640) and
// acquisition (112) areas: 1,008 blocks.
constexpr std::uint32_t kResultsLength = 0x10000;
constexpr int kBlocks = 128 + 128 + 640 + 112;

class NullDisplay final : public tool::StatusDisplay {
 public:
  void ShowStatus(const std::string&) override {}
  void SetProgressRange(std::uint16_t, std::uint16_t) override {}
  void SetProgressPos(std::uint16_t) override {}
};

// The simulated tester with the protocol's pauses recorded instead of slept.
class NoPauseDriver final : public testerlink::Driver {
 public:
  explicit NoPauseDriver(const std::string& state) : sim_(state) {}
  std::uint32_t paused_ms = 0;

  bool CreateEvents() override { return sim_.CreateEvents(); }
  bool OpenEnumerator() override { return sim_.OpenEnumerator(); }
  bool RequestCount(std::span<std::uint8_t, testerlink::kCountBufferSize> b) override {
    return sim_.RequestCount(b);
  }
  bool RequestName(std::span<std::uint8_t, testerlink::kNameBufferSize> b) override {
    return sim_.RequestName(b);
  }
  void CloseEnumerator() override { sim_.CloseEnumerator(); }
  bool OpenInterface(const std::string& path) override { return sim_.OpenInterface(path); }
  bool RequestLinkSetup(std::span<std::uint8_t, testerlink::kSetupBufferSize> b) override {
    return sim_.RequestLinkSetup(b);
  }
  bool RequestEventRegistration(
      std::span<std::uint8_t, testerlink::kRegisterBufferSize> b) override {
    return sim_.RequestEventRegistration(b);
  }
  bool RequestReply(std::span<std::uint8_t, testerlink::kReplyBufferSize> b) override {
    return sim_.RequestReply(b);
  }
  bool Write(const std::uint8_t* bytes, std::uint32_t length) override {
    return sim_.Write(bytes, length);
  }
  bool Read(std::uint8_t* buffer, std::uint32_t size) override { return sim_.Read(buffer, size); }
  std::uint32_t ReplyEventValue() override { return sim_.ReplyEventValue(); }
  void ResetCompletionEvent() override { sim_.ResetCompletionEvent(); }
  void ResetReplyEvent() override { sim_.ResetReplyEvent(); }
  testerlink::Wait WaitCompletion(std::uint32_t ms) override { return sim_.WaitCompletion(ms); }
  testerlink::Wait WaitReply(std::uint32_t ms) override { return sim_.WaitReply(ms); }
  bool CompletedBytes(std::uint32_t* bytes) override { return sim_.CompletedBytes(bytes); }
  std::uint32_t LastError() override { return sim_.LastError(); }
  void CancelIo() override { sim_.CancelIo(); }
  void Pause(std::uint32_t ms) override { paused_ms += ms; }
  void CloseAll() override { sim_.CloseAll(); }

 private:
  sim::SimDriver sim_;
};

class Bench {
 public:
  Bench()
      : folder_(std::filesystem::temp_directory_path() /
                ("link_upload_bench_" + std::to_string(std::random_device()()))) {
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    Sim({"new", kState});
    // An information reply naming a full results area.
    std::string reply(64, '\0');
    reply.replace(0, 9, "Quarnetik");
    reply[20] = 3;
    auto put = [&](std::size_t at, std::uint32_t value, int width) {
      for (int i = 0; i < width; ++i) reply[at + i] = static_cast<char>(value >> (8 * i));
    };
    put(22, 0xF0000, 4);
    put(26, kResultsLength, 4);
    put(32, 4, 2);
    put(34, 0xD2000, 4);
    put(38, 0xE000, 2);
    std::ofstream("info.bin", std::ios::binary) << reply;
    Sim({"info", kState, "info.bin"});
  }
  ~Bench() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }
  static void Sim(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    if (sim::RunTesterSim(args, out, err) != 0) std::fprintf(stderr, "%s", err.str().c_str());
  }
  static constexpr const char* kState = "tester.state";

  // A job that talks to `driver` and shows nothing.
  void Wire(testerlink::TransferJob& job, testerlink::Driver& driver) {
    job.driver = &driver;
    job.display = &display_;
    job.messages = &messages_;
    job.convert_results = decoder::ConvertResults;
  }

 private:
  std::filesystem::path folder_, previous_;
  tool::MessageTable messages_ = linktest::EnglishMessages();
  NullDisplay display_;
};

void BM_ResultsUpload(benchmark::State& state) {
  Bench bench;
  std::uint32_t paused = 0;
  for (auto _ : state) {
    NoPauseDriver driver(Bench::kState);
    testerlink::TransferJob job;
    bench.Wire(job, driver);
    job.options = testerlink::kOptionResultsUpload;
    testerlink::TransferWorker(job);
    driver.CloseAll();
    if (job.result != 0) state.SkipWithError("upload failed");
    paused = driver.paused_ms;
  }
  state.counters["blocks"] = kBlocks;
  state.counters["us_per_block"] = benchmark::Counter(
      kBlocks, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["pauses_ms_not_slept"] = paused;
}
BENCHMARK(BM_ResultsUpload)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same block exchanges straight on the driver: write the request, wait, fetch, read.
void BM_BareBlockExchanges(benchmark::State& state) {
  Bench bench;
  const std::pair<std::uint32_t, std::uint32_t> areas[] = {
      {0xF0000, kResultsLength}, {0xE0000, 0xFFFF}, {0x819CA, 0x50000}, {0xD2000, 0xE000}};
  for (auto _ : state) {
    NoPauseDriver driver(Bench::kState);
    (void)driver.CreateEvents();
    (void)driver.OpenEnumerator();
    driver.CloseEnumerator();
    (void)driver.OpenInterface("\\\\.\\ZELUSB0");
    std::array<std::uint8_t, 513> block;
    std::array<std::uint8_t, testerlink::kReplyBufferSize> reply{};
    std::uint32_t bytes = 0;
    for (const auto& [address, length] : areas) {
      for (std::uint32_t offset = 0; offset < length; offset += 512) {
        std::string record =
            testerlink::BuildReadRequest(address + offset, std::min(512u, length - offset)) + "\r";
        driver.Write(reinterpret_cast<const std::uint8_t*>(record.data()),
                     static_cast<std::uint32_t>(record.size()));
        (void)driver.WaitCompletion(1000);
        (void)driver.WaitReply(10000);
        driver.RequestReply(reply);
        (void)driver.WaitCompletion(1000);
        driver.Read(block.data(), 513);
        (void)driver.WaitCompletion(1000);
        (void)driver.CompletedBytes(&bytes);
      }
    }
    driver.CloseAll();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["us_per_block"] = benchmark::Counter(
      kBlocks, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BareBlockExchanges)->Unit(benchmark::kMillisecond)->UseRealTime();

// Writing the four images' bytes once, as files.
void BM_WriteImagesOnce(benchmark::State& state) {
  Bench bench;
  const std::string results(kResultsLength, 'r'), cfg(0xFFFF, 'c'), menu(0x50000, 'm'),
      acq(0xE000, 'a');
  for (auto _ : state) {
    std::ofstream("ResBin.zel", std::ios::binary) << results;
    std::ofstream("CfgBin.zel", std::ios::binary) << cfg;
    std::ofstream("MenuBin.zel", std::ios::binary) << menu;
    std::ofstream("AcqBin.zel", std::ios::binary) << acq;
  }
}
BENCHMARK(BM_WriteImagesOnce)->Unit(benchmark::kMillisecond)->UseRealTime();

double ProcessCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// A record the tester never answers: SendRecord waits its 10 seconds for the notification.
void BM_TenSecondReplyWait(benchmark::State& state) {
  Bench bench;
  Bench::Sim({"fault", Bench::kState, "no-answer"});
  double cpu_ms = 0;
  for (auto _ : state) {
    NoPauseDriver driver(Bench::kState);
    testerlink::TransferJob job;
    bench.Wire(job, driver);
    if (!testerlink::OpenTester(job)) state.SkipWithError("open failed");
    double before = ProcessCpuMs();
    if (testerlink::SendRecord(job, testerlink::kInformationRecord, 1000, false)) {
      state.SkipWithError("answered");
    }
    cpu_ms = ProcessCpuMs() - before;
    driver.CloseAll();
  }
  state.counters["process_cpu_ms"] = cpu_ms;
}
BENCHMARK(BM_TenSecondReplyWait)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
