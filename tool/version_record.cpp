#include "tool/version_record.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "config/bytes.h"
#include "platform/native_path.h"

namespace tool {

VersionRecord VersionRecord::Parse(std::span<const std::uint8_t> record) {
  // Copied into a zeroed record first, so that every missing byte reads as 0.
  std::array<std::uint8_t, kVersionRecordSize> full{};
  std::copy_n(record.begin(), std::min(record.size(), full.size()), full.begin());
  const std::uint8_t* p = full.data();
  VersionRecord v;
  v.identity = bytes::ReadText(p + kIdentityOffset, kIdentityWidth);
  v.major = p[kMajorOffset];
  v.minor = p[kMinorOffset];
  v.results_address = bytes::ReadU32LE(p + kResultsAddressOffset);
  v.results_length = bytes::ReadU32LE(p + kResultsLengthOffset);
  v.capabilities = bytes::ReadU16LE(p + kCapabilitiesOffset);
  v.acquisition_address = bytes::ReadU32LE(p + kAcquisitionAddressOffset);
  v.acquisition_length = bytes::ReadU16LE(p + kAcquisitionLengthOffset);
  return v;
}

std::optional<std::array<std::uint8_t, kVersionRecordSize>> ReadVersionFile(
    const std::string& path) {
  std::string native = platform::NativePath(path);
  if (std::filesystem::is_directory(native)) return std::nullopt;
  std::ifstream file(native, std::ios::binary);
  if (!file) return std::nullopt;
  std::array<std::uint8_t, kVersionRecordSize> record{};
  file.read(reinterpret_cast<char*>(record.data()), record.size());
  return record;
}

}  // namespace tool
