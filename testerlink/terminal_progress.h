// The progress dialog's controls as text for a terminal front end, whatever the system.
//
// On a terminal (in place) the title, the status lines (two, or more for a longer text), the bar
// with its percentage (and the time left once a transfer has run a few seconds) beside the version
// label, and a hint line are redrawn where they stand, at most once per kRedrawInterval, so that a
// fast job is not slowed by its own screen; Close leaves the final state on screen. Otherwise (a
// file or a pipe) one entry per change of state: the title line once, then a status text whenever
// it changes other than in its figures ("Send data line (3)" and "(4)" are one state), and no bar.
//
// Each call returns the bytes to write (UTF-8, possibly empty); the caller writes them and keeps
// the calls in one order. Status texts are shown byte for byte, in Windows-1252 turned to UTF-8.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace testerlink {

class TerminalProgress {
 public:
  using Clock = std::chrono::steady_clock;
  // 20 redraws a second look continuous and cost a job of a thousand updates nearly nothing.
  static constexpr Clock::duration kRedrawInterval = std::chrono::milliseconds(50);
  // The time left is shown once a range has been under way this long (short jobs need none).
  static constexpr Clock::duration kTimeLeftAfter = std::chrono::seconds(3);

  // `width`: the terminal's columns (lines are cut one short of it, so that none wraps).
  TerminalProgress(std::string title, std::string label, bool in_place, int width);

  std::string Open(Clock::time_point now);
  std::string ShowStatus(const std::string& text, Clock::time_point now);
  std::string SetProgressRange(std::uint16_t low, std::uint16_t high, Clock::time_point now);
  std::string SetProgressPos(std::uint16_t position, Clock::time_point now);
  // The last line, for what the person at the terminal may do ("" for none).
  std::string SetHint(const std::string& hint, Clock::time_point now);
  // The drawing held back by the rate bound, once its time has come ("" if none or not yet).
  std::string Flush(Clock::time_point now);
  // True while a drawing is held back; the caller calls Flush again within kRedrawInterval.
  bool pending() const { return pending_; }
  // The final state, drawn whatever the rate; the hint line goes.
  std::string Close();

  // The bar: "[####......]  40%", with " 0:12 left" once known.
  std::string BarLine(Clock::time_point now) const;

 private:
  std::string Changed(Clock::time_point now);
  std::string Draw(Clock::time_point now, bool with_hint);

  const std::string title_;
  const std::string label_;
  const bool in_place_;
  const std::size_t width_;
  std::string status_;
  std::string state_;  // the status text without its figures, in plain mode
  std::string hint_;
  std::uint16_t low_ = 0, high_ = 100, position_ = 0;
  Clock::time_point range_start_{};
  Clock::time_point last_draw_{};
  Clock::time_point last_change_{};
  int drawn_lines_ = 0;
  bool pending_ = false;
};

}  // namespace testerlink
