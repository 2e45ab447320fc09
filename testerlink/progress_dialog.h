// What the progress dialog does, whatever draws it: starting the transfer worker and the
// completion watcher when it opens, refusing to close while the job runs, closing by itself after
// a successful information read. The platform front ends (testerlink/win32/, testerlink/posix/)
// only draw the controls and forward the user's keys to OnOK, OnCancel and OnClose.
#pragma once

#include <string>
#include <thread>

namespace tool {
class MessageTable;
class StatusDisplay;
}  // namespace tool

namespace testerlink {

class Driver;
struct TransferJob;

// The front end's side, called from the completion watcher's thread.
class ProgressView {
 public:
  virtual ~ProgressView() = default;
  // Asks the interface thread to close the dialog (posts a close message); does not wait.
  virtual void RequestClose() = 0;
  // The watcher's last call: the worker has ended and the job's resources are released.
  virtual void JobEnded() {}
  // The default beep (platform::Beep); tests record it instead.
  virtual void Beep();
};

// Thread procedure of the completion watcher: waits for `worker`, sets the state to idle, releases
// the job's handles and buffer, requests the close after a successful information read (or
// whenever HALVEN_UNATTENDED is set), beeps on failure, then calls view.JobEnded().
void CompletionWatcher(TransferJob& job, std::thread& worker, ProgressView& view);

class ProgressDialog {
 public:
  ProgressDialog(TransferJob& job, Driver& driver, tool::MessageTable& messages);
  // Waits for the threads, if they were started.
  ~ProgressDialog();
  ProgressDialog(const ProgressDialog&) = delete;
  ProgressDialog& operator=(const ProgressDialog&) = delete;

  // The window title: message 0.
  const std::string& Title() const;

  // When the dialog opens: state running, the job's run fields, then the worker and the watcher.
  // `display` and `view` must outlive the threads (see WaitForThreads).
  void Start(tool::StatusDisplay& display, ProgressView& view);

  // Enter: nothing.
  void OnOK() {}
  // True once the job has ended (the dialog may close).
  bool JobEnded() const;
  // Escape and the close button: true when the dialog may end now; while the job runs, a beep and
  // false.
  [[nodiscard]] bool OnCancel();
  [[nodiscard]] bool OnClose();

  // Waits until the worker and the watcher have ended (call once the dialog has closed).
  void WaitForThreads();
  bool started() const { return started_; }

 private:
  TransferJob& job_;
  Driver& driver_;
  tool::MessageTable& messages_;
  std::thread worker_;
  std::thread watcher_;
  ProgressView* view_ = nullptr;
  bool started_ = false;
};

}  // namespace testerlink
