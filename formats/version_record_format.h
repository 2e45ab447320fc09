// The layout of "VersionTr.zel": the first 40 bytes of the tester's general-information reply, as
// the tool keeps them, and its one reader (VersionRecord::Parse): the tool's version check, the
// result decoder and Morvane read the record through it; the simulated tester writes the fields
// at these offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "formats/bytes.h"

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

struct VersionRecord {
  std::size_t size = 0;  // the bytes the record held (at most kVersionRecordSize are read)
  std::string identity;  // up to its zero byte, at most 20 bytes
  std::uint8_t major = 0;
  std::uint8_t minor = 0;
  std::uint32_t results_address = 0;
  std::uint32_t results_length = 0;  // 0: no results stored
  std::uint16_t capabilities = 0;
  std::uint32_t acquisition_address = 0;
  std::uint16_t acquisition_length = 0;

  // Whether the record reached the version (the identity and both version bytes).
  bool HasVersion() const { return size > kMinorOffset; }

  // The fields of `record`; bytes it does not hold count as 0.
  static VersionRecord Parse(std::span<const std::uint8_t> record) {
    std::uint8_t full[kVersionRecordSize] = {};
    const std::size_t n = record.size() < kVersionRecordSize ? record.size() : kVersionRecordSize;
    for (std::size_t i = 0; i < n; ++i) full[i] = record[i];
    VersionRecord v;
    v.size = record.size();
    v.identity = ReadText(full + kIdentityOffset, kIdentityWidth);
    v.major = full[kMajorOffset];
    v.minor = full[kMinorOffset];
    v.results_address = ReadU32LE(full + kResultsAddressOffset);
    v.results_length = ReadU32LE(full + kResultsLengthOffset);
    v.capabilities = ReadU16LE(full + kCapabilitiesOffset);
    v.acquisition_address = ReadU32LE(full + kAcquisitionAddressOffset);
    v.acquisition_length = ReadU16LE(full + kAcquisitionLengthOffset);
    return v;
  }
  // The same for the bytes of a file.
  static VersionRecord Parse(std::string_view bytes) {
    return Parse(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                               bytes.size()));
  }
};

}  // namespace formats
