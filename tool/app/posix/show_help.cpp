#include <cstdio>

#include "tool/app/help_text.h"

namespace toolapp {

void ShowHelp() { std::fwrite(kHelpText.data(), 1, kHelpText.size(), stdout); }

}  // namespace toolapp
