// The testersim command line: creates, fills and inspects simulated testers. Kept apart from
// main() so that tests run the commands in-process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace sim {

// Exit statuses: 0 done, 1 the command failed (message on `err`), 2 bad arguments (usage on
// `err`).
int RunTesterSim(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace sim
