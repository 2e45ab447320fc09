#include "tool/version_record.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "formats/bytes.h"
#include "platform/native_path.h"

namespace tool {

VersionRecord VersionRecord::Parse(std::span<const std::uint8_t> record) {
  // Copied into a zeroed record first, so that every missing byte reads as 0.
  std::array<std::uint8_t, formats::kVersionRecordSize> full{};
  std::copy_n(record.begin(), std::min(record.size(), full.size()), full.begin());
  const std::uint8_t* p = full.data();
  VersionRecord v;
  v.identity = formats::ReadText(p + formats::kIdentityOffset, formats::kIdentityWidth);
  v.major = p[formats::kMajorOffset];
  v.minor = p[formats::kMinorOffset];
  v.results_address = formats::ReadU32LE(p + formats::kResultsAddressOffset);
  v.results_length = formats::ReadU32LE(p + formats::kResultsLengthOffset);
  v.capabilities = formats::ReadU16LE(p + formats::kCapabilitiesOffset);
  v.acquisition_address = formats::ReadU32LE(p + formats::kAcquisitionAddressOffset);
  v.acquisition_length = formats::ReadU16LE(p + formats::kAcquisitionLengthOffset);
  return v;
}

std::optional<std::array<std::uint8_t, formats::kVersionRecordSize>> ReadVersionFile(
    const std::string& path) {
  std::string native = platform::NativePath(path);
  if (std::filesystem::is_directory(native)) return std::nullopt;
  std::ifstream file(native, std::ios::binary);
  if (!file) return std::nullopt;
  std::array<std::uint8_t, formats::kVersionRecordSize> record{};
  file.read(reinterpret_cast<char*>(record.data()), record.size());
  return record;
}

}  // namespace tool
