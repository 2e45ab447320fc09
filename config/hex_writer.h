// Intel HEX text for the configuration image: data records of up to 16 bytes, extended linear
// address records, every line ended by CR LF. The text is built in memory, so that the file is
// written whole once it is complete.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace config {

class HexWriter {
 public:
  // Appends to `out` (not owned).
  explicit HexWriter(std::string* out) : out_(out) {}

  // Writes `text` and CR LF.
  void WriteLine(std::string_view text);

  // Writes `length` bytes of `data` as data records from the 16-bit `address` within the current
  // page and returns address + length. Never writes address records: the caller keeps
  // address + length within 0x10000.
  std::uint32_t WriteHexData(const std::uint8_t* data, std::uint32_t length, std::uint32_t address);

  // Writes `length` bytes of `data` from `address` of menu page 0x0008 on, running across 64 KiB
  // pages: each further page starts with its page record (page 0 is 0x0009).
  void WritePagedData(const std::uint8_t* data, std::uint32_t length, std::uint32_t address);

  // The extended linear address record of menu page `page` (upper address bits 0x0009 + page),
  // its page digit in lower case as the tester's loader has always received it.
  void WritePageRecord(unsigned page);

 private:
  void WriteRecord(const std::uint8_t* data, unsigned count, std::uint32_t address);

  std::string* out_;
};

}  // namespace config
