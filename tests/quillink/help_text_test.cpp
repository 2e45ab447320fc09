// The tool's help: each system's program name, and every exit status the tool can end with.
#include "quillink/help_text.h"

#include <gtest/gtest.h>

#include "quillink/quillink_app.h"

namespace quillink {
namespace {

TEST(HelpTextTest, NamesTheProgramOfEachSystemAndEveryExitStatus) {
  struct Case {
    HelpSystem system;
    const char* program;
    const char* close;
  } cases[] = {
      {HelpSystem::kLinux, "quillink", "Esc"},
      {HelpSystem::kWindows, "Quillink.exe", "close box"},
  };
  for (const Case& c : cases) {
    const std::string help = HelpText(c.system);
    EXPECT_EQ(help.rfind(std::string("Usage: ") + c.program + " MODE\n", 0), 0u) << help;
    EXPECT_NE(help.find(c.close), std::string::npos);
    for (int status : {0, 13, 14, 15, kExitMissingTranslation, kExitJobNotRun}) {
      EXPECT_NE(help.find("\n  " + std::to_string(status) + " "), std::string::npos) << status;
    }
    EXPECT_NE(help.find("\n  1 to 12 "), std::string::npos);
  }
}

}  // namespace
}  // namespace quillink
