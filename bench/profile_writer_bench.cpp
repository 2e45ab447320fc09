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

// The keys of one run: `total` keys in the decoder's order, their texts packed one after another
// (a few bytes each, not three strings per key), fed like the decoder feeds them: into the same
// three strings, the section's once per run.
struct Keys {
  struct Run {
    std::size_t section, section_size, first, count;
  };
  std::string texts;
  std::vector<Run> runs;
  std::vector<std::size_t> key_sizes;  // key, value, key, value...
};

Keys MakeKeys(int total) {
  Keys keys;
  int per_round = total / (kSections * kRounds);
  for (int round = 0; round < kRounds; ++round) {
    for (int s = 0; s < kSections; ++s) {
      std::string section = "CfgRes" + std::to_string(s) + "_TESTHT";
      keys.runs.push_back({keys.texts.size(), section.size(), keys.key_sizes.size() / 2,
                           static_cast<std::size_t>(per_round)});
      keys.texts += section;
      for (int k = 0; k < per_round; ++k) {
        int n = round * per_round + k;
        std::string key = "Etat_CC_L1/GND_" + std::to_string(n);
        std::string value = std::to_string(n * 37 % 1000) + ".5";
        keys.texts += key + value;
        keys.key_sizes.push_back(key.size());
        keys.key_sizes.push_back(value.size());
      }
    }
  }
  return keys;
}

void WriteKeys(tool::ProfileWriter& writer, const Keys& keys) {
  std::string section, key, value;
  std::size_t at = 0, k = 0;
  for (const Keys::Run& run : keys.runs) {
    section.assign(keys.texts, run.section, run.section_size);
    at = run.section + run.section_size;
    for (std::size_t i = 0; i < run.count; ++i, ++k) {
      key.assign(keys.texts, at, keys.key_sizes[2 * k]);
      at += keys.key_sizes[2 * k];
      value.assign(keys.texts, at, keys.key_sizes[2 * k + 1]);
      at += keys.key_sizes[2 * k + 1];
      writer.WriteKey(section, key, value);
    }
  }
}

std::string BenchFile() { return (fs::temp_directory_path() / "halven_bench.ini").string(); }

void BM_ProfileWriter(benchmark::State& state) {
  Keys keys = MakeKeys(static_cast<int>(state.range(0)));
  std::string path = BenchFile();
  for (auto _ : state) {
    fs::remove(path);
    tool::ProfileWriter writer;
    writer.SetPath(path);
    WriteKeys(writer, keys);
    writer.Flush();
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(path));
  state.counters["keys"] = static_cast<double>(keys.key_sizes.size() / 2);
}

// The floor: the final file's bytes written once.
void BM_WriteFinalBytesOnce(benchmark::State& state) {
  std::string path = BenchFile();
  {
    fs::remove(path);
    tool::ProfileWriter writer;
    writer.SetPath(path);
    WriteKeys(writer, MakeKeys(static_cast<int>(state.range(0))));
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

BENCHMARK(BM_ProfileWriter)
    ->Arg(15000)
    ->Arg(30000)
    ->Arg(60000)
    ->Arg(120000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFinalBytesOnce)
    ->Arg(15000)
    ->Arg(30000)
    ->Arg(60000)
    ->Arg(120000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
