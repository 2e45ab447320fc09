// The first 40 bytes of the tester's general-information reply, kept in "VersionTr.zel": what the
// version check judges and what the results upload and the decoder take their areas from.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "formats/version_record_format.h"

namespace tool {

struct VersionRecord {
  std::string identity;  // up to its zero byte, at most 20 bytes
  std::uint8_t major = 0;
  std::uint8_t minor = 0;
  std::uint32_t results_address = 0;
  std::uint32_t results_length = 0;  // 0: no results stored
  std::uint16_t capabilities = 0;
  std::uint32_t acquisition_address = 0;
  std::uint16_t acquisition_length = 0;

  // The fields of `record`; bytes it does not hold count as 0.
  static VersionRecord Parse(std::span<const std::uint8_t> record);
};

// The first 40 bytes of `path` (a shorter file leaves the rest 0); nullopt when it cannot be
// opened.
std::optional<std::array<std::uint8_t, formats::kVersionRecordSize>> ReadVersionFile(
    const std::string& path);

}  // namespace tool
