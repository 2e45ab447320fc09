// A dialog program has no console of its own: the help goes to the command window it was started
// from, or into a box when there is none.
#include "platform/console_output.h"
#include "platform/text_box.h"
#include "quillink/help_text.h"

namespace quillink {

void ShowHelp() {
  const std::string text = HelpText(HelpSystem::kWindows);
  if (!platform::PrintToConsole(text)) platform::ShowTextBox(text, "Quillink");
}

}  // namespace quillink
