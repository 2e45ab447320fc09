// Developer entry: decodes the five tester images of the current folder into Results.log, as the
// tool does after an upload, and prints the progress steps. Exit status 0 when Results.log was
// written, 1 otherwise. The time Convert took is printed last, for timing by hand (under Wine the
// start of the process alone takes longer than the conversion).
#include <chrono>
#include <cstdio>

#include "decoder/result_decoder.h"
#include "tool/profile_writer.h"
#include "tool/status_display.h"

namespace {

class PrintedProgress final : public tool::StatusDisplay {
 public:
  void ShowStatus(const std::string& text) override { std::printf("%s\n", text.c_str()); }
  void SetProgressRange(std::uint16_t, std::uint16_t high) override { high_ = high; }
  void SetProgressPos(std::uint16_t position) override {
    std::printf("\r%u/%u ", static_cast<unsigned>(position), static_cast<unsigned>(high_));
    std::fflush(stdout);
  }

 private:
  std::uint16_t high_ = 0;
};

}  // namespace

int main() {
  tool::ProfileWriter writer;
  PrintedProgress progress;
  decoder::ResultDecoder decoder(writer, progress);
  const auto start = std::chrono::steady_clock::now();
  const bool written = decoder.Convert();
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  std::printf("\n%s\n", written ? "Results.log written" : "Results.log not written");
  std::printf("Convert: %.1f ms\n", took.count());
  return written ? 0 : 1;
}
