// Opening the tester and the four low-level exchanges.
#include "testerlink/tester_access.h"

#include <array>
#include <string>

#include "testerlink/driver_buffers.h"
#include "testerlink/link_messages.h"
#include "testerlink/transfer_job.h"

namespace testerlink {
namespace {

bool Fail(TransferJob& job, int message, std::int32_t result) {
  ShowMessage(job, message);
  job.result = result;
  return false;
}

// Sends one overlapped set-up request and waits for its completion; the three outcomes map to
// the three results of the step (refused, late, completed with an error).
template <typename Request>
bool SetupStep(TransferJob& job, Request request, int first_message, std::int32_t first_result) {
  Driver& driver = *job.driver;
  driver.ResetCompletionEvent();
  if (!request()) {
    driver.CancelIo();  // a pending request must not outlive the buffer it writes into
    return Fail(job, first_message, first_result);
  }
  if (driver.WaitCompletion(kCompletionWaitMs) != Wait::kSignalled) {
    driver.CancelIo();
    return Fail(job, first_message + 1, first_result + 1);
  }
  if (driver.LastError() != 0) return Fail(job, first_message + 2, first_result + 2);
  return true;
}

}  // namespace

bool OpenTester(TransferJob& job) {
  Driver& driver = *job.driver;
  bool events = driver.CreateEvents();
  ShowMessage(job, kMsgTitle);
  // Without events no request can complete: the tester cannot be reached.
  if (!events || !driver.OpenEnumerator()) return Fail(job, kMsgNoDevice, 1);

  std::array<std::uint8_t, kCountBufferSize> count_buffer;
  PrepareCountRequest(count_buffer);
  if (!driver.RequestCount(count_buffer)) return Fail(job, kMsgCountFailed, 2);
  std::uint32_t count = TesterCount(count_buffer);
  if (count >= 2) return Fail(job, kMsgSeveralTesters, 3);
  if (count == 0) return Fail(job, kMsgNoTester, 4);

  std::array<std::uint8_t, kNameBufferSize> name_buffer;
  PrepareNameRequest(name_buffer);
  if (!driver.RequestName(name_buffer)) return Fail(job, kMsgNameFailed, 5);
  std::string path;
  bool fits = BuildInterfacePath(InterfaceName(name_buffer), &path);

  driver.CloseEnumerator();
  // A name too long for the path buffer cannot name an interface we could open.
  if (!fits || !driver.OpenInterface(path)) return Fail(job, kMsgOpenInterfaceFailed, 6);

  std::array<std::uint8_t, kSetupBufferSize> setup;
  PrepareLinkSetup(setup);
  if (!SetupStep(
          job, [&] { return driver.RequestLinkSetup(setup); }, kMsgSetupRefused, 7)) {
    return false;
  }
  std::array<std::uint8_t, kRegisterBufferSize> registration;
  PrepareEventRegistration(registration, driver.ReplyEventValue());
  if (!SetupStep(
          job, [&] { return driver.RequestEventRegistration(registration); }, kMsgRegisterRefused,
          10)) {
    return false;
  }
  driver.Pause(kSetupPauseMs);
  return true;
}

bool WriteRecord(TransferJob& job, const std::uint8_t* bytes, std::uint32_t length) {
  Driver& driver = *job.driver;
  driver.ResetCompletionEvent();
  driver.ResetReplyEvent();
  (void)driver.Write(bytes, length);
  Wait wait = driver.WaitCompletion(kCompletionWaitMs);
  if (wait != Wait::kSignalled) {
    driver.CancelIo();
    ShowMessage(job, wait == Wait::kTimedOut ? kMsgWriteTimeOut : kMsgWriteError);
    return false;
  }
  std::uint32_t written = 0;
  if (!driver.CompletedBytes(&written) || written != length) {
    driver.CancelIo();
    ShowMessage(job, kMsgWriteError);
    return false;
  }
  return true;
}

bool WaitReplyNotification(TransferJob& job, std::uint32_t milliseconds) {
  return job.driver->WaitReply(milliseconds) == Wait::kSignalled;
}

bool FetchReply(TransferJob& job, std::span<std::uint8_t, kReplyBufferSize> reply) {
  Driver& driver = *job.driver;
  driver.ResetCompletionEvent();
  PrepareReplyFetch(reply);
  (void)driver.RequestReply(reply);
  if (driver.WaitCompletion(kCompletionWaitMs) != Wait::kSignalled) {
    driver.CancelIo();
    ShowMessage(job, kMsgReplyLate);
    return false;
  }
  std::uint32_t bytes = 0;
  if (!driver.CompletedBytes(&bytes)) {
    driver.CancelIo();
    ShowMessage(job, kMsgReplyFailed);
    return false;
  }
  return true;
}

ReadOutcome ReadData(TransferJob& job, std::uint8_t* buffer, std::uint32_t size) {
  Driver& driver = *job.driver;
  driver.ResetCompletionEvent();
  (void)driver.Read(buffer, size);
  ReadOutcome outcome;
  switch (driver.WaitCompletion(kCompletionWaitMs)) {
    case Wait::kSignalled:
      break;
    case Wait::kTimedOut:
      driver.CancelIo();
      outcome.status = ReadOutcome::kTimedOut;
      return outcome;
    case Wait::kFailed:
      driver.CancelIo();
      outcome.status = ReadOutcome::kWaitFailed;
      return outcome;
  }
  if (!driver.CompletedBytes(&outcome.bytes) || outcome.bytes > size) {
    driver.CancelIo();
    outcome.status = ReadOutcome::kFailed;
    outcome.bytes = 0;
    return outcome;
  }
  outcome.status = ReadOutcome::kCompleted;
  return outcome;
}

}  // namespace testerlink
