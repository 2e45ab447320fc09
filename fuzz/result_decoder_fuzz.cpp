// Feeds arbitrary bytes as the five tester images of an upload into ResultDecoder::Convert.
//
// Input: five u32 little-endian lengths (VersionTr.zel, ResBin.zel, MenuBin.zel with its count
// word, CfgBin.zel, AcqBin.zel), then the bytes of the images in that order. A length past the end
// of the input takes what is left; 0xFFFFFFFF leaves that file out. An empty corpus folder named on
// the command line is first seeded with consistent image sets built by the test fixture.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "decoder/result_decoder.h"
#include "formats/bytes.h"
#include "platform/environment.h"
#include "tests/decoder/image_fixture.h"
#include "tool/profile_writer.h"
#include "tool/status_display.h"

namespace {

// Sets whose Results.log would exceed this many keys are only checked, not written, to keep the
// executions fast; the walk that checks them is the one that writes.
constexpr std::uint64_t kMaxKeysWritten = 20000;
constexpr std::uint32_t kAbsent = 0xFFFFFFFF;

class NullDisplay final : public tool::StatusDisplay {
 public:
  void ShowStatus(const std::string&) override {}
  void SetProgressRange(std::uint16_t, std::uint16_t) override {}
  void SetProgressPos(std::uint16_t) override {}
};

std::string Serialize(const decoder_test::Images& images) {
  std::string menu(2, '\0');
  formats::WriteU16LE(reinterpret_cast<std::uint8_t*>(menu.data()),
                      static_cast<std::uint16_t>(images.menu.size() / 70));
  menu.append(images.menu.begin(), images.menu.end());
  const std::string parts[] = {std::string(images.version.begin(), images.version.end()),
                               std::string(images.res.begin(), images.res.end()), menu,
                               std::string(images.cfg.begin(), images.cfg.end()),
                               std::string(images.acq.begin(), images.acq.end())};
  std::string out;
  for (const std::string& part : parts) {
    std::uint8_t length[4];
    formats::WriteU32LE(length, static_cast<std::uint32_t>(part.size()));
    out.append(reinterpret_cast<const char*>(length), 4);
  }
  for (const std::string& part : parts) out += part;
  return out;
}

void Seed(const std::filesystem::path& corpus) {
  using namespace decoder_test;
  ImageSetSpec full;
  ConfigSpec first = Config("Berline", "Berline 5 portes", "VCC 12V");
  first.ecus = {Ecu("Moteur", {{0x123, "Regime"}, {0x1E8480, "Vitesse"}}), Ecu("Tableau")};
  first.result = AllRun();
  ConfigSpec second = Config("Remorque", "", "12V", 2);
  second.ecus = {Ecu("Feux", {}, 2)};
  second.result = AllRun();
  full.configs = {first, second};
  ImageSetSpec small;
  small.configs = {Config("C", "", "")};
  int n = 0;
  for (const ImageSetSpec* spec : {&full, &small}) {
    std::ofstream(corpus / ("seed" + std::to_string(n++)), std::ios::binary)
        << Serialize(Build(*spec));
  }
}

struct Decoder {
  tool::ProfileWriter writer;
  NullDisplay display;
  decoder::ResultDecoder decoder{writer, display};
};
Decoder* g_decoder = nullptr;

}  // namespace

// The decoder works in the current directory, so each run moves into a folder of its own; corpus
// folders and the artifact prefix are made absolute first (libFuzzer reads its flags afterwards).
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  platform::SetEnvironmentValue("HALVEN_UNATTENDED", "1");
  static std::vector<std::string> args;
  bool has_artifact_prefix = false;
  for (int i = 0; i < *argc; ++i) {
    std::string arg = (*argv)[i];
    std::error_code ec;
    if (i > 0 && arg[0] != '-') {
      const std::filesystem::path path = std::filesystem::absolute(arg);
      if (std::filesystem::is_directory(path, ec) && std::filesystem::is_empty(path, ec))
        Seed(path);
      arg = path.string();
    }
    if (arg.rfind("-artifact_prefix=", 0) == 0) has_artifact_prefix = true;
    args.push_back(arg);
  }
  if (!has_artifact_prefix) {
    args.push_back("-artifact_prefix=" + std::filesystem::current_path().string() + "/");
  }
  static std::vector<char*> pointers;
  for (std::string& arg : args) pointers.push_back(arg.data());
  pointers.push_back(nullptr);
  *argc = static_cast<int>(args.size());
  *argv = pointers.data();

  const auto dir = std::filesystem::temp_directory_path() /
                   ("result_decoder_fuzz_" + std::to_string(std::random_device()()));
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  g_decoder = new Decoder;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 20) return 0;
  std::size_t at = 20;
  for (int i = 0; i < 5; ++i) {
    const char* name = decoder_test::kImageFiles[i];
    const std::uint32_t length = formats::ReadU32LE(data + 4 * i);
    if (length == kAbsent) {
      std::filesystem::remove(name);
      continue;
    }
    const std::size_t taken = std::min<std::size_t>(length, size - at);
    std::ofstream(name, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data + at), static_cast<std::streamsize>(taken));
    at += taken;
  }
  decoder::ResultDecoder& decoder = g_decoder->decoder;
  std::uint64_t keys = 0;
  if (!decoder.LoadImages()) return 0;
  const bool consistent = decoder.CheckImages(&keys);
  // A refusal always names its cause, and only a refusal does.
  if (consistent != decoder.refusal().empty()) std::abort();
  if (!consistent || keys > kMaxKeysWritten) return 0;
  (void)decoder.Convert();
  return 0;
}
