// The exchange trace of a simulated tester: one line per exchange, appended to a text file with
// CRLF line ends (as every file the programs write):
//   "> " and the bytes the tool wrote, CR as \r, LF as \n, other bytes outside 0x20..0x7E as \xHH;
//   "< O" for an acceptance, "< K HH" for a refusal with its code, "< K" without one (a garbled
//   answer shows its kind byte the same way, for instance "< ?");
//   "# read N" for a data read that returned N bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "sim/firmware.h"

namespace sim {

std::string TraceWriteLine(std::span<const std::uint8_t> written);
std::string TraceReplyLine(const Reply& reply);
std::string TraceReadLine(std::uint32_t count);

// Appends lines to a trace file; each line reaches the file before Append returns.
class TraceFile {
 public:
  TraceFile() = default;
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;

  // An empty path closes the trace. False when the file cannot be opened for appending.
  bool Open(const std::string& path);
  void Append(const std::string& line);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  std::string path_;
};

// The lines of a trace file without their line ends (empty when the file is missing): for tests.
std::vector<std::string> ReadTraceLines(const std::string& path);

}  // namespace sim
