#include "config/hex_writer.h"

#include <algorithm>
#include <cstdio>

namespace config {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";
// Longest line: ':', count, address, type, 16 data bytes, checksum (43 characters), CR LF.
constexpr std::size_t kMaxLine = 45;

char* PutByte(char* p, unsigned value) {
  p[0] = kDigits[(value >> 4) & 0xF];
  p[1] = kDigits[value & 0xF];
  return p + 2;
}

}  // namespace

void HexWriter::WriteLine(std::string_view text) {
  out_->append(text);
  out_->append("\r\n");
}

void HexWriter::WriteRecord(const std::uint8_t* data, unsigned count, std::uint32_t address) {
  char line[kMaxLine];
  char* p = line;
  const unsigned high = (address >> 8) & 0xFF;
  const unsigned low = address & 0xFF;
  unsigned sum = count + high + low;
  *p++ = ':';
  p = PutByte(p, count);
  p = PutByte(p, high);
  p = PutByte(p, low);
  p = PutByte(p, 0);
  for (unsigned i = 0; i < count; ++i) {
    sum += data[i];
    p = PutByte(p, data[i]);
  }
  p = PutByte(p, (0x100 - (sum & 0xFF)) & 0xFF);
  *p++ = '\r';
  *p++ = '\n';
  out_->append(line, static_cast<std::size_t>(p - line));
}

std::uint32_t HexWriter::WriteHexData(const std::uint8_t* data, std::uint32_t length,
                                      std::uint32_t address) {
  std::uint32_t done = 0;
  while (length - done >= 16) {
    WriteRecord(data + done, 16, address + done);
    done += 16;
  }
  if (done < length) WriteRecord(data + done, length - done, address + done);
  return address + length;
}

void HexWriter::WritePagedData(const std::uint8_t* data, std::uint32_t length,
                               std::uint32_t address) {
  std::uint32_t part = std::min(length, 0x10000 - address);
  WriteHexData(data, part, address);
  for (unsigned page = 0; length > part; ++page) {
    data += part;
    length -= part;
    part = std::min<std::uint32_t>(length, 0x10000);
    WritePageRecord(page);
    WriteHexData(data, part, 0);
  }
}

void HexWriter::WritePageRecord(unsigned page) {
  char line[32];
  std::snprintf(line, sizeof line, ":02000004000%.1x%.2X", 9 + page, (0xF1 - page) & 0xFF);
  WriteLine(line);
}

}  // namespace config
