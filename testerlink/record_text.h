// The text records of the tester protocol: fixed command records, the read request, and the line
// handling of a file to send (NextRecordLine, HexByte, the format check).
//
// A record is a colon and pairs of upper-case hexadecimal digits: length N, a 16-bit address, the
// type, N data bytes and the Intel HEX checksum; 11 + 2N characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace testerlink {

// Fixed command records, stored with their newline as the tester expects them when sent alone.
inline constexpr std::string_view kBootEraseRecord = ":00000006FA\n";
inline constexpr std::string_view kApplicationEraseRecord = ":00000007F9\n";
inline constexpr std::string_view kDataEraseRecord = ":00000008F8\n";
inline constexpr std::string_view kAfterEndRecord = ":00000009F7\n";
inline constexpr std::string_view kBeforeEndRecord = ":0000000AF6\n";
inline constexpr std::string_view kInformationRecord = ":0000000DF3\n";
inline constexpr std::string_view kSequenceRecord = ":0000000EF2\n";
inline constexpr std::string_view kEndRecord = ":0000000FF1\n";

// Record buffer: up to 256 characters and the byte SendRecord turns into a carriage return.
inline constexpr std::size_t kMaxRecordLength = 256;
// NextRecordLine gives up after skipping this many characters without finding a colon.
inline constexpr std::size_t kMaxSkippedCharacters = 512;

// The read request (type 0x0C) for `count` bytes from `address`, without a line end:
// ":0800000C" + address and count (4 bytes each, least significant first) + checksum.
std::string BuildReadRequest(std::uint32_t address, std::uint32_t count);

// The value of two characters read as one hexadecimal number the way "%x" reads them (leading
// white space, a sign, a "0x" prefix, a single digit); 0xFF when no digit can be read. A zero
// character ends the text.
std::uint8_t HexByte(char first, char second);

// Copies the next record line of `text` from `*position` into `*line` and returns its length, or 0
// at the end of the text: a zero byte, the end of `text`, or 512 characters skipped without a
// colon. The copy starts at the colon and stops before a carriage return, a newline or a zero byte,
// after at most 256 characters; `*position` is left on the first character not copied (at the end:
// where the search stopped).
std::size_t NextRecordLine(std::string_view text, std::size_t* position, std::string* line);

// True when `line` begins with a colon and twice its length byte equals its character count minus
// 11, modulo 256. The address digits and the checksum are not checked.
bool RecordLineWellFormed(std::string_view line);

// The record type of a line (HexByte of its characters 7 and 8; missing characters end the text).
std::uint8_t RecordType(std::string_view line);

}  // namespace testerlink
