#include "report/acquisition_curve.h"

#include <algorithm>
#include <cstdint>

namespace report {
namespace {

bool Empty(const AcquisitionBuffer& buffer, std::size_t k) {
  return buffer[k * kAcquisitionEntrySize] == 0xFF && buffer[k * kAcquisitionEntrySize + 1] == 0xFF;
}

}  // namespace

AcquisitionCurve BuildAcquisitionCurve(const LengthResult& length) {
  AcquisitionCurve curve;
  const AcquisitionBuffer& buffer = length.acquisition;
  for (std::size_t k = 0; k < kAcquisitionEntryCount; ++k) {
    if (Empty(buffer, k)) continue;
    curve.any_sample = true;
    curve.scale = std::max<int>(curve.scale, buffer[k * kAcquisitionEntrySize + 2]);
  }
  if (!curve.any_sample) return curve;
  curve.has_distance = length.vitesse != 0;
  // 27.7 ns per entry over the propagation speed in ns/m, halved for the way there and back.
  const double metres_per_entry = curve.has_distance ? 27.7 / (length.vitesse * 0.1) * 0.5 : 0;
  auto level = [&](std::size_t k) {
    if (curve.scale == 0) return 0;
    return (((buffer[k * kAcquisitionEntrySize + 3] & 0xFE) * 100) / curve.scale) & 0xFF;
  };
  // The text report compares the truncated distance with the length, both as int; so does the
  // cursor here, so that both reports name the same entry.
  auto whole_metres = [&](std::size_t k) {
    return static_cast<int>(std::min(metres_per_entry * static_cast<double>(k), 2147483647.0));
  };
  for (std::size_t k = 0; k < kAcquisitionEntryCount; ++k) {
    if (!Empty(buffer, k) && whole_metres(k) >= static_cast<int>(length.longueur_mes)) {
      curve.cursor_level = level(k);
      curve.cursor_distance = metres_per_entry * static_cast<double>(k);
      break;
    }
  }
  for (std::size_t k = 0; k < kAcquisitionEntryCount && !Empty(buffer, k); ++k) {
    curve.points.push_back({k, metres_per_entry * static_cast<double>(k), level(k)});
  }
  return curve;
}

}  // namespace report
