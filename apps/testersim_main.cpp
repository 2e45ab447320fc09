// testersim: creates, fills and inspects simulated testers (see sim/README.md).
#include <iostream>
#include <string>
#include <vector>

#include "sim/testersim_command.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return sim::RunTesterSim(args, std::cout, std::cerr);
}
