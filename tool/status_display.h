// The status display: the status line and progress bar of the current progress dialog.
//
// Called from the worker thread; an implementation applies each change before it returns (the
// Windows dialog sends synchronous window messages). Tests use a recording fake.
#pragma once

#include <cstdint>
#include <string>

namespace tool {

class StatusDisplay {
 public:
  virtual ~StatusDisplay() = default;
  // The text becomes the status line (a newline starts its second line).
  virtual void ShowStatus(const std::string& text) = 0;
  // PBM_SETRANGE with low and high.
  virtual void SetProgressRange(std::uint16_t low, std::uint16_t high) = 0;
  // PBM_SETPOS with position.
  virtual void SetProgressPos(std::uint16_t position) = 0;
};

}  // namespace tool
