#include "sim/faults.h"

namespace sim {

const std::array<FaultInfo, kFaultCount>& FaultTable() {
  static const std::array<FaultInfo, kFaultCount> table = {{
      {Fault::kTesters, "testers", FaultKind::kNumber, 1,
       "N testers attached (0: none; 2 or 3: several)"},
      {Fault::kNoDriver, "no-driver", FaultKind::kSwitch, 0,
       "the enumeration device cannot be opened"},
      {Fault::kCountFails, "count-fails", FaultKind::kSwitch, 0, "the count request fails"},
      {Fault::kNameFails, "name-fails", FaultKind::kSwitch, 0, "the name request fails"},
      {Fault::kOpenFails, "open-fails", FaultKind::kSwitch, 0,
       "the tester interface cannot be opened"},
      {Fault::kSetupRefused, "setup-refused", FaultKind::kSwitch, 0, "the link set-up call fails"},
      {Fault::kSetupPending, "setup-pending", FaultKind::kSwitch, 0,
       "the link set-up call returns pending"},
      {Fault::kSetupLate, "setup-late", FaultKind::kSwitch, 0, "the link set-up never completes"},
      {Fault::kSetupError, "setup-error", FaultKind::kSwitch, 0,
       "the link set-up completes with an error"},
      {Fault::kRegisterRefused, "register-refused", FaultKind::kSwitch, 0,
       "the event registration call fails"},
      {Fault::kRegisterLate, "register-late", FaultKind::kSwitch, 0,
       "the event registration never completes"},
      {Fault::kRegisterError, "register-error", FaultKind::kSwitch, 0,
       "the event registration completes with an error"},
      {Fault::kWriteTimeout, "write-timeout", FaultKind::kTimes, 0, "record writes never complete"},
      {Fault::kWriteFails, "write-fails", FaultKind::kTimes, 0, "waiting for a record write fails"},
      {Fault::kWriteShort, "write-short", FaultKind::kTimes, 0,
       "record writes transfer one byte less"},
      {Fault::kNoAnswer, "no-answer", FaultKind::kTimes, 0, "records get no answer"},
      {Fault::kReplyTimeout, "reply-timeout", FaultKind::kTimes, 0, "reply fetches never complete"},
      {Fault::kReplyFails, "reply-fails", FaultKind::kTimes, 0, "reply fetches fail"},
      {Fault::kGarbage, "garbage", FaultKind::kTimes, 0,
       "records are answered with '?' (neither O nor K)"},
      {Fault::kRefuse, "refuse", FaultKind::kTimes, 0,
       "records are refused with the code of refuse-code"},
      {Fault::kRefuseNoCode, "refuse-nocode", FaultKind::kTimes, 0,
       "records are refused without a code"},
      {Fault::kRefuseCode, "refuse-code", FaultKind::kNumber, 0x12,
       "code of refuse (default 0x12)"},
      {Fault::kReadTimeout, "read-timeout", FaultKind::kTimes, 0, "data reads never complete"},
      {Fault::kReadFails, "read-fails", FaultKind::kTimes, 0, "data reads complete with a failure"},
      {Fault::kReadShort, "read-short", FaultKind::kTimes, 0, "data reads return one byte less"},
      {Fault::kReadLong, "read-long", FaultKind::kTimes, 0, "data reads return one byte more"},
  }};
  return table;
}

std::optional<Fault> FindFault(std::string_view name) {
  for (const FaultInfo& info : FaultTable()) {
    if (info.name == name) return info.fault;
  }
  return std::nullopt;
}

FaultValues InitialFaults() {
  FaultValues values{};
  for (const FaultInfo& info : FaultTable()) {
    values[static_cast<std::size_t>(info.fault)] = info.initial;
  }
  return values;
}

}  // namespace sim
