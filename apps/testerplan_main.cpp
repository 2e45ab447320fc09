// testerplan: tester configurations as readable text (see plan/testerplan_command.h).
#include <cstdio>
#include <string>
#include <vector>

#include "plan/testerplan_command.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return plan::RunTesterPlan(args, stdout, stderr);
}
