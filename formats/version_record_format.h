// The layout of "VersionTr.zel": the first 40 bytes of the tester's general-information reply, as
// the tool keeps them. The tool's version check, the result decoder, the simulated tester and
// Morvane's upload flow read and write its fields through these offsets.
#pragma once

#include <cstddef>
#include <cstdint>

namespace formats {

inline constexpr std::size_t kVersionRecordSize = 40;
inline constexpr std::size_t kIdentityWidth = 20;
inline constexpr char kTesterIdentity[] = "Quarnetik";
inline constexpr int kRequiredMajorVersion = 3;
inline constexpr std::uint16_t kRequiredCapability = 0x0004;

// Field offsets (little-endian numbers).
inline constexpr std::size_t kIdentityOffset = 0;
inline constexpr std::size_t kMajorOffset = 20;
inline constexpr std::size_t kMinorOffset = 21;
inline constexpr std::size_t kResultsAddressOffset = 22;
inline constexpr std::size_t kResultsLengthOffset = 26;
inline constexpr std::size_t kCapabilitiesOffset = 32;
inline constexpr std::size_t kAcquisitionAddressOffset = 34;
inline constexpr std::size_t kAcquisitionLengthOffset = 38;

}  // namespace formats
