#include "viewer/upload_archive.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "platform/error_text.h"
#include "platform/file_replace.h"
#include "platform/native_path.h"
#include "platform/regular_file.h"
#include "report/language_tables.h"
#include "report/report_format.h"
#include "report/report_labels.h"
#include "report/report_sheet.h"
#include "viewer/upload_manifest.h"

namespace viewer {

// The report's model, sheet and labels, from report/.
using report::BuildReportSheet;
using report::LanguageCode;
using report::OverallVerdictKey;
using report::ReportFormat;
using report::ReportFormatFor;
using report::ReportLabel;
using report::ReportLabelText;
using report::ResultModel;

namespace {

namespace fs = std::filesystem;

// A second upload in the same second takes the next free suffix; this many are tried.
constexpr int kMaxSameSecond = 1000;

// Only a regular file is copied: a FIFO in its place would make the upload wait forever.
bool ReadWhole(const std::string& path, std::string& bytes) {
  platform::FileKind kind;
  std::FILE* f = platform::OpenRegularFile(platform::NativePath(path), kind);
  if (f == nullptr) return false;
  bytes.clear();
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  const bool ok = std::ferror(f) == 0;
  std::fclose(f);
  return ok;
}

std::string Joined(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const char last = folder.back();
  return last == '/' || last == '\\' ? folder + name : folder + "/" + name;
}

std::string LocalTime(std::int64_t when, const char* format) {
  const std::time_t t = static_cast<std::time_t>(when);
  const std::tm* local = std::localtime(&t);  // one thread: the static result is safe here
  char text[32] = "";
  if (local != nullptr) std::strftime(text, sizeof text, format, local);
  return text;
}

std::string ReportExtension(const std::string& path) {
  switch (ReportFormatFor(path)) {
    case ReportFormat::kHtml:
      return ".html";
    case ReportFormat::kJson:
      return ".json";
    case ReportFormat::kCsv:
      return ".csv";
    default:
      return ".txt";
  }
}

}  // namespace

std::string ArchiveRoot(const std::string& program_folder) {
  return Joined(program_folder, kArchiveFolderName);
}

std::string ArchiveFolderName(std::int64_t when) { return LocalTime(when, "%Y-%m-%d_%H-%M-%S"); }

bool ArchiveUpload(const std::string& archive_root, const std::string& exchange_folder,
                   const std::string& report_path, const ResultModel& model, int language,
                   const TesterIdentity& tester, std::string& folder, std::string& reason) {
  const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
  const std::string base = Joined(archive_root, ArchiveFolderName(now));
  folder = base;
  std::error_code error;
  fs::create_directories(fs::path(platform::NativePath(archive_root)), error);
  if (error) {
    folder = archive_root;
    reason = error.message();
    return false;
  }
  // create_directory says whether it made the folder: an existing one is never reused.
  bool made = false;
  for (int n = 1; n <= kMaxSameSecond && !made; ++n) {
    folder = n == 1 ? base : base + "_" + std::to_string(n);
    made = fs::create_directory(fs::path(platform::NativePath(folder)), error);
    // A file of that name is in the way as much as a folder is: the next suffix then.
    if (error == std::errc::file_exists) error.clear();
    if (error) {
      reason = error.message();
      return false;
    }
  }
  if (!made) {
    reason = "no free folder name";
    return false;
  }

  UploadManifest manifest;
  manifest.date = model.upload_date;
  manifest.archived = LocalTime(now, "%Y-%m-%d %H:%M:%S");
  manifest.tester = tester.name;
  manifest.version = tester.Version();
  manifest.configuration = model.configuration_name;
  manifest.verdict = OverallVerdictKey(BuildReportSheet(model, language).overall);
  manifest.language = LanguageCode(language);
  manifest.report = "Report" + ReportExtension(report_path);

  auto copy = [&](const std::string& from, const std::string& name, bool required) {
    std::string bytes;
    if (!ReadWhole(from, bytes)) {
      if (!required) return true;  // an exchange file the upload did not leave
      reason = from + ": " + platform::LastErrorText();
      return false;
    }
    if (!platform::ReplaceFileContent(Joined(folder, name), bytes)) {
      reason = name + ": " + platform::LastErrorText();
      return false;
    }
    manifest.files.emplace_back(name, bytes.size());
    return true;
  };
  for (const char* name : kArchivedExchangeFiles) {
    if (!copy(Joined(exchange_folder, name), name, false)) return false;
  }
  if (!copy(report_path, manifest.report, true)) return false;
  // The manifest last: a folder without one was never completed.
  if (!platform::ReplaceFileContent(Joined(folder, kManifestFileName), ManifestText(manifest))) {
    reason = std::string(kManifestFileName) + ": " + platform::LastErrorText();
    return false;
  }
  return true;
}

std::string ArchiveFailureText(int language, const std::string& folder, const std::string& reason) {
  return ReportLabelText(language, ReportLabel::kArchiveFailed) + "\n" + folder + "\n" + reason;
}

}  // namespace viewer
