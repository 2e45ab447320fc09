// The tester's address space: 1 MiB, little-endian, every area at a fixed place. The
// areas tile the space without overlap, so that each erase record clears whole areas and the reads
// of a results upload (configuration 0xE0000 + 0xFFFF, menu 0x819CA + 0x50000) never reach into
// the results or the acquisition area.
#pragma once

#include <cstdint>

#include "formats/version_record_format.h"

namespace formats {

inline constexpr std::uint32_t kMemorySize = 0x100000;

// Program areas (firmware): the BOOT and APPLICATION erase records clear them.
inline constexpr std::uint32_t kBootAddress = 0x00000;
inline constexpr std::uint32_t kBootSize = 0x10000;
inline constexpr std::uint32_t kApplicationAddress = 0x10000;
inline constexpr std::uint32_t kApplicationSize = 0x70000;

// Data areas: the DATA erase record clears all of them, from the menu area to the end.
inline constexpr std::uint32_t kDataAddress = 0x80000;
inline constexpr std::uint32_t kDataSize = kMemorySize - kDataAddress;

inline constexpr std::uint32_t kMenuAddress = 0x80000;       // marker word, then string table
inline constexpr std::uint32_t kMenuCountAddress = 0x819CA;  // u16 entry count
inline constexpr std::uint32_t kMenuEntriesAddress = 0x819CC;
inline constexpr std::uint32_t kAcquisitionAddress = 0xD2000;
inline constexpr std::uint32_t kAcquisitionSize = 0xE000;  // 14336 entries of 4 bytes
inline constexpr std::uint32_t kConfigAddress = 0xE0000;
inline constexpr std::uint32_t kConfigSize = 0x10000;
inline constexpr std::uint32_t kResultsAddress = 0xF0000;
inline constexpr std::uint32_t kResultsSize = 0x10000;

// The information reply (answer to the general-information request).
inline constexpr std::uint32_t kInfoCapacity = 2048;
inline constexpr std::uint32_t kDefaultInfoLength = 64;

// Offsets of the version record fields inside the information reply: the tool's own layout.
namespace info {
inline constexpr std::uint32_t kIdentity = formats::kIdentityOffset;  // zero-terminated
inline constexpr std::uint32_t kIdentityWidth = formats::kIdentityWidth;
inline constexpr std::uint32_t kMajor = formats::kMajorOffset;
inline constexpr std::uint32_t kMinor = formats::kMinorOffset;
inline constexpr std::uint32_t kResultsAddress = formats::kResultsAddressOffset;          // u32
inline constexpr std::uint32_t kResultsLength = formats::kResultsLengthOffset;            // u32
inline constexpr std::uint32_t kCapabilities = formats::kCapabilitiesOffset;              // u16
inline constexpr std::uint32_t kAcquisitionAddress = formats::kAcquisitionAddressOffset;  // u32
inline constexpr std::uint32_t kAcquisitionLength = formats::kAcquisitionLengthOffset;    // u16
inline constexpr std::uint32_t kRecordSize = formats::kVersionRecordSize;
}  // namespace info

}  // namespace formats
