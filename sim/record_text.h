// One record as the tool writes it: a colon, pairs of hexadecimal digits (length, 16-bit address,
// type, data, checksum), an optional line feed and the carriage return that ends it.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace sim {

struct Record {
  std::uint8_t length = 0;
  std::uint16_t address = 0;
  std::uint8_t type = 0;
  std::array<std::uint8_t, 255> data{};
};

enum class RecordError {
  kNone,
  kFormat,    // no colon, no carriage return at the end, a non-hexadecimal or missing digit
  kLength,    // the length byte does not match the number of digits
  kChecksum,  // the bytes do not sum to 0 modulo 256
};

// Reads the record in `written` (all the bytes of one write). Digits may be of either case.
RecordError ParseRecord(std::span<const std::uint8_t> written, Record* record);

}  // namespace sim
