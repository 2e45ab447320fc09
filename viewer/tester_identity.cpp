#include "viewer/tester_identity.h"

#include "formats/version_record_format.h"
#include "platform/read_whole_file.h"

namespace viewer {

TesterIdentity TesterIdentityFrom(const std::string& bytes) {
  const formats::VersionRecord record = formats::VersionRecord::Parse(bytes);
  TesterIdentity identity;
  if (!record.HasVersion()) return identity;
  identity.known = true;
  identity.name = record.identity;
  identity.major = record.major;
  identity.minor = record.minor;
  return identity;
}

TesterIdentity ReadTesterIdentity(const std::string& path) {
  return TesterIdentityFrom(
      platform::ReadWholeFile(path, formats::kVersionRecordSize).value_or(std::string()));
}

}  // namespace viewer
