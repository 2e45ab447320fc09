// Test helper: records its arguments and command line in echo_args.txt in the current folder,
// one per line, and exits with the status N of a first argument "exitN".
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/process.h"

int main(int argc, char** argv) {
  std::ofstream out("echo_args.txt", std::ios::binary | std::ios::trunc);
  out << platform::CommandLine("echo_args.exe") << "\n";
  for (int i = 1; i < argc; ++i) out << argv[i] << "\n";
  std::string first = argc > 1 ? argv[1] : "";
  return first.rfind("exit", 0) == 0 ? std::atoi(first.c_str() + 4) : 0;
}
