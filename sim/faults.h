// The faults a simulated tester can be told to show, so that every outcome the tool tells apart is
// reachable: how each one is named on the testersim command line, what its value means, and the
// values a fresh tester starts with.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sim {

enum class Fault : std::uint8_t {
  kTesters,          // number of testers the enumeration device reports
  kNoDriver,         // the enumeration device cannot be opened
  kCountFails,       // the count request fails
  kNameFails,        // the name request fails
  kOpenFails,        // the tester interface cannot be opened
  kSetupRefused,     // link set-up: the call fails
  kSetupPending,     // link set-up: the call returns a pending state
  kSetupLate,        // link set-up: never completes
  kSetupError,       // link set-up: completes with an error code
  kRegisterRefused,  // event registration: the call fails
  kRegisterLate,     // event registration: never completes
  kRegisterError,    // event registration: completes with an error code
  kWriteTimeout,     // a record write never completes
  kWriteFails,       // waiting for a record write fails
  kWriteShort,       // a record write transfers one byte less
  kNoAnswer,         // the tester never answers a record
  kReplyTimeout,     // the reply fetch never completes
  kReplyFails,       // the reply fetch completes with a failure
  kGarbage,          // the acknowledgement is neither 'O' nor 'K'
  kRefuse,           // refusal with the code of kRefuseCode
  kRefuseNoCode,     // refusal without a code
  kRefuseCode,       // the code of kRefuse
  kReadTimeout,      // a data read never completes
  kReadFails,        // a data read completes with a failure
  kReadShort,        // a data read returns one byte less than asked
  kReadLong,         // a data read returns one byte more than asked
  kCount
};

inline constexpr std::size_t kFaultCount = static_cast<std::size_t>(Fault::kCount);

// Value of a "times" fault that never runs out.
inline constexpr std::uint32_t kAlways = 0xFFFFFFFF;

enum class FaultKind {
  kSwitch,  // on (1) or off (0); the command sets it on
  kTimes,   // the next N exchanges it applies to, or kAlways when no N is given; 0 = off
  kNumber,  // a value that must be given (decimal, or hexadecimal with 0x)
};

struct FaultInfo {
  Fault fault;
  std::string_view name;
  FaultKind kind;
  std::uint32_t initial;  // value of a fresh tester (and after "fault STATE clear")
  std::string_view help;
};

using FaultValues = std::array<std::uint32_t, kFaultCount>;

// One row per fault, in the order of the enumeration.
const std::array<FaultInfo, kFaultCount>& FaultTable();

std::optional<Fault> FindFault(std::string_view name);

FaultValues InitialFaults();

}  // namespace sim
