#include "testerlink/progress_dialog.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "platform/message_box.h"
#include "tests/testerlink/link_fixture.h"
#include "tests/testerlink/recording_view.h"

namespace testerlink {
namespace {

// Holds the worker in its start pause until released.
class Gate {
 public:
  void Wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    open_cv_.wait(lock, [&] { return open_; });
  }
  void Open() {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = true;
    open_cv_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable open_cv_;
  bool open_ = false;
};

class ProgressDialogTest : public linktest::LinkTest {
 protected:
  ProgressDialogTest() : LinkTest(fakes::TempFolder::kCurrent) {
    job.state = kStateIdle;
    driver.on_pause = [&](std::uint32_t ms) {
      if (ms == 1000) gate.Wait();
    };
  }

  Gate gate;
  linktest::RecordingView view;
};

TEST_F(ProgressDialogTest, RefusesToCloseWhileTheJobRuns) {
  job.options = kOptionInformationG;
  ProgressDialog dialog(job, driver, messages);
  EXPECT_EQ(dialog.Title(), "Upload of the results.");
  EXPECT_TRUE(dialog.OnCancel());  // not started: idle
  dialog.Start(display, view);
  EXPECT_EQ(job.state, kStateRunning);
  dialog.OnOK();
  EXPECT_FALSE(dialog.OnCancel());
  EXPECT_FALSE(dialog.OnClose());
  EXPECT_EQ(view.beeps(), 2);

  gate.Open();
  view.WaitForEnd();
  EXPECT_EQ(job.state, kStateIdle);
  EXPECT_TRUE(dialog.OnClose());
  EXPECT_TRUE(dialog.OnCancel());
  dialog.WaitForThreads();
  EXPECT_EQ(job.result, 0);
  EXPECT_EQ(view.close_requests(), 1);  // closes by itself after an information read
  EXPECT_EQ(view.beeps(), 2);           // and does not beep
  EXPECT_TRUE(driver.closed);
}

TEST_F(ProgressDialogTest, FailureBeepsAndStaysOpen) {
  gate.Open();
  driver.enumerator = false;
  job.options = kOptionInformationG;
  ProgressDialog dialog(job, driver, messages);
  dialog.Start(display, view);
  view.WaitForEnd();
  dialog.WaitForThreads();
  EXPECT_EQ(job.result, 1);
  EXPECT_EQ(view.beeps(), 1);
  // Only an unattended run closes a failed job's dialog by itself.
  EXPECT_EQ(view.close_requests(), platform::Unattended() ? 1 : 0);
  EXPECT_EQ(display.statuses(),
            (std::vector<std::string>{"Upload of the results.", "No USB peripherical."}));
}

TEST_F(ProgressDialogTest, WatcherReleasesWhatAFailedSendLeft) {
  gate.Open();
  WriteFile("image.h86", ":00000001FF\r\n");
  job.file_name = "image.h86";
  driver.tester = [](const std::string&) { return linktest::Answer('X'); };
  ProgressDialog dialog(job, driver, messages);
  dialog.Start(display, view);
  dialog.WaitForThreads();
  EXPECT_EQ(job.result, 15);
  EXPECT_FALSE(job.buffer);
  EXPECT_FALSE(job.file);
  EXPECT_TRUE(driver.closed);
}

}  // namespace
}  // namespace testerlink
