// The tester's USB driver on Windows: the enumeration device "\\.\ZEL_USB_INFO", the tester's
// interface opened for overlapped I/O, five DeviceIoControl requests, overlapped WriteFile and
// ReadFile. Only calls live here; every buffer layout is built by testerlink/driver_buffers.h.
#include <windows.h>

#include "testerlink/driver.h"
#include "testerlink/driver_buffers.h"

namespace testerlink {
namespace {

// A kernel handle that closes itself; "none" is null, whatever the opening call returned for it.
class OwnedHandle {
 public:
  OwnedHandle() = default;
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  ~OwnedHandle() { Reset(); }

  void Reset(HANDLE handle = nullptr) {
    if (handle_) CloseHandle(handle_);
    handle_ = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
  }
  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HANDLE handle_ = nullptr;
};

class Win32Driver final : public Driver {
 public:
  // The device goes before the events its requests signal.
  ~Win32Driver() override { CloseAll(); }

  bool CreateEvents() override {
    if (!completion_) completion_.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!reply_) reply_.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    return completion_ && reply_;
  }

  bool OpenEnumerator() override {
    enumerator_.Reset(CreateFileA(kEnumeratorPath, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    return static_cast<bool>(enumerator_);
  }
  bool RequestCount(std::span<std::uint8_t, kCountBufferSize> buffer) override {
    return Synchronous(kIoctlCount, buffer.data(), kCountBufferSize);
  }
  bool RequestName(std::span<std::uint8_t, kNameBufferSize> buffer) override {
    return Synchronous(kIoctlName, buffer.data(), kNameBufferSize);
  }
  void CloseEnumerator() override { enumerator_.Reset(); }

  bool OpenInterface(const std::string& path) override {
    device_.Reset(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr));
    return static_cast<bool>(device_);
  }

  bool RequestLinkSetup(std::span<std::uint8_t, kSetupBufferSize> buffer) override {
    return Overlapped(kIoctlLinkSetup, buffer.data(), kSetupBufferSize);
  }
  bool RequestEventRegistration(std::span<std::uint8_t, kRegisterBufferSize> buffer) override {
    return Overlapped(kIoctlRegisterEvent, buffer.data(), kRegisterBufferSize);
  }
  bool RequestReply(std::span<std::uint8_t, kReplyBufferSize> buffer) override {
    return Overlapped(kIoctlFetchReply, buffer.data(), kReplyBufferSize);
  }
  bool Write(const std::uint8_t* bytes, std::uint32_t length) override {
    PrepareOverlapped();
    return WriteFile(device_.get(), bytes, length, nullptr, &overlapped_) != 0;
  }
  bool Read(std::uint8_t* buffer, std::uint32_t size) override {
    PrepareOverlapped();
    return ReadFile(device_.get(), buffer, size, nullptr, &overlapped_) != 0;
  }

  std::uint32_t ReplyEventValue() override {
    // Handle values fit in 32 bits, even in a 64-bit process: the driver takes 4 bytes.
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(reply_.get()));
  }

  void ResetCompletionEvent() override { ResetEvent(completion_.get()); }
  void ResetReplyEvent() override { ResetEvent(reply_.get()); }
  Wait WaitCompletion(std::uint32_t milliseconds) override {
    return WaitOn(completion_.get(), milliseconds);
  }
  Wait WaitReply(std::uint32_t milliseconds) override { return WaitOn(reply_.get(), milliseconds); }

  bool CompletedBytes(std::uint32_t* bytes) override {
    DWORD transferred = 0;
    if (!GetOverlappedResult(device_.get(), &overlapped_, &transferred, FALSE)) return false;
    *bytes = transferred;
    return true;
  }
  std::uint32_t LastError() override { return GetLastError(); }

  void CancelIo() override {
    if (!device_) return;
    ::CancelIo(device_.get());
    // The buffer of a cancelled request may be released only once the driver has let go of it,
    // however long it takes to finish the cancel: a cancelled request always ends. The slices
    // only guard against a completion event signalled by an earlier request.
    while (!HasOverlappedIoCompleted(&overlapped_)) WaitForSingleObject(completion_.get(), 1000);
    DWORD transferred = 0;
    GetOverlappedResult(device_.get(), &overlapped_, &transferred, FALSE);
  }

  void Pause(std::uint32_t milliseconds) override { Sleep(milliseconds); }

  void CloseAll() override {
    enumerator_.Reset();
    device_.Reset();
    completion_.Reset();
    reply_.Reset();
  }

 private:
  static Wait WaitOn(HANDLE event, DWORD milliseconds) {
    switch (WaitForSingleObject(event, milliseconds)) {
      case WAIT_OBJECT_0:
        return Wait::kSignalled;
      case WAIT_TIMEOUT:
        return Wait::kTimedOut;
      default:
        return Wait::kFailed;
    }
  }

  bool Synchronous(DWORD code, std::uint8_t* buffer, DWORD size) {
    DWORD returned = 0;
    return DeviceIoControl(enumerator_.get(), code, buffer, size, buffer, size, &returned,
                           nullptr) != 0;
  }

  // Set-up, registration and reply fetch: the same buffer carries input and output. The
  // last-error code is cleared first, so that the check after the completion sees this request's.
  bool Overlapped(DWORD code, std::uint8_t* buffer, DWORD size) {
    PrepareOverlapped();
    SetLastError(0);
    DWORD returned = 0;
    return DeviceIoControl(device_.get(), code, buffer, size, buffer, size, &returned,
                           &overlapped_) != 0;
  }

  void PrepareOverlapped() {
    overlapped_ = OVERLAPPED{};
    overlapped_.hEvent = completion_.get();
  }

  OwnedHandle enumerator_;
  OwnedHandle device_;
  OwnedHandle completion_;
  OwnedHandle reply_;
  OVERLAPPED overlapped_{};
};

}  // namespace

std::unique_ptr<Driver> CreatePlatformDriver() { return std::make_unique<Win32Driver>(); }

}  // namespace testerlink
