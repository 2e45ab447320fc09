#include "tool/status_file.h"

#include "formats/exchange_files.h"
#include "formats/tr_ini_format.h"

namespace tool {
namespace {

void WriteStatus(ProfileWriter& writer, const char* section, const char* key, const char* value) {
  writer.SetPath(formats::kStatusFile);
  writer.WriteKey(section, key, value);
}

void WriteEtat(ProfileWriter& writer, const char* value) {
  WriteStatus(writer, formats::kVersionSection, formats::kVersionKey, value);
}

}  // namespace

std::optional<VersionRecord> WriteVersionState(int job_result, const std::string& version_file,
                                               ProfileWriter& writer) {
  std::optional<VersionRecord> record;
  if (job_result != 0) {
    WriteEtat(writer, formats::kVersionNotRead);
  } else if (auto bytes = ReadVersionFile(version_file)) {
    record = VersionRecord::Parse(*bytes);
    if (record->major != formats::kRequiredMajorVersion) {
      WriteEtat(writer, formats::kVersionWrongMajor);
    } else {
      WriteEtat(writer, formats::kVersionAccepted);
      if (record->identity != formats::kTesterIdentity) {
        WriteEtat(writer, formats::kVersionWrongIdentity);
      } else if ((record->capabilities & formats::kRequiredCapability) == 0) {
        WriteEtat(writer, formats::kVersionMissingCapability);
      }
    }
  }
  // Missing file after a good job: Etat keeps the "-1" the results application wrote.
  writer.Flush();
  return record;
}

void MarkResultsUploadStart(ProfileWriter& writer) {
  WriteStatus(writer, formats::kResultSection, formats::kResultKey, formats::kResultPending);
  writer.Flush();
}

}  // namespace tool
