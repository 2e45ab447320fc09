#include "sim/record_text.h"

#include "formats/record_types.h"

namespace sim {
namespace {

int HexDigit(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string FormatRecord(std::uint8_t type, std::uint16_t address,
                         std::span<const std::uint8_t> data) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text = ":";
  std::uint8_t sum = 0;
  auto put = [&](std::uint8_t b) {
    text += kHex[b >> 4];
    text += kHex[b & 15];
    sum = static_cast<std::uint8_t>(sum + b);
  };
  put(static_cast<std::uint8_t>(data.size()));
  put(static_cast<std::uint8_t>(address >> 8));
  put(static_cast<std::uint8_t>(address));
  put(type);
  for (std::uint8_t b : data) put(b);
  put(static_cast<std::uint8_t>(0x100 - sum));
  return text;
}

std::string FormatReadRequest(std::uint32_t address, std::uint32_t count) {
  std::uint8_t data[8];
  for (int i = 0; i < 4; ++i) {
    data[i] = static_cast<std::uint8_t>(address >> (8 * i));
    data[4 + i] = static_cast<std::uint8_t>(count >> (8 * i));
  }
  return FormatRecord(formats::kRecordReadRequest, 0, data);
}

RecordError ParseRecord(std::span<const std::uint8_t> written, Record* record) {
  std::size_t end = written.size();
  if (end == 0 || written[end - 1] != '\r') return RecordError::kFormat;
  --end;
  if (end > 0 && written[end - 1] == '\n') --end;  // records stored with their line feed
  if (end < 11 || written[0] != ':' || (end - 1) % 2 != 0) return RecordError::kFormat;

  const std::size_t byte_count = (end - 1) / 2;  // length, address (2), type, data, checksum
  std::array<std::uint8_t, 5 + 255> raw{};
  if (byte_count > raw.size()) return RecordError::kLength;
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i < byte_count; ++i) {
    int high = HexDigit(written[1 + 2 * i]);
    int low = HexDigit(written[2 + 2 * i]);
    if (high < 0 || low < 0) return RecordError::kFormat;
    raw[i] = static_cast<std::uint8_t>(high * 16 + low);
    sum = static_cast<std::uint8_t>(sum + raw[i]);
  }
  if (byte_count != 5u + raw[0]) return RecordError::kLength;
  if (sum != 0) return RecordError::kChecksum;
  record->length = raw[0];
  record->address = static_cast<std::uint16_t>(raw[1] << 8 | raw[2]);
  record->type = raw[3];
  for (std::size_t i = 0; i < record->length; ++i) record->data[i] = raw[4 + i];
  return RecordError::kNone;
}

}  // namespace sim
