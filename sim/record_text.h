// One record as the tool writes it: a colon, pairs of hexadecimal digits (length, 16-bit address,
// type, data, checksum), an optional line feed and the carriage return that ends it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

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

// The text of a record (upper-case digits, checksum, no line end): what a tool writes before its
// carriage return. For tests and benchmarks that talk to the simulated tester.
std::string FormatRecord(std::uint8_t type, std::uint16_t address,
                         std::span<const std::uint8_t> data);

// The read request for `count` bytes from `address` (type 0x0C, both little-endian).
std::string FormatReadRequest(std::uint32_t address, std::uint32_t count);

// Reads the record in `written` (all the bytes of one write). Digits may be of either case.
RecordError ParseRecord(std::span<const std::uint8_t> written, Record* record);

}  // namespace sim
