// Everything one simulated tester is: its memory, its information reply, the faults it shows, the
// latency it adds and where it traces its exchanges. Kept in one state file so that separate tool
// processes (and testersim) talk to the same tester.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "sim/faults.h"

namespace sim {

struct TesterState {
  std::vector<std::uint8_t> memory;  // kMemorySize bytes
  std::vector<std::uint8_t> info;    // the information reply, at most kInfoCapacity bytes
  FaultValues faults = InitialFaults();
  std::string name_text;  // the name the enumeration device reports; empty: the default name
  std::uint32_t latency_ms = 0;
  std::string trace_path;  // empty: no trace

  std::uint32_t FaultValue(sim::Fault fault) const {
    return faults[static_cast<std::size_t>(fault)];
  }
  void SetFault(sim::Fault fault, std::uint32_t value) {
    faults[static_cast<std::size_t>(fault)] = value;
  }
};

// The name reported when no other is set; the tool opens "\\.\ZELUSB0" from it.
inline constexpr const char* kDefaultDeviceName = "\\??\\QuarnetikUsb\\ZELUSB0";

struct Identity {
  std::string text = "Quarnetik";
  std::uint8_t major = 3;
  std::uint8_t minor = 1;
  std::uint16_t capabilities = 4;
};

// A fresh tester: memory all 0xFF, no faults, and an information reply of kDefaultInfoLength bytes
// from `identity` (text of at most 20 bytes), naming the results area with length 0 (no results)
// and the acquisition area.
TesterState NewTesterState(const Identity& identity);

// The state file's bytes, and back. ParseState checks the magic, every length and the exact size,
// and fills `error` when it refuses.
std::vector<std::uint8_t> SerializeState(const TesterState& state);
[[nodiscard]] bool ParseState(std::span<const std::uint8_t> bytes, TesterState* state,
                              std::string* error);

// The version record fields in the information reply; the reply grows to 40 bytes if it is
// shorter.
void SetResultsArea(TesterState* state, std::uint32_t address, std::uint32_t length);
void SetAcquisitionArea(TesterState* state, std::uint32_t address, std::uint16_t length);

}  // namespace sim
