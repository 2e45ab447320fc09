// Quillink: the communication tool. One start, one job, one exit (quillink/quillink_app.h).
#include <memory>
#include <string_view>

#include "platform/process.h"
#include "quillink/argument_text.h"
#include "quillink/help_text.h"
#include "quillink/program_host.h"
#include "quillink/quillink_app.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--help") {
    quillink::ShowHelp();
    return 0;
  }
  // On the heap: the converter and the job carry large fixed areas.
  auto host = std::make_unique<quillink::ProgramHost>();
  quillink::QuillinkApp app(*host);
  return app.Run(platform::CommandLine(std::string(quillink::kProgramName)));
}
