// The temporaries a whole-file write may leave beside a file ("<name>.<process>-<count>.partial"):
// their names are unique per write, so a test that checks none is left must look at the folder.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace fakes {

// The names in `file`'s folder that start with its name and a dot and end in ".partial".
inline std::vector<std::string> TemporariesBeside(const std::filesystem::path& file) {
  const std::string prefix = file.filename().string() + ".";
  const std::string suffix = ".partial";
  std::vector<std::string> names;
  std::error_code error;
  const std::filesystem::path folder =
      file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() >= prefix.size() + suffix.size() && name.starts_with(prefix) &&
        name.ends_with(suffix)) {
      names.push_back(name);
    }
  }
  return names;
}

}  // namespace fakes
