// Linux has no driver for the tester: the enumeration device never opens, so every job ends as
// with no driver installed (result 1). The simulated tester is selected before this is reached.
#include "testerlink/driver.h"

namespace testerlink {
namespace {

class NoDriver final : public Driver {
 public:
  bool CreateEvents() override { return true; }
  bool OpenEnumerator() override { return false; }
  bool RequestCount(std::span<std::uint8_t, kCountBufferSize>) override { return false; }
  bool RequestName(std::span<std::uint8_t, kNameBufferSize>) override { return false; }
  void CloseEnumerator() override {}
  bool OpenInterface(const std::string&) override { return false; }
  bool RequestLinkSetup(std::span<std::uint8_t, kSetupBufferSize>) override { return false; }
  bool RequestEventRegistration(std::span<std::uint8_t, kRegisterBufferSize>) override {
    return false;
  }
  bool RequestReply(std::span<std::uint8_t, kReplyBufferSize>) override { return false; }
  bool Write(const std::uint8_t*, std::uint32_t) override { return false; }
  bool Read(std::uint8_t*, std::uint32_t) override { return false; }
  std::uint32_t ReplyEventValue() override { return 0; }
  void ResetCompletionEvent() override {}
  void ResetReplyEvent() override {}
  Wait WaitCompletion(std::uint32_t) override { return Wait::kFailed; }
  Wait WaitReply(std::uint32_t) override { return Wait::kFailed; }
  bool CompletedBytes(std::uint32_t*) override { return false; }
  std::uint32_t LastError() override { return 0; }
  void CancelIo() override {}
  void Pause(std::uint32_t) override {}
  void CloseAll() override {}
};

}  // namespace

std::unique_ptr<Driver> CreatePlatformDriver() { return std::make_unique<NoDriver>(); }

}  // namespace testerlink
