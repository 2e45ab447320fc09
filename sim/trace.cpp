#include "sim/trace.h"

#include <fstream>

#include "platform/native_path.h"

namespace sim {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

std::string Hex2(std::uint8_t b) { return {kHex[b >> 4], kHex[b & 15]}; }

void AppendByte(std::string* out, std::uint8_t b) {
  if (b == '\r') {
    *out += "\\r";
  } else if (b == '\n') {
    *out += "\\n";
  } else if (b >= 0x20 && b <= 0x7E) {
    *out += static_cast<char>(b);
  } else {
    *out += "\\x" + Hex2(b);
  }
}

}  // namespace

std::string TraceWriteLine(std::span<const std::uint8_t> written) {
  std::string line = "> ";
  for (std::uint8_t b : written) AppendByte(&line, b);
  return line;
}

std::string TraceReplyLine(const Reply& reply) {
  std::string line = "< ";
  AppendByte(&line, reply.kind);
  if (reply.has_code) line += " " + Hex2(reply.code);
  return line;
}

std::string TraceReadLine(std::uint32_t count) { return "# read " + std::to_string(count); }

bool TraceFile::Open(const std::string& path) {
  if (path == path_ && file_) return true;
  Close();
  if (path.empty()) return true;
  file_.reset(std::fopen(platform::NativePath(path).c_str(), "ab"));
  if (file_) path_ = path;
  return file_ != nullptr;
}

void TraceFile::Append(const std::string& line) {
  if (!file_) return;
  std::fwrite(line.data(), 1, line.size(), file_.get());
  std::fwrite("\r\n", 1, 2, file_.get());
  std::fflush(file_.get());
}

void TraceFile::Close() {
  file_.reset();
  path_.clear();
}

std::vector<std::string> ReadTraceLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(platform::NativePath(path), std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace sim
