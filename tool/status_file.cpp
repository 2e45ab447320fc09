#include "tool/status_file.h"

#include <string>

#include "formats/exchange_files.h"
#include "formats/tr_ini_format.h"
#include "platform/file_replace.h"
#include "platform/read_whole_file.h"
#include "tool/profile_writer.h"

namespace tool {
namespace {

void WriteStatus(ProfileWriter& writer, const char* section, const char* key, const char* value) {
  writer.SetPath(formats::kStatusFile);
  writer.WriteKey(section, key, value);
}

void WriteEtat(ProfileWriter& writer, const char* value) {
  WriteStatus(writer, formats::kVersionSection, formats::kVersionKey, value);
}

// After a flush: the key counts as written only once Tr.ini is at least as long as its section and
// key line, because under Wine a full disk leaves the file empty while the profile functions report
// success. Otherwise the box and the status of a failed profile write.
void RequireStatusFileHolds(const char* section, const char* key, const char* value) {
  const std::string least = std::string("[") + section + "]" + key + "=" + value;
  const std::int64_t size = platform::FileSize(formats::kStatusFile);
  if (size >= 0 && static_cast<std::uint64_t>(size) >= least.size()) return;
  FailProfileWrite();
}

}  // namespace

std::optional<formats::VersionRecord> WriteVersionState(int job_result,
                                                        const std::string& version_file,
                                                        ProfileWriter& writer) {
  std::optional<formats::VersionRecord> record;
  const char* etat = nullptr;
  if (job_result != 0) {
    etat = formats::kVersionNotRead;
  } else if (auto bytes = platform::ReadWholeFile(version_file, formats::kVersionRecordSize)) {
    record = formats::VersionRecord::Parse(*bytes);
    if (record->major != formats::kRequiredMajorVersion) {
      etat = formats::kVersionWrongMajor;
    } else {
      WriteEtat(writer, formats::kVersionAccepted);
      etat = formats::kVersionAccepted;
      if (record->identity != formats::kTesterIdentity) {
        etat = formats::kVersionWrongIdentity;
      } else if ((record->capabilities & formats::kRequiredCapability) == 0) {
        etat = formats::kVersionMissingCapability;
      }
    }
  }
  // Missing file after a good job: Etat keeps the "-1" the results application wrote.
  if (etat != nullptr && etat != formats::kVersionAccepted) WriteEtat(writer, etat);
  writer.Flush();
  if (etat != nullptr) RequireStatusFileHolds(formats::kVersionSection, formats::kVersionKey, etat);
  return record;
}

void MarkResultsUploadStart(ProfileWriter& writer) {
  WriteStatus(writer, formats::kResultSection, formats::kResultKey, formats::kResultPending);
  writer.Flush();
  RequireStatusFileHolds(formats::kResultSection, formats::kResultKey, formats::kResultPending);
}

}  // namespace tool
