// Decoding the largest consistent image set that fits the areas into Results.log, against the
// simplest equivalent: writing the same Results.log bytes with one write.
//
// The set: 255 type-1 configurations with all four tests run, four ECUs each with their signal
// results, and as many frames as still fit the configuration image. The counter "allocs" is the
// number of heap allocations per conversion (the decoder's own areas are allocated once, outside).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <random>
#include <sstream>
#include <string>

#include "decoder/result_decoder.h"
#include "tests/decoder/image_fixture.h"
#include "tests/decoder/largest_image_set.h"
#include "tool/profile_writer.h"
#include "tool/status_display.h"

namespace {

std::atomic<long> g_allocations{0};

class NullDisplay final : public tool::StatusDisplay {
 public:
  void ShowStatus(const std::string&) override {}
  void SetProgressRange(std::uint16_t, std::uint16_t) override {}
  void SetProgressPos(std::uint16_t) override {}
};

// Moves into a fresh folder holding the images for the whole run.
const std::filesystem::path& Folder() {
  static const std::filesystem::path dir = [] {
    auto path = std::filesystem::temp_directory_path() /
                ("result_decoder_bench_" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(path);
    std::filesystem::current_path(path);
    decoder_test::Build(decoder_test::LargestImageSet()).Write(path);
    return path;
  }();
  return dir;
}

void BM_Convert(benchmark::State& state) {
  Folder();
  tool::ProfileWriter writer;
  NullDisplay display;
  decoder::ResultDecoder decoder(writer, display);
  long allocations = 0;
  for (auto _ : state) {
    const long before = g_allocations.load();
    if (!decoder.Convert()) state.SkipWithError("Convert failed");
    allocations = g_allocations.load() - before;
  }
  const auto size = std::filesystem::file_size("Results.log");
  state.counters["bytes"] = static_cast<double>(size);
  state.counters["allocs"] = static_cast<double>(allocations);
  std::uint64_t keys = 0;
  if (decoder.CheckImages(&keys)) state.counters["keys"] = static_cast<double>(keys);
}
BENCHMARK(BM_Convert)->Unit(benchmark::kMillisecond);

// The decoder's own walk over the same images, without writing: checks every chain.
void BM_CheckImages(benchmark::State& state) {
  Folder();
  tool::ProfileWriter writer;
  NullDisplay display;
  decoder::ResultDecoder decoder(writer, display);
  if (!decoder.LoadImages()) state.SkipWithError("LoadImages failed");
  long allocations = 0;
  for (auto _ : state) {
    const long before = g_allocations.load();
    std::uint64_t keys = 0;
    if (!decoder.CheckImages(&keys)) state.SkipWithError("inconsistent");
    allocations = g_allocations.load() - before;
  }
  state.counters["allocs"] = static_cast<double>(allocations);
}
BENCHMARK(BM_CheckImages)->Unit(benchmark::kMillisecond);

void BM_OneWriteOfTheSameBytes(benchmark::State& state) {
  Folder();
  std::string bytes;
  {
    std::ifstream file("Results.log", std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    bytes = text.str();
  }
  if (bytes.empty()) state.SkipWithError("run BM_Convert first");
  for (auto _ : state) {
    std::ofstream file("Copy.log", std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_OneWriteOfTheSameBytes)->Unit(benchmark::kMillisecond);

}  // namespace

void* operator new(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  std::abort();
}
// Through a pointer, so that the compiler does not take free() here for a mismatch with new.
void (*volatile g_free)(void*) = std::free;
void operator delete(void* p) noexcept { g_free(p); }
void operator delete(void* p, std::size_t) noexcept { g_free(p); }

BENCHMARK_MAIN();
