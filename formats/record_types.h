// The record types of the tester link, and how the tool sends each type that a file to send may
// hold: the message it shows, the reply time-out and whether the wait runs on the progress bar.
// The tool's sending loop and the simulated tester's firmware both switch on these names.
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

// How the tool sends one record of a file. `message` indexes the tool's message table (the
// texts of "InfoTrfTR.zel"); a data record's message is formatted with the record number.
struct RecordSending {
  std::uint8_t type;
  int message;
  std::uint32_t timeout_ms;
  bool progress;  // the reply wait runs in 100 steps on the progress bar
};

inline constexpr int kMessageSequence = 33;  // "Sequence sending."
inline constexpr RecordSending kRecordSendings[] = {
    {kRecordData, 39, 1000, false},  // "Send data line (%d)"
    {kRecordEndOfFile, kMessageSequence, 1000, false},
    {kRecordSegmentAddress, kMessageSequence, 1000, false},
    {kRecordSegmentStart, kMessageSequence, 1000, false},
    {kRecordLinearAddress, kMessageSequence, 1000, false},
    {kRecordLinearStart, kMessageSequence, 1000, false},
    {kRecordBootErase, 34, 10000, true},         // "Send BOOT erase sequence..."
    {kRecordApplicationErase, 35, 40000, true},  // "Send APPLICATION erase sequence..."
    {kRecordDataErase, 36, 40000, true},         // "Send DATA erase sequence..."
    {kRecordAfterEnd, kMessageSequence, 1000, false},
    {kRecordBeforeEnd, kMessageSequence, 1000, false},
    // The "-U" record goes out as a command record like 0x09 and 0x0A, so that "-U" does not end
    // every job that asks for it.
    {kRecordSequence, kMessageSequence, 1000, false},
    {kRecordEnd, 37, 1000, false},  // "Stop USB communication."
};

// The row of `type`, or nullptr for a type a file may not hold (message 38, "Unknown sequence.").
constexpr const RecordSending* FindRecordSending(std::uint8_t type) {
  for (const RecordSending& row : kRecordSendings) {
    if (row.type == type) return &row;
  }
  return nullptr;
}

}  // namespace formats
