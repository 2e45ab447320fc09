// The simulated tester behind the tool's driver interface. It keeps the tester in a state file
// (loaded when the enumeration device opens, saved when memory or state changed: at the end
// record, the restart command, and when the driver closes), so that the separate tool processes of
// one upload and later runs talk to the same tester.
//
// Requests complete within the call unless a fault says otherwise; the record's acknowledgement
// and a data read's completion come after the tester's latency. Waits are real: a wait for an
// event that will not come sleeps for its whole time.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "sim/firmware.h"
#include "sim/tester_state.h"
#include "sim/trace.h"
#include "testerlink/driver.h"

namespace sim {

// Environment variable naming the state file of the simulated tester the tool should use.
inline constexpr const char* kSimulatorVariable = "QUILLINK_SIMULATOR";

// Value the driver gives for the reply event (a plausible handle value).
inline constexpr std::uint32_t kReplyEventValue = 0x1F4;

// Last-error codes the driver reports (the Windows codes of the same situations).
inline constexpr std::uint32_t kErrorInvalidFunction = 1;
inline constexpr std::uint32_t kErrorGenFailure = 31;
inline constexpr std::uint32_t kErrorInvalidParameter = 87;
inline constexpr std::uint32_t kErrorIoPending = 997;

class SimDriver final : public testerlink::Driver {
 public:
  explicit SimDriver(std::string state_path);
  ~SimDriver() override;

  bool CreateEvents() override;
  bool OpenEnumerator() override;
  bool RequestCount(std::span<std::uint8_t, testerlink::kCountBufferSize> buffer) override;
  bool RequestName(std::span<std::uint8_t, testerlink::kNameBufferSize> buffer) override;
  void CloseEnumerator() override;
  bool OpenInterface(const std::string& path) override;
  bool RequestLinkSetup(std::span<std::uint8_t, testerlink::kSetupBufferSize> buffer) override;
  bool RequestEventRegistration(
      std::span<std::uint8_t, testerlink::kRegisterBufferSize> buffer) override;
  bool RequestReply(std::span<std::uint8_t, testerlink::kReplyBufferSize> buffer) override;
  bool Write(const std::uint8_t* bytes, std::uint32_t length) override;
  bool Read(std::uint8_t* buffer, std::uint32_t size) override;
  std::uint32_t ReplyEventValue() override { return kReplyEventValue; }
  void ResetCompletionEvent() override { completion_.scheduled = false; }
  void ResetReplyEvent() override { reply_event_.scheduled = false; }
  testerlink::Wait WaitCompletion(std::uint32_t milliseconds) override;
  testerlink::Wait WaitReply(std::uint32_t milliseconds) override;
  bool CompletedBytes(std::uint32_t* bytes) override;
  std::uint32_t LastError() override { return last_error_; }
  void CancelIo() override;
  void Pause(std::uint32_t milliseconds) override;
  void CloseAll() override;

 private:
  using Clock = std::chrono::steady_clock;
  struct Event {
    bool scheduled = false;
    Clock::time_point at;
  };
  // What GetOverlappedResult would say about the last request.
  struct LastRequest {
    bool completed = false;
    bool failed = false;
    std::uint32_t bytes = 0;
  };

  bool EnsureLoaded();
  void Save();
  bool Has(Fault fault) const { return state_.FaultValue(fault) != 0; }
  bool Consume(Fault fault);
  // The completion event comes after `delay_ms`; GetOverlappedResult will report `failed`/`bytes`.
  void Complete(std::uint32_t delay_ms, bool failed, std::uint32_t bytes);
  void NotComplete();
  testerlink::Wait WaitFor(Event* event, std::uint32_t milliseconds);
  void CompleteControlRequest(Fault late, Fault error, bool input_ok);
  std::uint32_t Latency() const { return state_.latency_ms; }

  std::string state_path_;
  TesterState state_;
  bool loaded_ = false;
  bool dirty_ = false;
  bool enumerator_open_ = false;
  bool interface_open_ = false;
  Firmware firmware_{&state_};
  TraceFile trace_;
  Event completion_;
  Event reply_event_;
  bool completion_wait_fails_ = false;
  LastRequest last_;
  std::uint32_t last_error_ = 0;
  bool has_reply_ = false;
  Reply reply_;
};

// The simulated tester when QUILLINK_SIMULATOR names a state file; nullptr otherwise.
std::unique_ptr<testerlink::Driver> CreateDriverFromEnvironment();

}  // namespace sim
