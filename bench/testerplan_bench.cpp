// How long testerplan takes with the largest source the builder accepts (100 configurations, the
// first with 255 ECUs, region 1 just below 65536 bytes): compile (read the plan's text, write the
// source, the builder's check), decompile (read the source, the builder's check, write the text)
// and check of the plan's text; against the builder alone reading the same source, the floor any
// of them stands on. Figures to reach: compile and decompile under 50 ms, check under 100 ms.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "plan/builder_verdict.h"
#include "plan/plan_text_reader.h"
#include "plan/plan_text_writer.h"
#include "plan/source_decoder.h"
#include "plan/source_layout.h"
#include "tests/config/source_builder.h"

namespace {

const std::string& Source() {
  static const std::string source = config_test::BuildSource(config_test::LargestSource());
  return source;
}

std::span<const std::uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

const std::string& Text() {
  static const std::string text = [] {
    plan::Plan p;
    plan::DecodeError error;
    if (!plan::DecodeSource(Bytes(Source()), &p, &error)) std::abort();
    return plan::WritePlanText(p);
  }();
  return text;
}

void BuilderReadsTheSource(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(plan::BuilderAccepts(Source()));
}

void Compile(benchmark::State& state) {
  for (auto _ : state) {
    plan::Plan p;
    std::vector<plan::Diagnostic> found;
    if (!plan::ReadPlanText(Text(), &p, &found)) std::abort();
    const std::string source = plan::EncodeSource(p);
    if (!plan::BuilderAccepts(source)) std::abort();
    benchmark::DoNotOptimize(source.data());
  }
  state.counters["text_bytes"] = static_cast<double>(Text().size());
}

void Decompile(benchmark::State& state) {
  for (auto _ : state) {
    plan::Plan p;
    plan::DecodeError error;
    if (!plan::DecodeSource(Bytes(Source()), &p, &error)) std::abort();
    if (!plan::BuilderAccepts(Source())) std::abort();
    const std::string text = plan::WritePlanText(p);
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["source_bytes"] = static_cast<double>(Source().size());
}

void CheckPlan(benchmark::State& state) {
  for (auto _ : state) {
    plan::Plan p;
    std::vector<plan::Diagnostic> found;
    benchmark::DoNotOptimize(plan::ReadPlanText(Text(), &p, &found));
  }
}

BENCHMARK(BuilderReadsTheSource)->Unit(benchmark::kMillisecond);
BENCHMARK(Compile)->Unit(benchmark::kMillisecond);
BENCHMARK(Decompile)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckPlan)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
