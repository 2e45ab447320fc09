#include <cstdio>

#include "quillink/help_text.h"

namespace quillink {

void ShowHelp() { std::fwrite(kHelpText.data(), 1, kHelpText.size(), stdout); }

}  // namespace quillink
