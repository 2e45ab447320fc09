#include "platform/console_output.h"
#include "quillink/help_text.h"

namespace quillink {

void ShowHelp() { (void)platform::PrintToConsole(HelpText(HelpSystem::kLinux)); }

}  // namespace quillink
