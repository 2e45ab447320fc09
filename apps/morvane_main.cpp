// Morvane: the results application. --list and --render work on the archive alone, without the
// dialog or the terminal menu, on both builds.
#include <string>

#include "platform/process.h"
#include "viewer/archive_commands.h"
#include "viewer/morvane_options.h"
#include "viewer/results_app.h"

int main(int argc, char** argv) {
  viewer::MorvaneOptions options;
  std::string error;
  if (viewer::ParseMorvaneOptions(argc, argv, options, error) && !options.help &&
      (options.list || options.render_given)) {
    return viewer::RunArchiveCommand(options, platform::ProgramPath());
  }
  return viewer::RunResultsApp(argc, argv);
}
