// Little-endian field access over byte buffers, shared by every reader and writer of the tester's
// binary formats. Each takes a pointer the caller has already bounds-checked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace formats {

inline std::uint16_t ReadU16LE(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t ReadU32LE(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline void WriteU16LE(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void WriteU32LE(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
  p[3] = static_cast<std::uint8_t>(v >> 24);
}

// A text field of `width` bytes: its bytes up to the first NUL or the field's end.
inline std::string ReadText(const std::uint8_t* p, std::size_t width) {
  const void* nul = std::memchr(p, 0, width);
  std::size_t length =
      nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - p) : width;
  return std::string(reinterpret_cast<const char*>(p), length);
}

}  // namespace formats
