// A progress-dialog front end that records what the completion watcher asks of it.
#pragma once

#include <condition_variable>
#include <mutex>

#include "testerlink/progress_dialog.h"

namespace linktest {

// Records what the watcher asks of the front end.
class RecordingView final : public testerlink::ProgressView {
 public:
  void RequestClose() override { Note(&close_requests_); }
  void JobEnded() override { Note(&ended_); }
  void Beep() override { Note(&beeps_); }

  void WaitForEnd() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return ended_ > 0; });
  }
  int close_requests() { return Get(close_requests_); }
  int beeps() { return Get(beeps_); }

 private:
  void Note(int* counter) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++*counter;
    changed_.notify_all();
  }
  int Get(int& counter) {
    std::lock_guard<std::mutex> lock(mutex_);
    return counter;
  }
  std::mutex mutex_;
  std::condition_variable changed_;
  int close_requests_ = 0, ended_ = 0, beeps_ = 0;
};

}  // namespace linktest
