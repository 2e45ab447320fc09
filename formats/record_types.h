// The record types of the tester link, and one table of how the tool sends each. The tool's record
// protocol and the simulated tester's firmware both name the types through this file.
#pragma once

#include <cstdint>

namespace formats {

// Intel HEX types, as the lines of a file to send carry them.
inline constexpr std::uint8_t kRecordData = 0x00;
inline constexpr std::uint8_t kRecordEndOfFile = 0x01;
inline constexpr std::uint8_t kRecordSegmentAddress = 0x02;
inline constexpr std::uint8_t kRecordSegmentStart = 0x03;
inline constexpr std::uint8_t kRecordLinearAddress = 0x04;
inline constexpr std::uint8_t kRecordLinearStart = 0x05;
// The tester's command records.
inline constexpr std::uint8_t kRecordBootErase = 0x06;         // "-B"
inline constexpr std::uint8_t kRecordApplicationErase = 0x07;  // "-A"
inline constexpr std::uint8_t kRecordDataErase = 0x08;         // "-D"
inline constexpr std::uint8_t kRecordAfterEnd = 0x09;          // "-R", the tester restarts
inline constexpr std::uint8_t kRecordBeforeEnd = 0x0A;         // "-C"
inline constexpr std::uint8_t kRecordReadRequest = 0x0C;       // address and count, 4 bytes each
inline constexpr std::uint8_t kRecordInformation = 0x0D;       // general-information request
inline constexpr std::uint8_t kRecordSequence = 0x0E;          // "-U"
inline constexpr std::uint8_t kRecordEnd = 0x0F;               // end of the exchange

// How the tool sends each record type: the message it shows first (an index into the tool's
// message table, the texts of "InfoTrfTR.zel"), the reply time-out, whether the wait runs in 100
// steps on the progress bar, and whether a file to send may hold the type. The read request and
// the information request are built by the tool alone; a file holding any type without a row, or
// one of those two, ends the sending with message 38 ("Unknown sequence.").
struct RecordTypeRow {
  std::uint8_t type;
  int message;  // formatted with the record number (data) or the block numbers (read request)
  std::uint32_t timeout_ms;
  bool progress;
  bool in_file;
};

inline constexpr int kMessageSequence = 33;  // "Sequence sending."
inline constexpr RecordTypeRow kRecordTypes[] = {
    {kRecordData, 39, 1000, false, true},  // "Send data line (%d)"
    {kRecordEndOfFile, kMessageSequence, 1000, false, true},
    {kRecordSegmentAddress, kMessageSequence, 1000, false, true},
    {kRecordSegmentStart, kMessageSequence, 1000, false, true},
    {kRecordLinearAddress, kMessageSequence, 1000, false, true},
    {kRecordLinearStart, kMessageSequence, 1000, false, true},
    {kRecordBootErase, 34, 10000, true, true},         // "Send BOOT erase sequence..."
    {kRecordApplicationErase, 35, 40000, true, true},  // "Send APPLICATION erase sequence..."
    {kRecordDataErase, 36, 40000, true, true},         // "Send DATA erase sequence..."
    {kRecordAfterEnd, kMessageSequence, 1000, false, true},
    {kRecordBeforeEnd, kMessageSequence, 1000, false, true},
    {kRecordReadRequest, 27, 1000, false, false},  // "Send sequence read (%d/%d)."
    {kRecordInformation, 31, 1000, false, false},  // "Send general information sequence."
    // The "-U" record goes out as a command record like 0x09 and 0x0A, so that "-U" does not end
    // every job that asks for it.
    {kRecordSequence, kMessageSequence, 1000, false, true},
    {kRecordEnd, 37, 1000, false, true},  // "Stop USB communication."
};

// The row of `type`, or nullptr for a type the link does not know.
constexpr const RecordTypeRow* FindRecordType(std::uint8_t type) {
  for (const RecordTypeRow& row : kRecordTypes) {
    if (row.type == type) return &row;
  }
  return nullptr;
}

}  // namespace formats
