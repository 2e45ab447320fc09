// The "-t" text dumps. Each is written into a buffer sized exactly beforehand, so that the caller
// can allocate it without a throwing allocation and fail with a message when memory is short.
#include "testerlink/text_dump.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace testerlink {
namespace {

constexpr std::size_t kBytesPerLine = 16;
constexpr std::size_t kAddressWidth = 9;  // "%08X:" (the address is kept to 32 bits)
constexpr std::size_t kLineEndWidth = 2;

std::size_t SizeLine(std::uint64_t size, char* out) {
  char text[64];
  const int n = std::snprintf(text, sizeof text, "Size %u (%Xh) Bytes.\r\n",
                              static_cast<unsigned>(size), static_cast<unsigned>(size));
  if (out != nullptr) std::memcpy(out, text, static_cast<std::size_t>(n));
  return static_cast<std::size_t>(n);
}

std::uint64_t DumpSize(std::uint64_t count, bool characters) {
  const std::uint64_t lines = (count + kBytesPerLine - 1) / kBytesPerLine;
  const std::uint64_t per_byte = characters ? 4 : 3;  // " %02X", and the character column
  const std::uint64_t per_line = kAddressWidth + kLineEndWidth + (characters ? 2 : 0);
  return SizeLine(count, nullptr) + lines * per_line + count * per_byte;
}

void WriteDump(std::span<const std::uint8_t> bytes, std::uint32_t start, bool characters,
               char* out) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += SizeLine(bytes.size(), out);
  for (std::size_t line = 0; line * kBytesPerLine < bytes.size(); ++line) {
    auto part = bytes.subspan(line * kBytesPerLine,
                              std::min(kBytesPerLine, bytes.size() - line * kBytesPerLine));
    const std::uint32_t address = start + static_cast<std::uint32_t>(line * kBytesPerLine);
    for (int shift = 28; shift >= 0; shift -= 4) *out++ = kHex[(address >> shift) & 0xF];
    *out++ = ':';
    for (std::uint8_t b : part) {
      *out++ = ' ';
      *out++ = kHex[b >> 4];
      *out++ = kHex[b & 0xF];
    }
    if (characters) {
      *out++ = ' ';
      *out++ = ' ';
      for (std::uint8_t b : part) *out++ = (b >= 0x20 && b <= 0xAF) ? static_cast<char>(b) : '.';
    }
    *out++ = '\r';
    *out++ = '\n';
  }
}

std::string Dump(std::span<const std::uint8_t> bytes, std::uint32_t start, bool characters) {
  std::string out(static_cast<std::size_t>(DumpSize(bytes.size(), characters)), '\0');
  WriteDump(bytes, start, characters, out.data());
  return out;
}

}  // namespace

std::string MemoryDump(std::span<const std::uint8_t> bytes, std::uint32_t start_address) {
  return Dump(bytes, start_address, true);
}

std::uint64_t MemoryDumpSize(std::uint64_t count) { return DumpSize(count, true); }

void WriteMemoryDump(std::span<const std::uint8_t> bytes, std::uint32_t start_address, char* out) {
  WriteDump(bytes, start_address, true, out);
}

std::string InformationDump(std::span<const std::uint8_t> bytes) { return Dump(bytes, 0, false); }

}  // namespace testerlink
