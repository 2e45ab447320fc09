// The progress dialog on a terminal: title, the two status lines, the progress bar and the version
// label, redrawn in place on standard error when it is a terminal, printed as plain lines
// otherwise. A person at the terminal closes it with Enter, Escape or q once the job has ended;
// while it runs Enter does nothing and Escape or q beep. When nobody sits at the terminal it
// closes by itself once the job has ended.
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "testerlink/progress_dialog.h"
#include "testerlink/run_progress_dialog.h"
#include "testerlink/transfer_job.h"
#include "platform/message_box.h"
#include "platform/text_encoding.h"
#include "tool/status_display.h"

namespace testerlink {
namespace {

constexpr int kBarCells = 30;
constexpr char kCloseRequest = 'C';
constexpr char kJobEnded = 'E';
constexpr char kEscape = 0x1B;

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

int TerminalColumns() {
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

void Write(const std::string& text) {
  std::fputs(text.c_str(), stderr);
  std::fflush(stderr);
}

// Standard input switched to single keys without echo for as long as the dialog is open.
class RawKeys {
 public:
  RawKeys() {
    if (tcgetattr(STDIN_FILENO, &saved_) != 0) return;
    termios raw = saved_;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    active_ = tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
  }
  ~RawKeys() {
    if (active_) tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
  }
  RawKeys(const RawKeys&) = delete;
  RawKeys& operator=(const RawKeys&) = delete;

 private:
  termios saved_{};
  bool active_ = false;
};

class TerminalDialog final : public tool::StatusDisplay, public ProgressView {
 public:
  TerminalDialog(std::string title, std::string label, bool interactive)
      : title_(std::move(title)),
        label_(std::move(label)),
        in_place_(isatty(STDERR_FILENO)),
        interactive_(interactive) {
    if (pipe(wake_) != 0) wake_[0] = wake_[1] = -1;
  }
  ~TerminalDialog() override {
    if (wake_[0] >= 0) close(wake_[0]);
    if (wake_[1] >= 0) close(wake_[1]);
  }

  bool usable() const { return wake_[0] >= 0; }

  void ShowStatus(const std::string& text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    status_ = text;
    if (in_place_) {
      Draw();
    } else {
      for (const std::string& line : SplitLines(text)) Write(platform::Cp1252ToUtf8(line) + "\n");
    }
  }
  void SetProgressRange(std::uint16_t low, std::uint16_t high) override {
    std::lock_guard<std::mutex> lock(mutex_);
    low_ = low;
    high_ = high;
    position_ = low;
    last_decile_ = -1;
    if (in_place_) Redraw();
  }
  void SetProgressPos(std::uint16_t position) override {
    std::lock_guard<std::mutex> lock(mutex_);
    position_ = position;
    Redraw();
  }

  void RequestClose() override { Wake(kCloseRequest); }
  void JobEnded() override { Wake(kJobEnded); }

  // The dialog's modal loop: returns when the dialog ends.
  void Run(ProgressDialog& dialog) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (in_place_) {
        Draw();
      } else {
        Write(platform::Cp1252ToUtf8(title_ + "  (" + label_ + ")") + "\n");
      }
    }
    dialog.Start(*this, *this);
    bool ended = false;
    for (;;) {
      pollfd fds[2] = {{wake_[0], POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
      if (poll(fds, interactive_ ? 2 : 1, -1) < 0) continue;
      if (fds[0].revents & POLLIN) {
        char event = 0;
        if (read(wake_[0], &event, 1) == 1) {
          if (event == kCloseRequest && dialog.OnClose()) break;
          if (event == kJobEnded) {
            ended = true;
            if (!interactive_) break;
            std::lock_guard<std::mutex> lock(mutex_);
            hint_ = "Esc: close";
            Redraw();
          }
        }
      }
      if (interactive_ && (fds[1].revents & (POLLIN | POLLHUP))) {
        char keys[16];
        ssize_t n = read(STDIN_FILENO, keys, sizeof keys);
        if (n <= 0) {
          // Standard input is gone: nobody can close the dialog any more.
          interactive_ = false;
          if (ended) break;
          continue;
        }
        if (HandleKeys(dialog, std::string(keys, static_cast<std::size_t>(n)))) break;
      }
    }
    std::lock_guard<std::mutex> lock(mutex_);
    if (in_place_) Write("\n");
  }

 private:
  // True when the keys end the dialog. A lone Escape is the Escape key; longer sequences that
  // begin with it are other keys (arrows...) and are ignored.
  static bool HandleKeys(ProgressDialog& dialog, const std::string& keys) {
    if (keys.size() == 1 && keys[0] == kEscape) return dialog.OnCancel();
    if (keys[0] == kEscape) return false;
    for (char key : keys) {
      if (key == 'q' || key == 'Q') return dialog.OnClose();
      if (key == '\r' || key == '\n') {
        // A terminal has no close box: Enter ends a finished job's dialog, as the user expects.
        if (dialog.JobEnded()) return dialog.OnClose();
        dialog.OnOK();
      }
    }
    return false;
  }

  void Wake(char event) {
    if (wake_[1] >= 0) (void)!write(wake_[1], &event, 1);
  }

  std::string Bar() const {
    int span = high_ > low_ ? high_ - low_ : 0;
    int done = span ? (std::clamp<int>(position_, low_, high_) - low_) * kBarCells / span : 0;
    int percent = span ? (std::clamp<int>(position_, low_, high_) - low_) * 100 / span : 0;
    char tail[16];
    std::snprintf(tail, sizeof tail, "] %3d%%", percent);
    return "[" + std::string(done, '#') + std::string(kBarCells - done, '.') + tail;
  }

  void Redraw() {
    if (in_place_) {
      // Most position changes leave the bar as it was: redraw only when it changes.
      std::string bar = Bar();
      if (bar == drawn_bar_ && hint_ == drawn_hint_) return;
      Draw();
    } else if (high_ > low_) {
      // Plain lines: one bar line per tenth of the range.
      int decile = (std::clamp<int>(position_, low_, high_) - low_) * 10 / (high_ - low_);
      if (decile != last_decile_) {
        last_decile_ = decile;
        Write(Bar() + "\n");
      }
    }
  }

  void Draw() {
    std::size_t width = static_cast<std::size_t>(std::max(TerminalColumns() - 1, 10));
    std::vector<std::string> status = SplitLines(status_);
    status.resize(2);
    std::string bar = Bar();
    std::vector<std::string> lines = {title_, status[0], status[1], bar + "  " + label_, hint_};
    std::string out;
    if (drawn_lines_ > 0) out += "\x1b[" + std::to_string(drawn_lines_) + "A";
    for (std::string& line : lines) {
      if (line.size() > width) line.resize(width);
      out += "\r\x1b[2K" + platform::Cp1252ToUtf8(line) + "\n";
    }
    drawn_lines_ = static_cast<int>(lines.size());
    drawn_bar_ = bar;
    drawn_hint_ = hint_;
    Write(out);
  }

  std::mutex mutex_;
  const std::string title_;
  const std::string label_;
  std::string status_;
  std::string hint_;
  std::uint16_t low_ = 0, high_ = 100, position_ = 0;
  const bool in_place_;
  bool interactive_;
  int drawn_lines_ = 0;
  std::string drawn_bar_;
  std::string drawn_hint_;
  int last_decile_ = -1;
  int wake_[2] = {-1, -1};
};

}  // namespace

std::int32_t RunProgressDialog(TransferJob& job, Driver& driver, tool::MessageTable& messages,
                               const std::string& version_label) {
  ProgressDialog dialog(job, driver, messages);
  bool interactive = !platform::Unattended() && isatty(STDIN_FILENO);
  TerminalDialog terminal(dialog.Title(), version_label, interactive);
  if (!terminal.usable()) return -1;
  {
    std::unique_ptr<RawKeys> keys;
    if (interactive) keys = std::make_unique<RawKeys>();
    terminal.Run(dialog);
  }
  dialog.WaitForThreads();
  return job.result;
}

}  // namespace testerlink
