// How long the largest configuration the limits allow takes to become MenuCfg.h86 (the first
// configuration with 255 ECUs: 2846 menu entries over three pages, 100 configurations in region 1
// of nearly 64 KiB), against srec_cat turning the same memory regions from binary into Intel HEX
// and against one write of the finished image's bytes. Run from any folder; it works in a
// temporary folder of its own.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "config/menu_cfg_converter.h"
#include "formats/bytes.h"
#include "tests/config/source_builder.h"

namespace {

namespace fs = std::filesystem;

std::string AsText(std::span<const std::uint8_t> bytes) {
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// A temporary folder made the current directory, holding the largest source, its image and the
// image's two memory regions as binary files.
struct Workspace {
  Workspace() {
    folder = fs::temp_directory_path() / "menu_cfg_bench";
    fs::create_directories(folder);
    fs::current_path(folder);
    config_test::WriteBytes("TransfertVersTR.zel",
                            config_test::BuildSource(config_test::LargestSource()));
    config::MenuCfgConverter converter;
    if (converter.BuildMenuCfg() != config::MenuCfgConverter::BuildResult::kWritten) std::abort();
    std::uint8_t count[2];
    formats::WriteU16LE(count, converter.EntryCount());
    config_test::WriteBytes("region1.bin", AsText(converter.Region1()));
    config_test::WriteBytes("region2.bin", std::string("\x4B\x00", 2) +
                                               AsText(converter.StringTable()) + AsText(count) +
                                               AsText(converter.MenuEntries()));
    std::FILE* f = std::fopen("MenuCfg.h86", "rb");
    image.resize(fs::file_size("MenuCfg.h86"));
    if (f == nullptr || std::fread(image.data(), 1, image.size(), f) != image.size()) std::abort();
    std::fclose(f);
    entries = converter.EntryCount();
    region1 = converter.Region1().size();
  }
  fs::path folder;
  std::string image;
  std::size_t entries = 0, region1 = 0;
};

Workspace& Shared() {
  static Workspace workspace;
  return workspace;
}

void BM_BuildMenuCfg(benchmark::State& state) {
  Workspace& w = Shared();
  config::MenuCfgConverter converter;
  for (auto _ : state) {
    if (converter.BuildMenuCfg() != config::MenuCfgConverter::BuildResult::kWritten) {
      state.SkipWithError("conversion failed");
    }
  }
  state.counters["entries"] = static_cast<double>(w.entries);
  state.counters["region1"] = static_cast<double>(w.region1);
  state.counters["image_bytes"] = static_cast<double>(w.image.size());
}
BENCHMARK(BM_BuildMenuCfg)->Unit(benchmark::kMillisecond);

void BM_SrecCatSameRegions(benchmark::State& state) {
  Shared();
  const std::string command =
      "srec_cat region1.bin -binary -offset 0xE0000 region2.bin -binary -offset 0x80000 "
      "-o srec.h86 -intel -address-length=4 -output-block-size=16 -disable-sequence-warnings";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("srec_cat failed");
  }
}
BENCHMARK(BM_SrecCatSameRegions)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteSameBytes(benchmark::State& state) {
  Workspace& w = Shared();
  for (auto _ : state) {
    std::FILE* f = std::fopen("plain.h86", "wb");
    if (f == nullptr || std::fwrite(w.image.data(), 1, w.image.size(), f) != w.image.size()) {
      state.SkipWithError("write failed");
    }
    if (f != nullptr) std::fclose(f);
  }
}
BENCHMARK(BM_WriteSameBytes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
