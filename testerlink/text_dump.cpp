// The "-t" text dumps.
#include "testerlink/text_dump.h"

#include <algorithm>
#include <cstdio>

namespace testerlink {
namespace {

constexpr std::size_t kBytesPerLine = 16;

std::string SizeLine(std::size_t size) {
  char text[64];
  std::snprintf(text, sizeof text, "Size %u (%Xh) Bytes.\r\n", static_cast<unsigned>(size),
                static_cast<unsigned>(size));
  return text;
}

std::string Dump(std::span<const std::uint8_t> bytes, std::uint32_t start, bool characters) {
  std::string out = SizeLine(bytes.size());
  out.reserve(out.size() + (bytes.size() / kBytesPerLine + 1) * 80);
  char cell[16];
  for (std::size_t line = 0; line * kBytesPerLine < bytes.size(); ++line) {
    auto part = bytes.subspan(line * kBytesPerLine,
                              std::min(kBytesPerLine, bytes.size() - line * kBytesPerLine));
    std::snprintf(cell, sizeof cell, "%08X:",
                  static_cast<unsigned>(start + static_cast<std::uint32_t>(line * kBytesPerLine)));
    out += cell;
    for (std::uint8_t b : part) {
      std::snprintf(cell, sizeof cell, " %02X", b);
      out += cell;
    }
    if (characters) {
      out += "  ";
      for (std::uint8_t b : part) out += (b >= 0x20 && b <= 0xAF) ? static_cast<char>(b) : '.';
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace

std::string MemoryDump(std::span<const std::uint8_t> bytes, std::uint32_t start_address) {
  return Dump(bytes, start_address, true);
}

std::string InformationDump(std::span<const std::uint8_t> bytes) { return Dump(bytes, 0, false); }

}  // namespace testerlink
