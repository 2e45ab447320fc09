// A whole profile file read and parsed once, for readers of many keys (Morvane's results
// readers take a few hundred keys of Results.log; through GetPrivateProfileStringA each key opens
// and parses the whole file again). Values are found with the read rules of that function
// (profile_rules.h), so the text read is the one ReadProfileString would give.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/profile_document.h"

namespace platform {

class ProfileSnapshot {
 public:
  // The file at `path` as it is now. The last file asked for is kept parsed and given again while
  // it has not changed (by its stamp; byte for byte while a change may not show in the stamp
  // yet). A missing file gives an empty snapshot, where every read gives its default.
  static std::shared_ptr<const ProfileSnapshot> Of(const std::string& path);

  // As ReadProfileString(section, key, default_value, buffer_size, path).
  std::string Read(const std::string& section, const std::string& key,
                   const std::string& default_value, std::size_t buffer_size) const;

 private:
  profile::Document doc_;
};

}  // namespace platform
