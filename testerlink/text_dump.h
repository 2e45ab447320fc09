// The "-t" text dumps written instead of the raw bytes read from the tester (CRLF lines).
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace testerlink {

// "Size %d (%Xh) Bytes." then 16 bytes a line: "%08X:" with the tester address of the line's first
// byte, " %02X" per byte, two blanks and the bytes as characters (0x20 to 0xAF as themselves,
// others as ".").
std::string MemoryDump(std::span<const std::uint8_t> bytes, std::uint32_t start_address);

// The length of the memory dump of `count` bytes, in 64 bits: for a 4 GiB read it is about 20 GiB.
std::uint64_t MemoryDumpSize(std::uint64_t count);

// Writes the memory dump of `bytes` into `out`, which holds MemoryDumpSize(bytes.size()) bytes.
void WriteMemoryDump(std::span<const std::uint8_t> bytes, std::uint32_t start_address, char* out);

// The same size line, then 16 bytes a line: "%08X:" with the offset and " %02X" per byte.
std::string InformationDump(std::span<const std::uint8_t> bytes);

}  // namespace testerlink
