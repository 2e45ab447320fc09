// Shared by the upload tests: small file helpers, a results file the
// readers accept, the environment and the start of a program copied into a folder.
#pragma once

#include <filesystem>
#include <string>

#include "tests/fakes/file_bytes.h"

namespace upload_test {

using fakes::ReadBytes;
using fakes::WriteBytes;

// A results file with every test flag 0: the report is its header and four "not done" lines.
extern const char kResultsAllNotDone[];
// That report in English (date from the file above), CRLF line ends.
extern const char kReportAllNotDoneEnglish[];

// Sets an environment variable of this process (inherited by the programs it starts); an empty
// value removes it.
void SetEnvironment(const std::string& name, const std::string& value);

// The command line that starts the program `file_name` copied into `folder` itself, not a program
// of that name beside the test binary.
std::string CopiedProgramCommandLine(const std::filesystem::path& folder,
                                     const std::string& file_name, const std::string& arguments);

}  // namespace upload_test
