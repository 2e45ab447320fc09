#include "platform/text_box.h"

#include "platform/message_box.h"

namespace platform {

// A terminal scrolls by itself: the text is shown as any box is.
void ShowTextBox(const std::string& text, const std::string& caption) {
  ShowMessageBox(text, caption, BoxIcon::kNone);
}

}  // namespace platform
