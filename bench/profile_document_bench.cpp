// The profile document against the plainest storage (plain_profile_document.h) on the writer
// bench's keys and on the largest results file, interleaved in one process so that both see the
// same machine noise: each repetition starts from the text the first key writes, sets every key
// and emits the file. Prints min and median per variant. Run by hand.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "bench/largest_results_log.h"
#include "bench/plain_profile_document.h"
#include "platform/profile_document.h"

namespace {

struct Key {
  std::string section, key, value;
};

// The writer bench's order: 250 sections, each receiving keys at its end in four rounds.
std::vector<Key> WriterKeys(int total) {
  constexpr int kSections = 250, kRounds = 4;
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

// The largest results file's keys in its order.
std::vector<Key> LargestKeys() {
  std::string text = bench_data::LargestResultsLog();
  std::vector<Key> keys;
  std::string section;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find("\r\n", pos);
    std::string line = text.substr(pos, end - pos);
    pos = end + 2;
    if (line.front() == '[') {
      section = line.substr(1, line.size() - 2);
    } else {
      std::size_t eq = line.find('=');
      keys.push_back({section, line.substr(0, eq), line.substr(eq + 1)});
    }
  }
  return keys;
}

// Fed as the deferred writes feed it: the same three strings assigned per key.
template <typename Doc>
std::string Run(Doc& doc, const std::string& first_text, const std::vector<Key>& keys) {
  doc.Assign(first_text);
  std::optional<std::string> exact;
  std::string section, key, value;
  for (std::size_t i = 1; i < keys.size(); ++i) {
    section.assign(keys[i].section);
    key.assign(keys[i].key);
    value.assign(keys[i].value);
    doc.Set(section, key, value, &exact);
  }
  return exact ? *exact : doc.Emit();
}

double Ms(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

void Compare(const char* name, const std::vector<Key>& keys, int repetitions) {
  platform::profile::Document first;
  std::optional<std::string> exact;
  first.Set(keys[0].section, keys[0].key, keys[0].value, &exact);
  std::string first_text = first.Emit();

  // One document of each kind reused, as the shared spare document is.
  platform::profile::Document real;
  bench_plain::PlainDocument plain;
  if (Run(real, first_text, keys) != Run(plain, first_text, keys)) {
    std::fprintf(stderr, "%s: the two documents give different bytes\n", name);
    std::exit(1);
  }
  std::vector<double> real_ms, plain_ms;
  for (int r = 0; r < repetitions; ++r) {
    for (int turn = 0; turn < 2; ++turn) {
      bool real_turn = (turn == 0) == (r % 2 == 0);  // alternate which goes first
      auto start = std::chrono::steady_clock::now();
      std::size_t size = real_turn ? Run(real, first_text, keys).size()
                                   : Run(plain, first_text, keys).size();
      double ms = Ms(std::chrono::steady_clock::now() - start);
      if (size == 0) std::exit(1);
      (real_turn ? real_ms : plain_ms).push_back(ms);
    }
  }
  auto report = [&](const char* variant, std::vector<double> v) {
    std::sort(v.begin(), v.end());
    std::printf("%-22s %-6s keys %7zu  min %8.2f ms  median %8.2f ms\n", name, variant,
                keys.size(), v.front(), v[v.size() / 2]);
  };
  report("document", real_ms);
  report("plain", plain_ms);
}

}  // namespace

int main(int argc, char** argv) {
  int repetitions = argc > 1 ? std::atoi(argv[1]) : 15;
  for (int total : {15000, 30000, 60000, 120000}) {
    Compare(("writer " + std::to_string(total)).c_str(), WriterKeys(total), repetitions);
  }
  Compare("largest results", LargestKeys(), repetitions);
  return 0;
}
