// The progress dialog on a terminal: standard error drawn by TerminalProgress (in place when it is
// a terminal, one line per change of state otherwise); this file only asks the system whether it
// is a terminal and how wide, and reads the keys. A person at the terminal closes it with Enter,
// Escape or q once the job has ended; while it runs Enter does nothing and Escape or q beep. When
// nobody sits at the terminal it closes by itself once the job has ended.
#include "testerlink/run_progress_dialog.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>

#include "platform/message_box.h"
#include "testerlink/progress_dialog.h"
#include "testerlink/terminal_progress.h"
#include "testerlink/transfer_job.h"
#include "tool/status_display.h"

namespace testerlink {
namespace {

constexpr char kCloseRequest = 'C';
constexpr char kJobEnded = 'E';
constexpr char kEscape = 0x1B;
// How long the loop waits before drawing what the rate bound held back: one interval, and a bit.
constexpr int kFlushWaitMs =
    1 + std::chrono::duration_cast<std::chrono::milliseconds>(TerminalProgress::kRedrawInterval)
            .count();
constexpr char kHint[] = "Done: press Esc (or Enter) to close.";

int TerminalColumns() {
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

void Write(const std::string& text) {
  if (text.empty()) return;
  std::fputs(text.c_str(), stderr);
  std::fflush(stderr);
}

TerminalProgress::Clock::time_point Now() { return TerminalProgress::Clock::now(); }

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
      : screen_(std::move(title), std::move(label), isatty(STDERR_FILENO), TerminalColumns()),
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
    Write(screen_.ShowStatus(text, Now()));
  }
  void SetProgressRange(std::uint16_t low, std::uint16_t high) override {
    std::lock_guard<std::mutex> lock(mutex_);
    Write(screen_.SetProgressRange(low, high, Now()));
  }
  void SetProgressPos(std::uint16_t position) override {
    std::lock_guard<std::mutex> lock(mutex_);
    Write(screen_.SetProgressPos(position, Now()));
  }

  void RequestClose() override { Wake(kCloseRequest); }
  void JobEnded() override { Wake(kJobEnded); }

  // The dialog's modal loop: returns when the dialog ends.
  void Run(ProgressDialog& dialog) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      Write(screen_.Open(Now()));
    }
    dialog.Start(*this, *this);
    bool ended = false;
    for (;;) {
      int timeout = -1;
      {
        // A drawing held back by the rate bound is due within one interval.
        std::lock_guard<std::mutex> lock(mutex_);
        Write(screen_.Flush(Now()));
        if (screen_.pending()) timeout = kFlushWaitMs;
      }
      pollfd fds[2] = {{wake_[0], POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
      if (poll(fds, interactive_ ? 2 : 1, timeout) <= 0) continue;
      if (fds[0].revents & POLLIN) {
        char event = 0;
        if (read(wake_[0], &event, 1) == 1) {
          if (event == kCloseRequest && dialog.OnClose()) break;
          if (event == kJobEnded) {
            ended = true;
            if (!interactive_) break;
            std::lock_guard<std::mutex> lock(mutex_);
            Write(screen_.SetHint(kHint, Now()));
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
    Write(screen_.Close());
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

  std::mutex mutex_;
  TerminalProgress screen_;
  bool interactive_;
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
