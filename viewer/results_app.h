// The results application's entry: the Windows dialog program or the terminal front end, each
// also running one unattended upload when the command line names a report file.
#pragma once

namespace viewer {

// Runs the application with the process arguments; returns the process exit status.
int RunResultsApp(int argc, char** argv);

}  // namespace viewer
