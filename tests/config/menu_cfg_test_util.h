// Helpers shared by the converter's tests: run a source through the reader, read record fields.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "config/menu_cfg_converter.h"
#include "config/source_reader.h"
#include "formats/bytes.h"

namespace config_test {

inline config::MenuCfgConverter::SourceResult ReadFromBytes(config::MenuCfgConverter& converter,
                                                            const std::string& source) {
  config::SourceReader reader(std::span<const std::uint8_t>(
      reinterpret_cast<const std::uint8_t*>(source.data()), source.size()));
  return converter.ReadSource(reader);
}

inline std::uint32_t U32At(std::span<const std::uint8_t> area, std::size_t offset) {
  return formats::ReadU32LE(area.data() + offset);
}
inline std::uint16_t U16At(std::span<const std::uint8_t> area, std::size_t offset) {
  return formats::ReadU16LE(area.data() + offset);
}
inline std::string TextAt(std::span<const std::uint8_t> area, std::size_t offset,
                          std::size_t width) {
  return formats::ReadText(area.data() + offset, width);
}
inline std::vector<std::uint8_t> BytesAt(std::span<const std::uint8_t> area, std::size_t offset,
                                         std::size_t count) {
  return {area.begin() + offset, area.begin() + offset + count};
}

}  // namespace config_test
