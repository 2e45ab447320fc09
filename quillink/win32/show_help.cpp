// A dialog program has no console to print on: the help goes into a message box.
#include "platform/message_box.h"
#include "quillink/help_text.h"

namespace quillink {

void ShowHelp() {
  platform::ShowMessageBox(std::string(kHelpText), "Quillink", platform::BoxIcon::kInformation);
}

}  // namespace quillink
