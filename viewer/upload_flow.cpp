#include "viewer/upload_flow.h"

#include <array>
#include <cstdio>

#include "platform/error_text.h"
#include "platform/file_replace.h"
#include "platform/native_path.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "viewer/language_tables.h"
#include "viewer/report_writer.h"
#include "viewer/results_reader.h"
#include "viewer/translation_file.h"

namespace viewer {
namespace {

constexpr char kTranslationFile[] = "InfoTrfTR.zel";
constexpr char kResultsFile[] = "Results.log";
constexpr char kVersionFile[] = "VersionTr.zel";
constexpr char kStatusFile[] = ".\\Tr.ini";
constexpr char kStatusSection[] = "EtatVersion";
constexpr char kStatusKey[] = "Etat";
constexpr std::size_t kStatusBufferSize = 10;
constexpr std::size_t kVersionBytes = 44;
constexpr std::size_t kIdentityWidth = 20;
constexpr std::size_t kMajorOffset = 20;
constexpr std::size_t kMinorOffset = 21;

constexpr int kToolMissingText = 24;
constexpr int kVersionErrorText = 26;
constexpr int kIdentityErrorText = 27;
constexpr int kCapabilityErrorText = 28;

// The tables hold no text for file errors; these follow the application's language.
enum FileErrorKind { kCannotWrite, kCannotDelete, kCannotCreateReport };
constexpr const char* kFileErrorHeadings[kLanguageCount][3] = {
    {"Die Datei kann nicht geschrieben werden:", "Die Datei kann nicht gel\xF6scht werden:",
     "Die Berichtsdatei kann nicht erstellt werden:"},
    {"The file cannot be written:", "The file cannot be deleted:",
     "The report file cannot be created:"},
    {"Impossible d'\xE9"
     "crire le fichier :",
     "Impossible de supprimer le fichier :",
     "Impossible de cr\xE9"
     "er le fichier rapport :"},
};

std::string FileErrorText(int language, FileErrorKind kind, const std::string& path,
                          const std::string& reason) {
  int row = language >= 0 && language < kLanguageCount ? language : kEnglish;
  return std::string(kFileErrorHeadings[row][kind]) + "\n" + path + "\n" + reason;
}

using VersionBytes = std::array<unsigned char, kVersionBytes>;

// The version record as the tool left it; a missing or short file leaves zeros.
VersionBytes ReadVersionBytes() {
  VersionBytes bytes{};
  if (std::FILE* f = std::fopen(platform::NativePath(kVersionFile).c_str(), "rb")) {
    std::size_t n = std::fread(bytes.data(), 1, bytes.size(), f);
    (void)n;  // a short file keeps its zeros
    std::fclose(f);
  }
  return bytes;
}

// The identity text up to its first zero byte, never past its 20-byte field.
std::string DeviceName(const VersionBytes& bytes) {
  std::size_t n = 0;
  while (n < kIdentityWidth && bytes[n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(bytes.data()), n);
}

// Removes a results file left by an earlier upload, so that a failed transfer cannot be mistaken
// for a fresh one. False only when the file exists and cannot be removed. Only a file is removed,
// as DeleteFileA does: std::remove would also take an empty folder on Linux.
bool RemoveOldResults() {
  if (platform::FileSize(kResultsFile) < 0) return true;
  return std::remove(platform::NativePath(kResultsFile).c_str()) == 0;
}

// Writes the report through a temporary beside it, so that a failed write (a full disk too) leaves
// the report that stood there; false (with the reason) when it cannot be created or written.
bool WriteReportFile(ResultModel& model, int language, const std::string& path,
                     std::string& reason) {
  if (platform::ReplaceFileContent(path, ReportBytes(model, language))) return true;
  reason = platform::LastErrorText();
  return false;
}

// Under Wine a full disk leaves Tr.ini empty while the profile functions report success: the key
// counts as written only once the file is at least as long as its section and key line.
bool StatusFileHolds(const std::string& value) {
  const std::size_t least =
      std::string("[]=").size() + sizeof kStatusSection - 1 + sizeof kStatusKey - 1 + value.size();
  const std::int64_t size = platform::FileSize(kStatusFile);
  if (size >= 0 && static_cast<std::uint64_t>(size) >= least) return true;
  platform::SetDiskFullError();
  return false;
}

}  // namespace

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
  if (WriteTranslationFile(language, platform::NativePath(kTranslationFile))) return true;
  platform::ShowMessageBox(
      FileErrorText(language, kCannotWrite, kTranslationFile, platform::LastErrorText()),
      kApplicationName, platform::BoxIcon::kStop);
  return false;
}

UploadOutcome RunUpload(UploadHost& host, int language, const std::string& program_path,
                        ResultModel& model) {
  const std::string folder = ProgramFolder(program_path);

  std::string report_path;
  if (!host.ChooseReportPath(report_path)) return UploadOutcome::kCancelled;
  report_path = AbsolutePath(WithDefaultExtension(report_path));

  platform::SetCurrentFolder(folder);

  if (!WriteTranslationFile(language, platform::NativePath(kTranslationFile))) {
    host.ShowMessage(
        FileErrorText(language, kCannotWrite, kTranslationFile, platform::LastErrorText()),
        platform::BoxIcon::kStop);
    return UploadOutcome::kFileError;
  }
  if (!RemoveOldResults()) {
    host.ShowMessage(
        FileErrorText(language, kCannotDelete, kResultsFile, platform::LastErrorText()),
        platform::BoxIcon::kStop);
    return UploadOutcome::kFileError;
  }
  // A status that cannot be reset would let a stale "1" pass for this run's verdict.
  if (!platform::WriteProfileString(kStatusSection, kStatusKey, "-1", kStatusFile) ||
      !StatusFileHolds("-1")) {
    host.ShowMessage(FileErrorText(language, kCannotWrite, "Tr.ini", platform::LastErrorText()),
                     platform::BoxIcon::kStop);
    return UploadOutcome::kFileError;
  }

  // A tool that does not start leaves the status at "-1", which ends the flow silently below.
  (void)host.RunTool(kInfoCommandLine, folder);

  const VersionBytes version = ReadVersionBytes();
  const std::string status = platform::ReadProfileString(kStatusSection, kStatusKey, "erreur",
                                                         kStatusBufferSize, kStatusFile);
  if (status == "0") {
    host.ShowMessage(UiText(language, kVersionErrorText) + std::to_string(version[kMajorOffset]) +
                         "." + std::to_string(version[kMinorOffset]),
                     platform::BoxIcon::kStop);
    return UploadOutcome::kVersionRefused;
  }
  if (status == "2") {
    host.ShowMessage(UiText(language, kIdentityErrorText) + " " + DeviceName(version),
                     platform::BoxIcon::kStop);
    return UploadOutcome::kIdentityRefused;
  }
  if (status == "3") {
    host.ShowMessage(UiText(language, kCapabilityErrorText) + " " + DeviceName(version),
                     platform::BoxIcon::kStop);
    return UploadOutcome::kCapabilityRefused;
  }
  if (status != "1") return UploadOutcome::kDeviceNotRead;

  if (!host.RunTool(kResultsCommandLine, folder)) {
    host.ShowMessage(UiText(language, kToolMissingText), platform::BoxIcon::kNone);
    return UploadOutcome::kToolNotStarted;
  }

  if (ReadAllResults(model) != 0) return UploadOutcome::kResultsUnreadable;

  std::string reason;
  if (!WriteReportFile(model, language, report_path, reason)) {
    host.ShowMessage(FileErrorText(language, kCannotCreateReport, report_path, reason),
                     platform::BoxIcon::kStop);
    return UploadOutcome::kReportNotCreated;
  }
  host.OpenReport(report_path);
  return UploadOutcome::kReportWritten;
}

}  // namespace viewer
