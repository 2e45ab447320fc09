// The tester's side of the record protocol: checks each record, answers 'O' or 'K' with an error
// code, and carries out what the record asks (read memory, general information, erase, program
// Intel HEX data, end of exchange, commands). Works on a TesterState it does not own.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "sim/tester_state.h"

namespace sim {

// Error codes of a refusal ('K').
inline constexpr std::uint8_t kCodeFormat = 0x01;       // not a record: colon, digits, line end
inline constexpr std::uint8_t kCodeLength = 0x02;       // length byte does not match the text
inline constexpr std::uint8_t kCodeChecksum = 0x03;     // checksum wrong
inline constexpr std::uint8_t kCodeUnknownType = 0x04;  // record type the tester does not know
inline constexpr std::uint8_t kCodeBadContent = 0x05;   // wrong data for its type
inline constexpr std::uint8_t kCodeOutOfRange = 0x06;   // address outside the memory

// Largest count a read request may ask for (the tester's USB buffer).
inline constexpr std::uint32_t kMaxReadCount = 2048;

struct Reply {
  std::uint8_t kind = 'O';  // 'O', 'K' (or anything else for a garbled answer)
  bool has_code = false;
  std::uint8_t code = 0;
};

struct RecordOutcome {
  Reply reply;
  bool changed = false;          // memory or information reply changed
  bool end_of_exchange = false;  // end record (0x0F) or restart command (0x09)
};

class Firmware {
 public:
  explicit Firmware(TesterState* state) : state_(state) {}

  // Handles the bytes of one write (the record and its carriage return).
  RecordOutcome HandleRecord(std::span<const std::uint8_t> written);

  // Data the last read or information request left for the next data read.
  bool HasPendingData() const { return has_pending_; }
  const std::vector<std::uint8_t>& PendingData() const { return pending_; }
  void ClearPendingData() {
    pending_.clear();
    has_pending_ = false;
  }

 private:
  static RecordOutcome Refuse(std::uint8_t code) { return {{'K', true, code}, false, false}; }
  RecordOutcome ProgramData(std::uint16_t address, std::span<const std::uint8_t> data);
  void Erase(std::uint32_t address, std::uint32_t size);

  TesterState* state_;
  std::uint32_t base_ = 0;  // from the last extended (linear or segment) address record
  std::vector<std::uint8_t> pending_;
  bool has_pending_ = false;
};

}  // namespace sim
