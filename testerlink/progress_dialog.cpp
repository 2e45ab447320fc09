// The progress dialog's behaviour and the completion watcher.
#include "testerlink/progress_dialog.h"

#include "platform/message_box.h"
#include "testerlink/driver.h"
#include "testerlink/link_messages.h"
#include "testerlink/transfer_job.h"
#include "testerlink/transfer_worker.h"
#include "tool/message_table.h"

namespace testerlink {

void ProgressView::Beep() { platform::Beep(); }

void CompletionWatcher(TransferJob& job, std::thread& worker, ProgressView& view) {
  worker.join();
  job.state = kStateIdle;
  job.driver->CloseAll();
  job.file.reset();
  job.buffer.reset();
  // Unattended, nobody would close a dialog that stays: it closes once it may.
  if (job.auto_close || platform::Unattended()) view.RequestClose();
  if (job.result != kResultSuccess) view.Beep();
  view.JobEnded();
}

ProgressDialog::ProgressDialog(TransferJob& job, Driver& driver, tool::MessageTable& messages)
    : job_(job), driver_(driver), messages_(messages) {}

ProgressDialog::~ProgressDialog() {
  WaitForThreads();
  // The driver and the display of this run go with it; the job outlives both.
  job_.driver = nullptr;
  job_.display = nullptr;
}

const std::string& ProgressDialog::Title() const { return messages_.Text(kMsgTitle); }

void ProgressDialog::Start(tool::StatusDisplay& display, ProgressView& view) {
  job_.state = kStateRunning;
  job_.driver = &driver_;
  job_.display = &display;
  job_.messages = &messages_;
  job_.file.reset();
  job_.buffer.reset();
  view_ = &view;
  started_ = true;
  worker_ = std::thread(TransferWorker, std::ref(job_));
  // The watcher joins the worker, so it starts only once the worker's thread object is stored.
  watcher_ = std::thread(CompletionWatcher, std::ref(job_), std::ref(worker_), std::ref(view));
}

bool ProgressDialog::JobEnded() const { return job_.state.load() == kStateIdle; }

bool ProgressDialog::OnCancel() {
  if (job_.state == kStateIdle) return true;
  if (view_) {
    view_->Beep();
  } else {
    platform::Beep();
  }
  return false;
}

bool ProgressDialog::OnClose() { return OnCancel(); }

void ProgressDialog::WaitForThreads() {
  if (watcher_.joinable()) watcher_.join();
}

}  // namespace testerlink
