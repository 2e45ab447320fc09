// Quillink: the communication tool. One start, one job, one exit (tool/app/link_app.h).
#include <memory>
#include <string_view>

#include "platform/process.h"
#include "tool/app/argument_text.h"
#include "tool/app/help_text.h"
#include "tool/app/link_app.h"
#include "tool/app/tool_host.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--help") {
    toolapp::ShowHelp();
    return 0;
  }
  // On the heap: the converter and the job carry large fixed areas.
  auto host = std::make_unique<toolapp::ToolHost>();
  toolapp::LinkApp app(*host);
  return app.Run(platform::CommandLine(std::string(toolapp::kProgramName)));
}
