#include "tool/status_file.h"

namespace tool {
namespace {

void WriteStatus(ProfileWriter& writer, const char* section, const char* key, const char* value) {
  writer.SetPath(kStatusFile);
  writer.WriteKey(section, key, value);
}

void WriteEtat(ProfileWriter& writer, const char* value) {
  WriteStatus(writer, "EtatVersion", "Etat", value);
}

}  // namespace

std::optional<VersionRecord> WriteVersionState(int job_result, const std::string& version_file,
                                               ProfileWriter& writer) {
  std::optional<VersionRecord> record;
  if (job_result != 0) {
    WriteEtat(writer, "-1");
  } else if (auto bytes = ReadVersionFile(version_file)) {
    record = VersionRecord::Parse(*bytes);
    if (record->major != formats::kRequiredMajorVersion) {
      WriteEtat(writer, "0");
    } else {
      WriteEtat(writer, "1");
      if (record->identity != formats::kTesterIdentity) {
        WriteEtat(writer, "2");
      } else if ((record->capabilities & formats::kRequiredCapability) == 0) {
        WriteEtat(writer, "3");
      }
    }
  }
  // Missing file after a good job: Etat keeps the "-1" the results application wrote.
  writer.Flush();
  return record;
}

void MarkResultsUploadStart(ProfileWriter& writer) {
  WriteStatus(writer, "CheminFichier", "Resultat", "0");
  writer.Flush();
}

}  // namespace tool
