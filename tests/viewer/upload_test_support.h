// Shared by the upload tests: a temporary program folder, small file helpers, a results file the
// readers accept, the environment and the start of a program copied into a folder.
#pragma once

#include <filesystem>
#include <string>

namespace upload_test {

// A fresh folder under the system's temporary folder; removed (with the current directory put
// back) when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_current_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

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
