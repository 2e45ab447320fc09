// The progress dialog on Windows: the modal dialog of template 102 with its status line (1001),
// progress bar (1000), version label (1004) and icon 128. The worker's status texts and progress
// reach the controls as the latest values, applied by the dialog's thread; the window procedure
// only forwards to the portable ProgressDialog.
#include <windows.h>
// commctrl.h needs the types of windows.h.
#include <commctrl.h>

#include <atomic>
#include <mutex>
#include <string>
#include <utility>

#include "resources/quillink_resource.h"
#include "testerlink/progress_dialog.h"
#include "testerlink/run_progress_dialog.h"
#include "testerlink/transfer_job.h"
#include "tool/status_display.h"

namespace testerlink {
namespace {

// Message to the dialog: apply the latest status text, progress range and position.
constexpr UINT kApplyProgressMessage = WM_APP + 1;

// The status display of the dialog. Texts and progress are stored, and the interface thread applies
// the latest text, range and position when it gets to them: a large upload changes them thousands
// of times (each block read, each configuration decoded), and under Wine each synchronous message
// to the interface thread costs about a millisecond (2.6 s of a 7 s upload of 255 configurations
// went to the progress bar alone). The controls end in the same state. Once the window is gone,
// changes are dropped.
class WindowStatusDisplay final : public tool::StatusDisplay {
 public:
  void Attach(HWND dialog) { dialog_ = dialog; }
  void Detach() { dialog_ = nullptr; }

  void ShowStatus(const std::string& text) override {
    {
      std::lock_guard<std::mutex> lock(text_mutex_);
      text_ = text;
      text_set_ = true;
    }
    RequestApply();
  }
  void SetProgressRange(std::uint16_t low, std::uint16_t high) override {
    range_ = static_cast<LPARAM>(MAKELPARAM(low, high));
    range_set_ = true;
    RequestApply();
  }
  void SetProgressPos(std::uint16_t position) override {
    position_ = position;
    position_set_ = true;
    RequestApply();
  }

  // On the interface thread, for kApplyProgressMessage.
  void ApplyProgress(HWND dialog) {
    // Cleared before reading, so that a change stored after the reads posts a new message.
    pending_ = false;
    std::string text;
    bool text_set = false;
    {
      std::lock_guard<std::mutex> lock(text_mutex_);
      std::swap(text_set, text_set_);
      if (text_set) text.swap(text_);
    }
    if (text_set) SetDlgItemTextA(dialog, IDC_STATUS_TEXT, text.c_str());
    if (range_set_) SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_SETRANGE, 0, range_);
    if (position_set_) {
      SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_SETPOS, position_.load(), 0);
    }
  }

 private:
  void RequestApply() {
    HWND dialog = dialog_;
    if (dialog != nullptr && !pending_.exchange(true)) {
      if (!PostMessageA(dialog, kApplyProgressMessage, 0, 0)) pending_ = false;
    }
  }

  std::atomic<HWND> dialog_{nullptr};
  std::atomic<LPARAM> range_{0};
  std::atomic<WPARAM> position_{0};
  std::atomic<bool> range_set_{false};
  std::atomic<bool> position_set_{false};
  std::atomic<bool> pending_{false};
  std::mutex text_mutex_;
  std::string text_;  // the latest status text not yet shown
  bool text_set_ = false;
};

class WindowView final : public ProgressView {
 public:
  WindowView() : ended_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~WindowView() override {
    if (ended_) CloseHandle(ended_);
  }
  void Attach(HWND dialog) { dialog_ = dialog; }
  void Detach() { dialog_ = nullptr; }

  void RequestClose() override {
    if (HWND dialog = dialog_) PostMessageA(dialog, WM_CLOSE, 0, 0);
  }
  void JobEnded() override { SetEvent(ended_); }

  // Waits for the watcher's end while still answering messages sent to this thread, so that a
  // worker caught in a synchronous update never waits for a thread that waits for it.
  void WaitForJobEnd() {
    while (MsgWaitForMultipleObjects(1, &ended_, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1) {
      MSG message;
      PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    }
  }

 private:
  std::atomic<HWND> dialog_{nullptr};
  HANDLE ended_;
};

struct DialogContext {
  ProgressDialog* dialog;
  WindowStatusDisplay* display;
  WindowView* view;
  const std::string* label;
  HICON icon;
};

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* context = reinterpret_cast<DialogContext*>(GetWindowLongPtrA(window, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      context = reinterpret_cast<DialogContext*>(lparam);
      SetWindowLongPtrA(window, DWLP_USER, lparam);
      SetDlgItemTextA(window, IDC_VERSION_LABEL, context->label->c_str());
      SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(context->icon));
      SetWindowTextA(window, context->dialog->Title().c_str());
      context->display->Attach(window);
      context->view->Attach(window);
      context->dialog->Start(*context->display, *context->view);
      return TRUE;
    }
    case WM_COMMAND:
      if (!context) return FALSE;
      if (LOWORD(wparam) == IDOK) {
        context->dialog->OnOK();
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        if (context->dialog->OnCancel()) EndDialog(window, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      if (context && context->dialog->OnClose()) EndDialog(window, IDCANCEL);
      return TRUE;
    case WM_PAINT:
      if (context && IsIconic(window)) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
        int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc, x, y, context->icon);
        EndPaint(window, &paint);
        return TRUE;
      }
      return FALSE;
    case kApplyProgressMessage:
      if (context) context->display->ApplyProgress(window);
      return TRUE;
    case WM_QUERYDRAGICON:
      if (!context) return FALSE;
      SetWindowLongPtrA(window, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(context->icon));
      return TRUE;
    case WM_DESTROY:
      if (context) {
        context->display->Detach();
        context->view->Detach();
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

std::int32_t RunProgressDialog(TransferJob& job, Driver& driver, tool::MessageTable& messages,
                               const std::string& version_label) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  ProgressDialog dialog(job, driver, messages);
  WindowStatusDisplay display;
  WindowView view;
  DialogContext context = {&dialog, &display, &view, &version_label,
                           LoadIconA(instance, MAKEINTRESOURCEA(IDI_QUILLINK))};
  INT_PTR shown = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PROGRESS), nullptr, DialogProc,
                                  reinterpret_cast<LPARAM>(&context));
  if (!dialog.started()) return shown == -1 ? -1 : job.result;
  view.WaitForJobEnd();
  dialog.WaitForThreads();
  return job.result;
}

}  // namespace testerlink
