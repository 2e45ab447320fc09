// The reflection curve of the length test as points, by the text report's rules: the curve runs
// from entry 0 to the first empty entry, the scale is the largest byte 2 of every non-empty entry,
// and the cursor is the first non-empty entry at or beyond the measured length.
#pragma once

#include <cstddef>
#include <vector>

#include "report/result_model.h"

namespace report {

struct CurvePoint {
  std::size_t entry = 0;
  double distance = 0;  // metres, not truncated; 0 without a propagation speed
  int level = 0;        // percent of the scale, low 8 bits, as the text report prints it
};

struct AcquisitionCurve {
  bool any_sample = false;    // some entry of the buffer holds a sample
  bool has_distance = false;  // the propagation speed is not 0
  int scale = 0;
  std::vector<CurvePoint> points;  // up to the first empty entry
  int cursor_level = -1;           // -1 when no entry lies at or beyond the measured length
  double cursor_distance = 0;
};

AcquisitionCurve BuildAcquisitionCurve(const LengthResult& length);

}  // namespace report
