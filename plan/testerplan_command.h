// testerplan: tester configurations as readable text. Commands compile, decompile, check, diff
// and show (`testerplan --help`); the exit statuses are listed in kExit below and in the help.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace plan {

namespace exit_status {
inline constexpr int kOk = 0;
inline constexpr int kFindings = 1;      // errors in the input (diff: the inputs differ)
inline constexpr int kDiffInvalid = 2;   // diff: an input has errors
inline constexpr int kUsage = 64;        // a wrong command line
inline constexpr int kUnreadable = 66;   // an input file cannot be read
inline constexpr int kCannotWrite = 73;  // the output file cannot be written
}  // namespace exit_status

int RunTesterPlan(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace plan
