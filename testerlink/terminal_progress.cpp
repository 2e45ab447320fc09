#include "testerlink/terminal_progress.h"

#include <algorithm>
#include <cstdio>

#include "platform/text_encoding.h"

namespace testerlink {
namespace {

constexpr int kBarCells = 30;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) return lines;
    start = end + 1;
  }
}

// The text with every run of digits as one '#': what stays when only a counter moves.
std::string WithoutFigures(const std::string& text) {
  std::string out;
  for (char c : text) {
    bool digit = c >= '0' && c <= '9';
    if (!digit) {
      out += c;
    } else if (out.empty() || out.back() != '#') {
      out += '#';
    }
  }
  return out;
}

}  // namespace

TerminalProgress::TerminalProgress(std::string title, std::string label, bool in_place, int width)
    : title_(std::move(title)),
      label_(std::move(label)),
      in_place_(in_place),
      width_(static_cast<std::size_t>(std::max(width - 1, 10))) {}

std::string TerminalProgress::Open(Clock::time_point now) {
  last_change_ = range_start_ = now;
  if (in_place_) return Draw(now, true);
  return platform::Cp1252ToUtf8(title_ + "  (" + label_ + ")") + "\n";
}

std::string TerminalProgress::ShowStatus(const std::string& text, Clock::time_point now) {
  status_ = text;
  if (in_place_) return Changed(now);
  std::string state = WithoutFigures(text);
  if (state == state_) return {};
  state_ = state;
  std::string out;
  for (const std::string& line : SplitLines(text)) out += platform::Cp1252ToUtf8(line) + "\n";
  return out;
}

std::string TerminalProgress::SetProgressRange(std::uint16_t low, std::uint16_t high,
                                               Clock::time_point now) {
  low_ = low;
  high_ = high;
  position_ = low;
  range_start_ = now;
  return in_place_ ? Changed(now) : std::string();
}

std::string TerminalProgress::SetProgressPos(std::uint16_t position, Clock::time_point now) {
  position_ = position;
  return in_place_ ? Changed(now) : std::string();
}

std::string TerminalProgress::SetHint(const std::string& hint, Clock::time_point now) {
  hint_ = hint;
  if (in_place_) return Changed(now);
  return hint.empty() ? std::string() : hint + "\n";
}

std::string TerminalProgress::Flush(Clock::time_point now) {
  if (!pending_ || now - last_draw_ < kRedrawInterval) return {};
  return Draw(now, true);
}

std::string TerminalProgress::Close() {
  if (!in_place_) return {};
  return Draw(last_change_, false);
}

std::string TerminalProgress::Changed(Clock::time_point now) {
  last_change_ = now;
  if (now - last_draw_ < kRedrawInterval) {
    pending_ = true;
    return {};
  }
  return Draw(now, true);
}

std::string TerminalProgress::BarLine(Clock::time_point now) const {
  int span = high_ > low_ ? high_ - low_ : 0;
  int done = span ? std::clamp<int>(position_, low_, high_) - low_ : 0;
  int cells = span ? done * kBarCells / span : 0;
  int percent = span ? done * 100 / span : 0;
  char tail[32];
  std::snprintf(tail, sizeof tail, "] %3d%%", percent);
  std::string bar = "[" + std::string(cells, '#') + std::string(kBarCells - cells, '.') + tail;
  auto elapsed = now - range_start_;
  if (elapsed >= kTimeLeftAfter && done > 0 && done < span) {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    long long left = (ms * (span - done) / done + 999) / 1000;
    std::snprintf(tail, sizeof tail, " %lld:%02lld left", left / 60, left % 60);
    bar += tail;
  }
  return bar;
}

std::string TerminalProgress::Draw(Clock::time_point now, bool with_hint) {
  // The status control's two lines, or more for a longer message: nothing of it is lost.
  std::vector<std::string> lines = SplitLines(status_);
  if (lines.size() < 2) lines.resize(2);
  lines.insert(lines.begin(), title_);
  lines.push_back(BarLine(now) + "  " + label_);
  if (with_hint) lines.push_back(hint_);
  std::string out;
  if (drawn_lines_ > 0) out += "\x1b[" + std::to_string(drawn_lines_) + "A";
  for (std::string& line : lines) {
    if (line.size() > width_) line.resize(width_);
    out += "\r\x1b[2K" + platform::Cp1252ToUtf8(line) + "\n";
  }
  // A shorter drawing than the last leaves nothing of it below.
  if (static_cast<int>(lines.size()) < drawn_lines_) out += "\x1b[J";
  drawn_lines_ = static_cast<int>(lines.size());
  last_draw_ = now;
  pending_ = false;
  return out;
}

}  // namespace testerlink
