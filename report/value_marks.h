// The marks the tester sets on a wiring or screening value: bits 29 to 31 of the 32-bit pattern,
// the number in tenths of an ohm below them. Every report prints them the same way.
#pragma once

#include <cstdint>

namespace report {

inline constexpr std::uint32_t kMarkGreater = 1u << 29;  // ">" before the number
inline constexpr std::uint32_t kMarkC = 1u << 30;        // "C" after it
inline constexpr std::uint32_t kMarkD = 1u << 31;        // "D" after it, before a "C"
inline constexpr std::uint32_t kMarkedValueBits = kMarkGreater - 1;

// The number in ohm, marks apart.
constexpr double MarkedOhm(std::uint32_t raw) { return (raw & kMarkedValueBits) * 0.1; }

// ">" or "".
constexpr const char* MarkBefore(std::uint32_t raw) { return (raw & kMarkGreater) ? ">" : ""; }

// "", "C", "D" or "DC".
constexpr const char* MarkAfter(std::uint32_t raw) {
  constexpr const char* kSuffix[4] = {"", "C", "D", "DC"};
  return kSuffix[((raw & kMarkD) ? 2 : 0) + ((raw & kMarkC) ? 1 : 0)];
}

}  // namespace report
