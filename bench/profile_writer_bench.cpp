// The tool's profile writer against the simplest equivalent: one write of the same final bytes.
// Keys come in the result decoder's order: about 250 sections, each receiving keys at its end in
// several rounds while the other sections follow it. Like the decoder, the bench formats each
// key into the same three strings, so the writer is not fed from megabytes of prepared keys.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tool/profile_writer.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSections = 250;
constexpr int kRounds = 4;

// Writes `total` keys in the decoder's order through `writer`.
void WriteKeys(tool::ProfileWriter& writer, int total) {
  std::string section, key, value;
  int per_round = total / (kSections * kRounds);
  for (int round = 0; round < kRounds; ++round) {
    for (int s = 0; s < kSections; ++s) {
      section.assign("CfgRes").append(std::to_string(s)).append("_TESTHT");
      for (int k = 0; k < per_round; ++k) {
        int n = round * per_round + k;
        key.assign("Etat_CC_L1/GND_").append(std::to_string(n));
        value.assign(std::to_string(n * 37 % 1000)).append(".5");
        writer.WriteKey(section, key, value);
      }
    }
  }
}

std::string BenchFile() { return (fs::temp_directory_path() / "halven_bench.ini").string(); }

void BM_ProfileWriter(benchmark::State& state) {
  int total = static_cast<int>(state.range(0));
  std::string path = BenchFile();
  for (auto _ : state) {
    fs::remove(path);
    tool::ProfileWriter writer;
    writer.SetPath(path);
    WriteKeys(writer, total);
    writer.Flush();
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(path));
  state.counters["keys"] = total;
}

// The floor: the final file's bytes written once.
void BM_WriteFinalBytesOnce(benchmark::State& state) {
  std::string path = BenchFile();
  {
    fs::remove(path);
    tool::ProfileWriter writer;
    writer.SetPath(path);
    WriteKeys(writer, static_cast<int>(state.range(0)));
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
