// Fuzzes the line handling of a file to send (NextRecordLine, HexByte, the format check) and then
// SendFile itself over a scripted tester, with arbitrary file bytes and framing options.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "testerlink/record_protocol.h"
#include "testerlink/record_text.h"
#include "testerlink/transfer_job.h"
#include "tests/testerlink/english_messages.h"
#include "tests/testerlink/scripted_driver.h"
#include "tool/status_display.h"

namespace {

class NullDisplay final : public tool::StatusDisplay {
 public:
  void ShowStatus(const std::string&) override {}
  void SetProgressRange(std::uint16_t, std::uint16_t) override {}
  void SetProgressPos(std::uint16_t position) override {
    if (position > 100) std::abort();  // the bar never runs past its end
  }
};

void CheckLines(std::string_view text) {
  std::size_t position = 0;
  std::string line;
  for (;;) {
    std::size_t before = position;
    std::size_t length = testerlink::NextRecordLine(text, &position, &line);
    if (position < before || position > text.size() + 1) std::abort();
    if (length == 0) break;
    if (length != line.size() || length > testerlink::kMaxRecordLength || line[0] != ':')
      std::abort();
    if (line.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) std::abort();
    bool well_formed = testerlink::RecordLineWellFormed(line);
    if (well_formed && line.size() == testerlink::kMaxRecordLength) std::abort();  // 245 is odd
    (void)testerlink::RecordType(line);
  }
  // HexByte must read two characters exactly as "%x" does.
  if (text.size() >= 2) {
    char pair[3] = {text[0], text[1], 0};
    unsigned value = 0;
    int expected = std::sscanf(pair, "%x", &value) == 1 ? static_cast<std::uint8_t>(value) : 0xFF;
    if (testerlink::HexByte(text[0], text[1]) != expected) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckLines(bytes);
  if (size == 0) return 0;

  static const std::string path =
      (std::filesystem::temp_directory_path() / ("send_file_fuzz_" + std::to_string(getpid())))
          .string();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data + 1, 1, size - 1, file);
  std::fclose(file);

  linktest::ScriptedDriver driver;
  NullDisplay display;
  static tool::MessageTable messages = linktest::EnglishMessages();
  testerlink::TransferJob job;
  job.driver = &driver;
  job.display = &display;
  job.messages = &messages;
  job.file_name = path;
  // The first byte chooses the framing: -B -A -D -R -C and -U.
  job.options = data[0] & 0x1F;
  if (data[0] & 0x20) job.options |= testerlink::kOptionSequenceRecord;
  (void)testerlink::SendFile(job);
  for (const std::string& record : driver.writes) {
    if (record.size() > testerlink::kMaxRecordLength + 1 || record.back() != '\r') std::abort();
  }
  return 0;
}
