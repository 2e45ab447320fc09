// Byte layouts of the driver's request buffers: built and read here, carried by a Driver.
//
// The real driver layer (testerlink/win32/) and the simulated tester only move these buffers; every
// offset the tool writes or examines lives in this one place and is tested on both builds.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "testerlink/driver.h"

namespace testerlink {

// DeviceIoControl codes (device type 0x90FF, METHOD_BUFFERED, FILE_ANY_ACCESS).
inline constexpr std::uint32_t kIoctlCount = 0x90FF2038;      // enumeration device: tester count
inline constexpr std::uint32_t kIoctlName = 0x90FF2004;       // enumeration device: interface name
inline constexpr std::uint32_t kIoctlLinkSetup = 0x90FF2034;  // interface: link set-up
inline constexpr std::uint32_t kIoctlRegisterEvent = 0x90FF201C;  // interface: reply event
inline constexpr std::uint32_t kIoctlFetchReply = 0x90FF2024;     // interface: acknowledgement

inline constexpr char kEnumeratorPath[] = "\\\\.\\ZEL_USB_INFO";

// The name reply carries a zero-terminated path at this offset (up to 256 bytes).
inline constexpr std::size_t kNameTextOffset = 17;
// "\\.\" (4 characters), at most 63 characters of interface name and the terminator.
inline constexpr std::size_t kInterfacePathSize = 68;
inline constexpr std::size_t kMaxInterfaceNameLength = kInterfacePathSize - 4 - 1;

void PrepareCountRequest(std::span<std::uint8_t, kCountBufferSize> buffer);
// The 32-bit tester count at offset 0 of the count reply.
std::uint32_t TesterCount(std::span<const std::uint8_t, kCountBufferSize> buffer);

void PrepareNameRequest(std::span<std::uint8_t, kNameBufferSize> buffer);
// The interface name in a name reply: what follows the last backslash of the text at offset 17
// (the whole text when it has none). The text ends at its first zero byte or the buffer's end.
std::string InterfaceName(std::span<const std::uint8_t, kNameBufferSize> buffer);

// "\\.\" followed by `name`, built in the 68-byte path buffer. False (and `path` untouched) when
// the name is longer than 63 characters or holds a zero byte: it would not fit.
[[nodiscard]] bool BuildInterfacePath(std::string_view name, std::string* path);

void PrepareLinkSetup(std::span<std::uint8_t, kSetupBufferSize> buffer);
void PrepareEventRegistration(std::span<std::uint8_t, kRegisterBufferSize> buffer,
                              std::uint32_t reply_event_value);
// Zeroes bytes 8 to 71 of the reply buffer before the fetch (bytes 0 to 7 are left as they are).
void PrepareReplyFetch(std::span<std::uint8_t, kReplyBufferSize> buffer);

// The tester's acknowledgement of one record, read from the 72-byte reply buffer.
struct Acknowledgement {
  enum Kind { kAccepted, kRefused, kInvalid } kind = kInvalid;
  bool has_code = false;  // a refusal with an error code (the tester sent 2 reply bytes)
  std::uint8_t code = 0;
};
Acknowledgement ReadAcknowledgement(std::span<const std::uint8_t, kReplyBufferSize> buffer);

// Writes an acknowledgement into a reply buffer as the driver delivers it (for drivers that model
// the tester: the simulator and test fakes). `code` < 0: a refusal without a code.
void WriteAcknowledgement(std::span<std::uint8_t, kReplyBufferSize> buffer, char kind, int code);

}  // namespace testerlink
