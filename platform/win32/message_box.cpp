// Real message boxes and the beep; unattended runs only log the box.
#include "platform/message_box.h"

#include <windows.h>

#include <atomic>

#include "platform/unattended_log.h"

namespace platform {
namespace {

std::atomic<HWND> box_owner{nullptr};

}  // namespace

void SetBoxOwner(void* window) { box_owner = static_cast<HWND>(window); }

void ShowMessageBox(const std::string& text, const std::string& caption, BoxIcon icon) {
  LogUnattendedBox(text, caption);
  if (Unattended()) return;
  UINT style = MB_OK;
  switch (icon) {
    case BoxIcon::kStop:
      style |= MB_ICONSTOP;
      break;
    case BoxIcon::kInformation:
      style |= MB_ICONINFORMATION;
      break;
    case BoxIcon::kWarning:
      style |= MB_ICONWARNING;
      break;
    case BoxIcon::kNone:
      break;
  }
  HWND owner = box_owner;
  MessageBoxA(owner != nullptr ? owner : GetActiveWindow(), text.c_str(), caption.c_str(), style);
}

void Beep() { MessageBeep(0xFFFFFFFF); }

}  // namespace platform
