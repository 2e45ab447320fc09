// The tool's profile writer against the simplest equivalent: one write of the same final bytes.
// Keys come in the result decoder's order: about 250 sections, each receiving keys at its end in
// several rounds while the other sections follow it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tool/profile_writer.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSections = 250;
constexpr int kRounds = 4;

struct Key {
  std::string section, key, value;
};

std::vector<Key> DecoderOrder(int total) {
  std::vector<Key> keys;
  int per_round = total / (kSections * kRounds);
  for (int round = 0; round < kRounds; ++round) {
    for (int s = 0; s < kSections; ++s) {
      for (int k = 0; k < per_round; ++k) {
        int n = round * per_round + k;
        keys.push_back({"CfgRes" + std::to_string(s) + "_TESTHT",
                        "Etat_CC_L1/GND_" + std::to_string(n),
                        std::to_string(n * 37 % 1000) + ".5"});
      }
    }
  }
  return keys;
}

std::string BenchFile() { return (fs::temp_directory_path() / "halven_bench.ini").string(); }

void BM_ProfileWriter(benchmark::State& state) {
  std::vector<Key> keys = DecoderOrder(static_cast<int>(state.range(0)));
  std::string path = BenchFile();
  for (auto _ : state) {
    fs::remove(path);
    tool::ProfileWriter writer;
    writer.SetPath(path);
    for (const Key& k : keys) writer.WriteKey(k.section, k.key, k.value);
    writer.Flush();
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(path));
  state.counters["keys"] = static_cast<double>(keys.size());
}

// The floor: the final file's bytes written once.
void BM_WriteFinalBytesOnce(benchmark::State& state) {
  std::vector<Key> keys = DecoderOrder(static_cast<int>(state.range(0)));
  std::string path = BenchFile();
  {
    fs::remove(path);
    tool::ProfileWriter writer;
    writer.SetPath(path);
    for (const Key& k : keys) writer.WriteKey(k.section, k.key, k.value);
    writer.Flush();
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::string bytes = text.str();
  for (auto _ : state) {
    fs::remove(path);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  state.counters["bytes"] = static_cast<double>(bytes.size());
}

BENCHMARK(BM_ProfileWriter)->Arg(30000)->Arg(60000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFinalBytesOnce)->Arg(30000)->Arg(60000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
