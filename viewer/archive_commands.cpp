#include "viewer/archive_commands.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "platform/exchange_folder.h"
#include "platform/message_box.h"
#include "platform/native_path.h"
#include "platform/real_path.h"
#include "platform/regular_file.h"
#include "platform/text_encoding.h"
#include "report/report_format.h"
#include "report/result_model.h"
#include "viewer/results_reader.h"
#include "viewer/tester_identity.h"
#include "viewer/upload_archive.h"
#include "viewer/upload_flow.h"
#include "viewer/upload_manifest.h"

namespace viewer {

using report::ResultModel;
using report::WriteReportAs;

namespace {

namespace fs = std::filesystem;

// A manifest is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kMaxManifestSize = 64 * 1024;

enum class ManifestState { kRead, kMissing, kDamaged };

ManifestState LoadManifest(const fs::path& folder, UploadManifest& manifest) {
  // Opened and read at once, without asking its size first: under Wine each file call costs, and
  // --list makes one per archived upload (the 1,000-upload listing of bench/).
  // Only a regular file: a FIFO in its place would hang the listing.
  platform::FileKind kind;
  std::FILE* f = platform::OpenRegularFile((folder / kManifestFileName).string(), kind);
  if (f == nullptr) {
    return kind == platform::FileKind::kMissing ? ManifestState::kMissing : ManifestState::kDamaged;
  }
  std::string text;
  char buffer[4096];
  std::size_t n;
  while (text.size() <= kMaxManifestSize && (n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
    text.append(buffer, n);
  }
  std::fclose(f);
  if (text.size() > kMaxManifestSize) return ManifestState::kDamaged;
  return ParseManifest(text, manifest) ? ManifestState::kRead : ManifestState::kDamaged;
}

// Newest first: the folder names are local times, and a suffix "_N" counts up within a second.
bool Newer(const std::string& a, const std::string& b) {
  constexpr std::size_t kStamp = 19;  // YYYY-MM-DD_HH-MM-SS
  const std::string stamp_a = a.substr(0, kStamp), stamp_b = b.substr(0, kStamp);
  if (stamp_a != stamp_b) return stamp_a > stamp_b;
  auto suffix = [](const std::string& name) {
    return name.size() > kStamp + 1 ? std::strtol(name.c_str() + kStamp + 1, nullptr, 10) : 1L;
  };
  if (suffix(a) != suffix(b)) return suffix(a) > suffix(b);
  return a > b;
}

// A manifest is outside bytes: control bytes (terminal escapes among them, C1 included) and line
// ends are not printed.
std::string Printable(std::string text) {
  for (char& c : text) {
    if (platform::IsTerminalControl(static_cast<unsigned char>(c)) || c == '\n' || c == '\t') {
      c = '?';
    }
  }
  return text;
}

std::string Column(const std::string& raw, std::size_t width) {
  const std::string text = Printable(raw);
  return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

// What stands in the place of a file of the archive, before anything opens it.
bool DamagedInPlace(const fs::path& file, std::string& error) {
  if (platform::KindOf(file.string()) != platform::FileKind::kOther) return false;
  error = file.string() + " is damaged (not a regular file)";
  return true;
}

}  // namespace

std::string ArchiveListing(const std::string& archive_root) {
  std::error_code error;
  std::vector<std::string> names;
  const fs::path root(platform::NativePath(archive_root));
  for (fs::directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
    if (it->is_directory(error)) names.push_back(it->path().filename().string());
  }
  if (names.empty()) return {};
  std::sort(names.begin(), names.end(), Newer);
  std::string text = Column("Folder", 24) + Column("Date", 20) + Column("Tester", 21) +
                     Column("Configuration", 30) + "Verdict\n";
  for (const std::string& name : names) {
    UploadManifest manifest;
    switch (LoadManifest(root / name, manifest)) {
      case ManifestState::kRead:
        text += Column(name, 24) + Column(manifest.date, 20) + Column(manifest.tester, 21) +
                Column(manifest.configuration, 30) + Printable(manifest.verdict) + "\n";
        break;
      case ManifestState::kMissing:
        text += Column(name, 24) + "(no " + kManifestFileName + ")\n";
        break;
      case ManifestState::kDamaged:
        text += Column(name, 24) + "(" + kManifestFileName + " damaged)\n";
        break;
    }
  }
  return text;
}

bool RenderArchivedUpload(const std::string& archive_root, const std::string& folder, int language,
                          const std::string& report_path, std::string& error) {
  std::error_code ec;
  fs::path upload(platform::NativePath(folder));
  if (!fs::is_directory(upload, ec)) upload = fs::path(platform::NativePath(archive_root)) / upload;
  if (!fs::is_directory(upload, ec)) {
    error = "no archived upload " + folder;
    return false;
  }
  // The archive keeps what each upload wrote; a report made again goes elsewhere. Real locations
  // are compared, so that neither a link nor "link/.." leads into it.
  if (platform::IsSameOrInside(report_path, archive_root) ||
      platform::IsSameOrInside(report_path, upload.string())) {
    error = "the report may not be written into the archive: " + report_path;
    return false;
  }
  UploadManifest manifest;
  // The files read whatever the manifest lists: none may be anything but a plain file.
  for (const char* name : {kManifestFileName, "Results.log", "AcqBin.zel", kVersionFileName}) {
    if (DamagedInPlace(upload / name, error)) return false;
  }
  switch (LoadManifest(upload, manifest)) {
    case ManifestState::kMissing:
      error = (upload / kManifestFileName).string() + " is missing";
      return false;
    case ManifestState::kDamaged:
      error = (upload / kManifestFileName).string() + " is damaged";
      return false;
    case ManifestState::kRead:
      break;
  }
  bool has_results = false;
  for (const auto& [name, size] : manifest.files) {
    const fs::path file = upload / name;
    if (DamagedInPlace(file, error)) return false;
    const std::uintmax_t actual = fs::file_size(file, ec);
    if (ec) {
      error = file.string() + " is missing";
      return false;
    }
    if (actual != size) {
      error = file.string() + " is damaged (" + std::to_string(actual) +
              " bytes, the manifest says " + std::to_string(size) + ")";
      return false;
    }
    has_results = has_results || name == "Results.log";
  }
  const fs::path results = upload / "Results.log";
  if (!has_results) {
    error = results.string() + " is missing";
    return false;
  }
  auto model = std::make_unique<ResultModel>();  // 57 KiB of curve: not on the stack
  const ResultFiles files{results.string(), (upload / "AcqBin.zel").string()};
  if (ReadAllResults(*model, files) != 0) {
    error = results.string() + " is damaged (a value the report needs is missing)";
    return false;
  }
  const TesterIdentity tester = ReadTesterIdentity((upload / kVersionFileName).string());
  std::string reason;
  if (!WriteReportAs(report_path, *model, language, tester, reason)) {
    error = "the report cannot be written: " + report_path + ": " + reason;
    return false;
  }
  return true;
}

int RunArchiveCommand(const MorvaneOptions& options, const std::string& program_path) {
  // The archive lies beside the exchange files, wherever the upload put them.
  std::string exchange, error;
  if (!platform::FindExchangeFolder(ProgramFolder(program_path), exchange, error)) {
    platform::ShowMessageBox(exchange + "\n" + error, kApplicationName, platform::BoxIcon::kStop);
    return kExitArchiveError;
  }
  const std::string root = ArchiveRoot(exchange);
  if (options.list) {
    std::string listing = ArchiveListing(root);
    if (listing.empty()) listing = "No uploads archived in " + root + "\n";
    const std::string shown = platform::Cp1252ToUtf8(listing);
    std::fputs(shown.c_str(), stdout);
    std::fflush(stdout);
    return 0;
  }
  // One rule with the upload: a report name without extension is a text report named ".txt".
  const std::string report_path = WithDefaultExtension(options.report_path);
  std::string reason;
  if (!platform::IsSameOrInside(report_path, root) &&
      ReportPathRefused(report_path, exchange, options.language, reason)) {
    platform::ShowMessageBox("the report may not replace an exchange file: " + report_path,
                             kApplicationName, platform::BoxIcon::kStop);
    return kExitArchiveError;
  }
  if (!RenderArchivedUpload(root, options.render_folder, options.language, report_path, error)) {
    platform::ShowMessageBox(error, kApplicationName, platform::BoxIcon::kStop);
    return kExitArchiveError;
  }
  return 0;
}

}  // namespace viewer
