// Byte layouts of the driver's request buffers.
#include "testerlink/driver_buffers.h"

#include <algorithm>
#include <cstring>

#include "formats/bytes.h"

namespace testerlink {
namespace {

constexpr std::size_t kReplyCountOffset = 0;
constexpr std::size_t kReplyKindOffset = 8;
constexpr std::size_t kReplyCodeOffset = 9;
constexpr std::size_t kReplyZeroedFrom = 8;
constexpr std::size_t kSetupZeroedBytes = 12;

}  // namespace

void PrepareCountRequest(std::span<std::uint8_t, kCountBufferSize> buffer) {
  std::fill(buffer.begin(), buffer.end(), 0);
}

std::uint32_t TesterCount(std::span<const std::uint8_t, kCountBufferSize> buffer) {
  return formats::ReadU32LE(buffer.data());
}

void PrepareNameRequest(std::span<std::uint8_t, kNameBufferSize> buffer) {
  std::fill(buffer.begin(), buffer.end(), 0);
}

std::string InterfaceName(std::span<const std::uint8_t, kNameBufferSize> buffer) {
  std::string text =
      formats::ReadText(buffer.data() + kNameTextOffset, kNameBufferSize - kNameTextOffset);
  std::size_t backslash = text.rfind('\\');
  return backslash == std::string::npos ? text : text.substr(backslash + 1);
}

bool BuildInterfacePath(std::string_view name, std::string* path) {
  if (name.size() > kMaxInterfaceNameLength || name.find('\0') != std::string_view::npos) {
    return false;
  }
  std::array<char, kInterfacePathSize> buffer{};
  std::memcpy(buffer.data(), "\\\\.\\", 4);
  std::memcpy(buffer.data() + 4, name.data(), name.size());
  *path = std::string(buffer.data(), 4 + name.size());
  return true;
}

void PrepareLinkSetup(std::span<std::uint8_t, kSetupBufferSize> buffer) {
  // Only bytes 0 to 11 are defined; the rest is zeroed too, so nothing stale reaches the driver.
  std::fill(buffer.begin(), buffer.end(), 0);
  static_assert(kSetupZeroedBytes <= kSetupBufferSize);
}

void PrepareEventRegistration(std::span<std::uint8_t, kRegisterBufferSize> buffer,
                              std::uint32_t reply_event_value) {
  formats::WriteU32LE(buffer.data(), reply_event_value);
}

void PrepareReplyFetch(std::span<std::uint8_t, kReplyBufferSize> buffer) {
  std::fill(buffer.begin() + kReplyZeroedFrom, buffer.end(), 0);
}

Acknowledgement ReadAcknowledgement(std::span<const std::uint8_t, kReplyBufferSize> buffer) {
  Acknowledgement ack;
  switch (buffer[kReplyKindOffset]) {
    case 'O':
      ack.kind = Acknowledgement::kAccepted;
      break;
    case 'K':
      ack.kind = Acknowledgement::kRefused;
      ack.has_code = formats::ReadU32LE(buffer.data() + kReplyCountOffset) == 2;
      ack.code = ack.has_code ? buffer[kReplyCodeOffset] : 0;
      break;
    default:
      ack.kind = Acknowledgement::kInvalid;
      break;
  }
  return ack;
}

void WriteAcknowledgement(std::span<std::uint8_t, kReplyBufferSize> buffer, char kind, int code) {
  std::fill(buffer.begin(), buffer.end(), 0);
  bool with_code = code >= 0;
  formats::WriteU32LE(buffer.data() + kReplyCountOffset, with_code ? 2 : 1);
  buffer[kReplyKindOffset] = static_cast<std::uint8_t>(kind);
  if (with_code) buffer[kReplyCodeOffset] = static_cast<std::uint8_t>(code);
}

}  // namespace testerlink
