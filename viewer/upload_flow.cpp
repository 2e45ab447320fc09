#include "viewer/upload_flow.h"

#include <cstdio>

#include "formats/exchange_files.h"
#include "formats/tr_ini_format.h"
#include "formats/version_record_format.h"
#include "platform/error_text.h"
#include "platform/exchange_folder.h"
#include "platform/file_lock.h"
#include "platform/file_replace.h"
#include "platform/native_path.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/read_whole_file.h"
#include "platform/real_path.h"
#include "report/language_tables.h"
#include "report/report_format.h"
#include "viewer/results_reader.h"
#include "viewer/translation_file.h"
#include "viewer/upload_archive.h"

namespace viewer {

// Morvane's texts and the report, from report/.
using report::FileErrorHeading;
using report::FileErrorKind;
using report::ResultModel;
using report::UiText;
using report::WriteReportAs;
using enum report::FileErrorKind;
using report::ReportRefusalText;
using enum report::ReportRefusal;
namespace ui_text = report::ui_text;

namespace {

constexpr char kStatusDefault[] = "erreur";  // read as "no status"
constexpr std::size_t kStatusBufferSize = 10;

// The files of the exchange folder that no report may replace (the lock file among them).
constexpr const char* kExchangeFileNames[] = {formats::kTranslationFile,
                                              formats::kVersionFile,
                                              formats::kStatusFileName,
                                              formats::kResultsFile,
                                              formats::kConfigurationSource,
                                              formats::kConfigurationImageName,
                                              formats::kResultsImage,
                                              formats::kConfigurationAreaImage,
                                              formats::kMenuImage,
                                              formats::kAcquisitionImage,
                                              kUploadLockFileName};

std::string FileErrorText(int language, FileErrorKind kind, const std::string& path,
                          const std::string& reason) {
  std::string text = FileErrorHeading(language, kind) + "\n" + path;
  return reason.empty() ? text : text + "\n" + reason;
}

// Removes a results file left by an earlier upload, so that a failed transfer cannot be mistaken
// for a fresh one. False only when the file exists and cannot be removed. Only a file is removed,
// as DeleteFileA does: std::remove would also take an empty folder on Linux.
bool RemoveOldResults() {
  if (platform::FileSize(formats::kResultsFile) < 0) return true;
  return std::remove(platform::NativePath(formats::kResultsFile).c_str()) == 0;
}

// Under Wine a full disk leaves Tr.ini empty while the profile functions report success: the key
// counts as written only once the file is at least as long as its section and key line.
bool StatusFileHolds(const std::string& value) {
  const std::size_t least = std::string("[]=").size() + sizeof formats::kVersionSection - 1 +
                            sizeof formats::kVersionKey - 1 + value.size();
  const std::int64_t size = platform::FileSize(formats::kStatusFile);
  if (size >= 0 && static_cast<std::uint64_t>(size) >= least) return true;
  platform::SetDiskFullError();
  return false;
}

}  // namespace

bool ReportPathRefused(const std::string& report_path, const std::string& exchange_folder,
                       int language, std::string& reason) {
  if (platform::IsSameOrInside(report_path, ArchiveRoot(exchange_folder))) {
    reason = ReportRefusalText(language, kIntoArchive);
    return true;
  }
  for (const char* name : kExchangeFileNames) {
    if (platform::IsSameOrInside(report_path, exchange_folder + name)) {
      reason = ReportRefusalText(language, kOverExchangeFile);
      return true;
    }
  }
  return false;
}

// A path typed relative to where the program was started, made absolute before the flow changes
// the current directory. Done on the text, so that Windows-1252 names pass unchanged.
std::string AbsolutePath(const std::string& path) {
  bool absolute = (!path.empty() && (path[0] == '/' || path[0] == '\\')) ||
                  (path.size() >= 2 && path[1] == ':');
  if (absolute) return path;
  std::string here = platform::CurrentFolder();
  if (here.empty()) return path;
  char separator = here.find('\\') != std::string::npos ? '\\' : '/';
  if (here.back() != separator) here += separator;
  return here + path;
}

std::string ProgramFolder(const std::string& program_path) {
  std::size_t last = program_path.find_last_of("\\/");
  if (last == std::string::npos) return program_path;
  return program_path.substr(0, last + 1);
}

std::string WithDefaultExtension(const std::string& path) {
  std::size_t name_start = path.find_last_of("\\/");
  name_start = name_start == std::string::npos ? 0 : name_start + 1;
  std::size_t dot = path.rfind('.');
  if (dot != std::string::npos && dot > name_start) return path;
  return path + ".txt";
}

bool WriteTranslationOnly(int language) {
  if (WriteTranslationFile(language, platform::NativePath(formats::kTranslationFile))) return true;
  platform::ShowMessageBox(
      FileErrorText(language, kCannotWrite, formats::kTranslationFile, platform::LastErrorText()),
      kApplicationName, platform::BoxIcon::kStop);
  return false;
}

UploadOutcome RunUpload(UploadHost& host, int language, const std::string& program_path,
                        ResultModel& model) {
  const std::string folder = ProgramFolder(program_path);

  std::string report_path;
  if (!host.ChooseReportPath(report_path)) return UploadOutcome::kCancelled;
  report_path = AbsolutePath(WithDefaultExtension(report_path));

  // The exchange files go where they can be written; the tool is still started from `folder`.
  // A folder that cannot be used stops the upload: nothing is written anywhere else.
  std::string exchange, reason;
  if (!platform::FindExchangeFolder(folder, exchange, reason)) {
    host.ShowMessage(FileErrorText(language, kCannotUseFolder, exchange, reason),
                     platform::BoxIcon::kStop);
    return UploadOutcome::kFileError;
  }
  if (!platform::SetCurrentFolder(exchange.empty() ? "." : exchange)) {
    host.ShowMessage(FileErrorText(language, kCannotUseFolder, exchange.empty() ? "." : exchange,
                                   platform::LastErrorText()),
                     platform::BoxIcon::kStop);
    return UploadOutcome::kFileError;
  }
  // Compared by real locations, so that neither a link nor ".." gets the report into the archive
  // or over a file the tool writes (the archive would then hold the report as its results).
  if (ReportPathRefused(report_path, exchange, language, reason)) {
    host.ShowMessage(FileErrorText(language, kCannotCreateReport, report_path, reason),
                     platform::BoxIcon::kStop);
    return UploadOutcome::kReportNotCreated;
  }
  // Held until the upload is archived: a second upload in this folder would otherwise empty
  // Results.log while the first one reads or archives it. It is refused rather than made to wait,
  // because the tool waits on the tester without time-out, and a person can retry at once.
  platform::FileLock lock;
  bool busy = false;
  if (!lock.TryAcquire(kUploadLockFileName, busy)) {
    if (busy) {
      host.ShowMessage(FileErrorText(language, kBusy, exchange.empty() ? "." : exchange, ""),
                       platform::BoxIcon::kStop);
      return UploadOutcome::kUploadBusy;
    }
    host.ShowMessage(
        FileErrorText(language, kCannotWrite, kUploadLockFileName, platform::LastErrorText()),
        platform::BoxIcon::kStop);
    return UploadOutcome::kFileError;
  }

  if (!WriteTranslationFile(language, platform::NativePath(formats::kTranslationFile))) {
    host.ShowMessage(
        FileErrorText(language, kCannotWrite, formats::kTranslationFile, platform::LastErrorText()),
        platform::BoxIcon::kStop);
    return UploadOutcome::kFileError;
  }
  if (!RemoveOldResults()) {
    host.ShowMessage(
        FileErrorText(language, kCannotDelete, formats::kResultsFile, platform::LastErrorText()),
        platform::BoxIcon::kStop);
    return UploadOutcome::kFileError;
  }
  // A status that cannot be reset would let a stale "1" pass for this run's verdict.
  if (!platform::WriteProfileString(formats::kVersionSection, formats::kVersionKey,
                                    formats::kVersionNotRead, formats::kStatusFile) ||
      !StatusFileHolds(formats::kVersionNotRead)) {
    host.ShowMessage(
        FileErrorText(language, kCannotWrite, formats::kStatusFileName, platform::LastErrorText()),
        platform::BoxIcon::kStop);
    return UploadOutcome::kFileError;
  }

  // A tool that does not start leaves the status at "-1", which ends the flow silently below.
  (void)host.RunTool(kInfoCommandLine, folder);

  // The version record as the tool left it; a missing or short file reads as zeros.
  const std::string version_bytes =
      platform::ReadWholeFile(formats::kVersionFile, formats::kVersionRecordSize)
          .value_or(std::string());
  const formats::VersionRecord version = formats::VersionRecord::Parse(version_bytes);
  const std::string status =
      platform::ReadProfileString(formats::kVersionSection, formats::kVersionKey, kStatusDefault,
                                  kStatusBufferSize, formats::kStatusFile);
  if (status == formats::kVersionWrongMajor) {
    host.ShowMessage(UiText(language, ui_text::kVersionError) + std::to_string(version.major) +
                         "." + std::to_string(version.minor),
                     platform::BoxIcon::kStop);
    return UploadOutcome::kVersionRefused;
  }
  if (status == formats::kVersionWrongIdentity) {
    host.ShowMessage(UiText(language, ui_text::kIdentityError) + " " + version.identity,
                     platform::BoxIcon::kStop);
    return UploadOutcome::kIdentityRefused;
  }
  if (status == formats::kVersionMissingCapability) {
    host.ShowMessage(UiText(language, ui_text::kCapabilityError) + " " + version.identity,
                     platform::BoxIcon::kStop);
    return UploadOutcome::kCapabilityRefused;
  }
  if (status != formats::kVersionAccepted) return UploadOutcome::kDeviceNotRead;

  if (!host.RunTool(kResultsCommandLine, folder)) {
    host.ShowMessage(UiText(language, ui_text::kToolMissing), platform::BoxIcon::kNone);
    return UploadOutcome::kToolNotStarted;
  }

  if (ReadAllResults(model) != 0) return UploadOutcome::kResultsUnreadable;

  const TesterIdentity tester = TesterIdentityFrom(version_bytes);
  if (!WriteReportAs(report_path, model, language, tester, reason)) {
    host.ShowMessage(FileErrorText(language, kCannotCreateReport, report_path, reason),
                     platform::BoxIcon::kStop);
    return UploadOutcome::kReportNotCreated;
  }
  // The report stands whatever happens to its archive copy.
  std::string archived;
  if (!ArchiveUpload(ArchiveRoot(exchange), exchange, report_path, model, language, tester,
                     archived, reason)) {
    host.ShowMessage(ArchiveFailureText(language, archived, reason), platform::BoxIcon::kWarning);
  }
  host.OpenReport(report_path);
  return UploadOutcome::kReportWritten;
}

}  // namespace viewer
