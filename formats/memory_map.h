// The tester's address space: 1 MiB, little-endian, every area at a fixed place. The
// areas tile the space without overlap, so that each erase record clears whole areas and the reads
// of a results upload never reach into the results or the acquisition area.
#pragma once

#include <cstdint>

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

// The two fixed reads of a results upload ("CfgBin.zel", "MenuBin.zel"): the configuration area
// short of its last byte, and the menu from its entry count on, short of the acquisition area.
inline constexpr std::uint32_t kUploadConfigurationAddress = kConfigAddress;
inline constexpr std::uint32_t kUploadConfigurationLength = 0xFFFF;
inline constexpr std::uint32_t kUploadMenuAddress = kMenuCountAddress;
inline constexpr std::uint32_t kUploadMenuLength = 0x50000;
static_assert(kUploadConfigurationLength <= kConfigSize);
static_assert(kUploadMenuAddress + kUploadMenuLength <= kAcquisitionAddress);

// The information reply (answer to the general-information request).
inline constexpr std::uint32_t kInfoCapacity = 2048;
inline constexpr std::uint32_t kDefaultInfoLength = 64;

}  // namespace formats
