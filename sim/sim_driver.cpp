#include "sim/sim_driver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "formats/bytes.h"
#include "sim/state_file.h"

namespace sim {
namespace {

// The interface name the tool takes from a name reply: what follows the last backslash.
std::string InterfaceName(const std::string& reported) {
  std::size_t slash = reported.rfind('\\');
  return slash == std::string::npos ? reported : reported.substr(slash + 1);
}

// Some platforms wake a little early from a timed sleep: sleep again until the time has come.
void SleepUntil(std::chrono::steady_clock::time_point when) {
  while (std::chrono::steady_clock::now() < when) std::this_thread::sleep_until(when);
}

}  // namespace

SimDriver::SimDriver(std::string state_path) : state_path_(std::move(state_path)) {}

SimDriver::~SimDriver() { CloseAll(); }

bool SimDriver::EnsureLoaded() {
  if (loaded_) return true;
  std::string error;
  if (!LoadStateFile(state_path_, &state_, &error)) {
    std::fprintf(stderr, "simulated tester: %s\n", error.c_str());
    return false;
  }
  loaded_ = true;
  if (!trace_.Open(state_.trace_path)) {
    std::fprintf(stderr, "simulated tester: cannot open the trace file %s\n",
                 state_.trace_path.c_str());
  }
  return true;
}

void SimDriver::Save() {
  if (!loaded_ || !dirty_) return;
  std::string error;
  if (!SaveStateFile(state_path_, state_, &error)) {
    std::fprintf(stderr, "simulated tester: %s\n", error.c_str());
  }
  dirty_ = false;
}

bool SimDriver::Consume(Fault fault) {
  std::uint32_t value = state_.FaultValue(fault);
  if (value == 0) return false;
  if (value != kAlways) {
    state_.SetFault(fault, value - 1);
    dirty_ = true;
  }
  return true;
}

void SimDriver::Complete(std::uint32_t delay_ms, bool failed, std::uint32_t bytes) {
  completion_.scheduled = true;
  completion_.at = Clock::now() + std::chrono::milliseconds(delay_ms);
  last_ = {true, failed, bytes};
}

void SimDriver::NotComplete() {
  completion_.scheduled = false;
  last_ = {};
}

testerlink::Wait SimDriver::WaitFor(Event* event, std::uint32_t milliseconds) {
  const Clock::time_point now = Clock::now();
  const Clock::time_point deadline = now + std::chrono::milliseconds(milliseconds);
  if (event->scheduled && event->at <= deadline) {
    SleepUntil(event->at);
    event->scheduled = false;  // auto-reset
    return testerlink::Wait::kSignalled;
  }
  SleepUntil(deadline);
  return testerlink::Wait::kTimedOut;
}

bool SimDriver::CreateEvents() {
  completion_ = {};
  reply_event_ = {};
  return true;
}

bool SimDriver::OpenEnumerator() {
  if (!EnsureLoaded() || Has(Fault::kNoDriver)) return false;
  enumerator_open_ = true;
  return true;
}

bool SimDriver::RequestCount(std::span<std::uint8_t, testerlink::kCountBufferSize> buffer) {
  if (!enumerator_open_ || Has(Fault::kCountFails)) return false;
  std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
  formats::WriteU32LE(buffer.data(), state_.FaultValue(Fault::kTesters));
  return true;
}

bool SimDriver::RequestName(std::span<std::uint8_t, testerlink::kNameBufferSize> buffer) {
  if (!enumerator_open_ || Has(Fault::kNameFails)) return false;
  if (formats::ReadU32LE(buffer.data()) != 0) return false;  // the driver expects index 0
  std::fill(buffer.begin() + 4, buffer.end(), std::uint8_t{0});
  const std::string name = state_.name_text.empty() ? kDefaultDeviceName : state_.name_text;
  const std::size_t room = testerlink::kNameBufferSize - 17 - 1;
  std::memcpy(buffer.data() + 17, name.data(), std::min(name.size(), room));
  return true;
}

void SimDriver::CloseEnumerator() { enumerator_open_ = false; }

bool SimDriver::OpenInterface(const std::string& path) {
  if (!EnsureLoaded() || Has(Fault::kOpenFails) || interface_open_) return false;
  const std::string name =
      InterfaceName(state_.name_text.empty() ? kDefaultDeviceName : state_.name_text);
  if (name.empty() || path != "\\\\.\\" + name) return false;
  interface_open_ = true;
  return true;
}

void SimDriver::CompleteControlRequest(Fault late, Fault error, bool input_ok) {
  if (Has(late)) {
    NotComplete();
    last_error_ = 0;
    return;
  }
  Complete(0, false, 0);
  last_error_ = Has(error) ? kErrorGenFailure : input_ok ? 0 : kErrorInvalidParameter;
}

bool SimDriver::RequestLinkSetup(std::span<std::uint8_t, testerlink::kSetupBufferSize> buffer) {
  if (!interface_open_) return false;
  if (Has(Fault::kSetupRefused)) {
    NotComplete();
    last_error_ = kErrorInvalidFunction;
    return false;
  }
  const bool zeroed =
      std::all_of(buffer.begin(), buffer.begin() + 12, [](std::uint8_t b) { return b == 0; });
  if (Has(Fault::kSetupPending)) {
    // Pending: it does complete, but the call itself reports failure.
    Complete(0, false, 0);
    last_error_ = kErrorIoPending;
    return false;
  }
  CompleteControlRequest(Fault::kSetupLate, Fault::kSetupError, zeroed);
  return true;
}

bool SimDriver::RequestEventRegistration(
    std::span<std::uint8_t, testerlink::kRegisterBufferSize> buffer) {
  if (!interface_open_) return false;
  if (Has(Fault::kRegisterRefused)) {
    NotComplete();
    last_error_ = kErrorInvalidFunction;
    return false;
  }
  const bool our_event = formats::ReadU32LE(buffer.data()) == kReplyEventValue;
  CompleteControlRequest(Fault::kRegisterLate, Fault::kRegisterError, our_event);
  return true;
}

bool SimDriver::Write(const std::uint8_t* bytes, std::uint32_t length) {
  if (!interface_open_) return false;
  const std::span<const std::uint8_t> written(bytes, length);
  trace_.Append(TraceWriteLine(written));
  last_error_ = 0;
  if (Consume(Fault::kWriteTimeout)) {
    NotComplete();
    return false;
  }
  if (Consume(Fault::kWriteFails)) {
    NotComplete();
    completion_wait_fails_ = true;
    return false;
  }
  if (Consume(Fault::kWriteShort)) {
    Complete(0, false, length > 0 ? length - 1 : 0);
    return true;  // the tester saw half a record: no answer
  }
  Complete(0, false, length);
  if (Consume(Fault::kNoAnswer)) return true;

  RecordOutcome outcome;
  if (Consume(Fault::kGarbage)) {
    outcome.reply = {'?', false, 0};
  } else if (Consume(Fault::kRefuse)) {
    outcome.reply = {'K', true, static_cast<std::uint8_t>(state_.FaultValue(Fault::kRefuseCode))};
  } else if (Consume(Fault::kRefuseNoCode)) {
    outcome.reply = {'K', false, 0};
  } else {
    outcome = firmware_.HandleRecord(written);
  }
  reply_ = outcome.reply;
  has_reply_ = true;
  reply_event_.scheduled = true;
  reply_event_.at = Clock::now() + std::chrono::milliseconds(Latency());
  trace_.Append(TraceReplyLine(outcome.reply));
  if (outcome.changed) dirty_ = true;
  if (outcome.end_of_exchange) Save();
  return true;
}

bool SimDriver::RequestReply(std::span<std::uint8_t, testerlink::kReplyBufferSize> buffer) {
  if (!interface_open_) return false;
  last_error_ = 0;
  if (Consume(Fault::kReplyTimeout)) {
    NotComplete();
    return false;
  }
  if (Consume(Fault::kReplyFails)) {
    Complete(0, true, 0);
    return false;
  }
  std::fill(buffer.begin(), buffer.begin() + 8, std::uint8_t{0});
  if (has_reply_) {
    formats::WriteU32LE(buffer.data(), reply_.has_code ? 2 : 1);
    buffer[8] = reply_.kind;
    buffer[9] = reply_.has_code ? reply_.code : 0;
    has_reply_ = false;
  }
  Complete(0, false, testerlink::kReplyBufferSize);
  return true;
}

bool SimDriver::Read(std::uint8_t* buffer, std::uint32_t size) {
  if (!interface_open_) return false;
  last_error_ = 0;
  // Without data to send, or with a time-out fault, the read simply never completes.
  if (!firmware_.HasPendingData() || Consume(Fault::kReadTimeout)) {
    NotComplete();
    return false;
  }
  if (Consume(Fault::kReadFails)) {
    firmware_.ClearPendingData();
    Complete(Latency(), true, 0);
    return false;
  }
  std::vector<std::uint8_t> data = firmware_.PendingData();
  firmware_.ClearPendingData();
  if (Consume(Fault::kReadShort) && !data.empty()) data.pop_back();
  if (Consume(Fault::kReadLong)) data.push_back(0xA5);
  const std::uint32_t count =
      std::min<std::uint32_t>(size, static_cast<std::uint32_t>(data.size()));
  std::copy_n(data.begin(), count, buffer);
  Complete(Latency(), false, count);
  trace_.Append(TraceReadLine(count));
  return true;
}

testerlink::Wait SimDriver::WaitCompletion(std::uint32_t milliseconds) {
  if (completion_wait_fails_) {
    completion_wait_fails_ = false;
    return testerlink::Wait::kFailed;
  }
  return WaitFor(&completion_, milliseconds);
}

testerlink::Wait SimDriver::WaitReply(std::uint32_t milliseconds) {
  return WaitFor(&reply_event_, milliseconds);
}

bool SimDriver::CompletedBytes(std::uint32_t* bytes) {
  if (!last_.completed || last_.failed) return false;
  // A request whose completion lies ahead has not completed yet.
  if (completion_.scheduled && completion_.at > Clock::now()) return false;
  *bytes = last_.bytes;
  return true;
}

void SimDriver::CancelIo() {
  completion_.scheduled = false;
  last_ = {};
  firmware_.ClearPendingData();
}

void SimDriver::Pause(std::uint32_t milliseconds) {
  SleepUntil(Clock::now() + std::chrono::milliseconds(milliseconds));
}

void SimDriver::CloseAll() {
  Save();
  trace_.Close();
  enumerator_open_ = false;
  interface_open_ = false;
  completion_ = {};
  reply_event_ = {};
  has_reply_ = false;
  firmware_.ClearPendingData();
  loaded_ = false;  // the next job loads the tester afresh
}

std::unique_ptr<testerlink::Driver> CreateDriverFromEnvironment() {
  const char* path = std::getenv(kSimulatorVariable);
  if (path == nullptr || *path == '\0') return nullptr;
  return std::make_unique<SimDriver>(path);
}

}  // namespace sim
