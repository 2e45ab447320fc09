// The tester's USB driver as the tool sees it.
//
// One interface for the real driver (testerlink/win32/: "\\.\ZEL_USB_INFO", five DeviceIoControl
// requests, overlapped ReadFile/WriteFile) and for the simulated tester (sim/). The byte layouts of
// the request buffers are built and read by portable code (testerlink/driver_buffers.h); a driver
// only carries them. Every wait is bounded by the caller; nothing here polls.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace testerlink {

// Outcome of waiting for an event (WaitForSingleObject).
enum class Wait { kSignalled, kTimedOut, kFailed };

inline constexpr std::size_t kCountBufferSize = 16;    // request 0x90FF2038
inline constexpr std::size_t kNameBufferSize = 273;    // request 0x90FF2004
inline constexpr std::size_t kSetupBufferSize = 91;    // request 0x90FF2034
inline constexpr std::size_t kRegisterBufferSize = 4;  // request 0x90FF201C
inline constexpr std::size_t kReplyBufferSize = 72;    // request 0x90FF2024

class Driver {
 public:
  virtual ~Driver() = default;

  // Creates the I/O completion event and the reply notification event (auto-reset, not
  // signalled, unnamed). False when they cannot be created.
  [[nodiscard]] virtual bool CreateEvents() = 0;

  // The enumeration device: open (false: no driver installed or no device), the two synchronous
  // requests (false: the call itself returned failure), close.
  [[nodiscard]] virtual bool OpenEnumerator() = 0;
  [[nodiscard]] virtual bool RequestCount(std::span<std::uint8_t, kCountBufferSize> buffer) = 0;
  [[nodiscard]] virtual bool RequestName(std::span<std::uint8_t, kNameBufferSize> buffer) = 0;
  virtual void CloseEnumerator() = 0;

  // Opens the tester interface `path` ("\\.\" and the interface name) for overlapped I/O; it is the
  // device for every request below.
  [[nodiscard]] virtual bool OpenInterface(const std::string& path) = 0;

  // Overlapped requests, each naming the I/O completion event. The result is the call's own:
  // true only when the request completed within the call (a pending request returns false).
  // Buffers must stay valid until the request has completed or has been cancelled.
  [[nodiscard]] virtual bool RequestLinkSetup(std::span<std::uint8_t, kSetupBufferSize> buffer) = 0;
  [[nodiscard]] virtual bool RequestEventRegistration(
      std::span<std::uint8_t, kRegisterBufferSize> buffer) = 0;
  virtual bool RequestReply(std::span<std::uint8_t, kReplyBufferSize> buffer) = 0;
  virtual bool Write(const std::uint8_t* bytes, std::uint32_t length) = 0;
  virtual bool Read(std::uint8_t* buffer, std::uint32_t size) = 0;

  // The value the event registration hands to the driver: the reply event's handle value.
  virtual std::uint32_t ReplyEventValue() = 0;

  virtual void ResetCompletionEvent() = 0;
  virtual void ResetReplyEvent() = 0;
  virtual Wait WaitCompletion(std::uint32_t milliseconds) = 0;
  virtual Wait WaitReply(std::uint32_t milliseconds) = 0;

  // GetOverlappedResult of the last request, without waiting: false when it failed or has not
  // completed; otherwise the bytes it transferred.
  [[nodiscard]] virtual bool CompletedBytes(std::uint32_t* bytes) = 0;
  // The thread's last-error code after a wait (GetLastError).
  virtual std::uint32_t LastError() = 0;
  // Cancels every outstanding request on the interface (CancelIo) and returns only once the last
  // request has ended, so that its buffer may be released.
  virtual void CancelIo() = 0;

  // Every pause of the protocol (Sleep), so that scripted drivers in tests can answer at once and
  // record the pauses they were asked for.
  virtual void Pause(std::uint32_t milliseconds) = 0;

  // Closes the enumeration device, the interface and both events, each only if open.
  virtual void CloseAll() = 0;
};

// The platform's own driver: on Windows the real driver layer; elsewhere a driver whose
// enumeration device never opens (the tool then behaves as with no driver installed).
std::unique_ptr<Driver> CreatePlatformDriver();

}  // namespace testerlink
