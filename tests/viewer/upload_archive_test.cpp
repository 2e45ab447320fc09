// The archive of every upload, through the upload flow with a fake tool, and the two commands on
// it: the listing and a report made again from an archived upload.
#include "viewer/upload_archive.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "platform/file_lock.h"
#include "platform/profile.h"
#include "report/language_tables.h"
#include "report/text_report_writer.h"
#include "tests/fakes/scoped_unattended.h"
#include "tests/fakes/temp_folder.h"
#include "tests/viewer/upload_test_support.h"
#include "viewer/archive_commands.h"
#include "viewer/results_reader.h"
#include "viewer/upload_flow.h"
#include "viewer/upload_manifest.h"

namespace viewer {
namespace {

namespace fs = std::filesystem;
using report::kEnglish;
using upload_test::ReadBytes;
using upload_test::WriteBytes;

// The length test run, so that the curve of "AcqBin.zel" reaches the reports.
std::string ResultsWithLength() {
  std::string text = upload_test::kResultsAllNotDone;
  text.replace(text.find("Test_Longueur=0"), 15, "Test_Longueur=1");
  return text +
         "[CfgRes000_TESTLONGUEUR]\r\nLongueur_Max=64\r\nLongueur_Mes=25\r\nDebit=1388\r\n"
         "Vitesse=32\r\nResult_Longueur=1\r\n";
}

std::string Curve() {
  std::string bytes;
  for (int k = 0; k < 40; ++k) bytes += std::string{0, 0, char(100), static_cast<char>(k * 2)};
  return bytes;
}

// A host whose tool leaves the files of one upload, as the real tool does.
class ArchiveHost : public UploadHost {
 public:
  bool ChooseReportPath(std::string& path) override {
    path = report;
    return true;
  }
  void ShowMessage(const std::string& text, platform::BoxIcon icon) override {
    boxes.push_back(text);
    icons.push_back(icon);
  }
  bool RunTool(const std::string& command_line, const std::string&) override {
    if (command_line == kInfoCommandLine) {
      std::string version(44, '\0');
      version.replace(0, 9, "Quarnetik");
      version[20] = 3;
      version[21] = 2;
      WriteBytes("VersionTr.zel", version);
      return platform::WriteProfileString("EtatVersion", "Etat", "1", ".\\Tr.ini");
    }
    WriteBytes("Results.log", ResultsWithLength());
    WriteBytes("AcqBin.zel", Curve());
    for (const char* image : {"ResBin.zel", "CfgBin.zel", "MenuBin.zel"}) {
      WriteBytes(image, std::string("image ") + image);
    }
    return true;
  }
  void OpenReport(const std::string&) override {}

  std::string report;
  std::vector<std::string> boxes;
  std::vector<platform::BoxIcon> icons;
};

class UploadArchiveTest : public ::testing::Test {
 protected:
  UploadOutcome Upload(const std::string& report_path, int language = report::kEnglish) {
    host.report = report_path;
    return RunUpload(host, language, folder.File("Morvane.exe"), *model);
  }
  std::vector<fs::path> Archived() {
    std::vector<fs::path> folders;
    for (const auto& entry : fs::directory_iterator(folder.path() / "Uploads")) {
      folders.push_back(entry.path());
    }
    std::sort(folders.begin(), folders.end());
    return folders;
  }
  std::string Root() { return folder.File("Uploads"); }

  fakes::TempFolder folder;
  fakes::TempFolder elsewhere;
  ArchiveHost host;
  std::unique_ptr<report::ResultModel> model = std::make_unique<report::ResultModel>();
};

TEST_F(UploadArchiveTest, EachUploadGetsItsOwnFolderWithItsFilesAndManifest) {
  ASSERT_EQ(Upload(elsewhere.File("first.html")), UploadOutcome::kReportWritten);
  ASSERT_EQ(Upload(elsewhere.File("second.txt"), report::kFrench), UploadOutcome::kReportWritten);
  EXPECT_TRUE(host.boxes.empty());

  const std::vector<fs::path> folders = Archived();
  ASSERT_EQ(folders.size(), 2u);
  const std::string first = folders[0].filename().string();
  const std::string second = folders[1].filename().string();
  // Named after the time; a second upload in the same second takes the suffix _2.
  EXPECT_EQ(first.size(), 19u);
  EXPECT_TRUE(second == first + "_2" || (second.size() == 19 && second > first)) << second;

  for (const char* name :
       {"VersionTr.zel", "ResBin.zel", "CfgBin.zel", "MenuBin.zel", "AcqBin.zel", "Results.log"}) {
    EXPECT_EQ(ReadBytes((folders[0] / name).string()), ReadBytes(folder.File(name))) << name;
  }
  EXPECT_EQ(ReadBytes((folders[0] / "Report.html").string()),
            ReadBytes(elsewhere.File("first.html")));
  EXPECT_EQ(ReadBytes((folders[1] / "Report.txt").string()),
            ReadBytes(elsewhere.File("second.txt")));

  UploadManifest manifest;
  ASSERT_TRUE(ParseManifest(ReadBytes((folders[1] / kManifestFileName).string()), manifest));
  EXPECT_EQ(manifest.date, "06/12/2026 18:21:56");
  EXPECT_EQ(manifest.tester, "Quarnetik");
  EXPECT_EQ(manifest.version, "3.2");
  EXPECT_EQ(manifest.configuration, "LINE 4");
  EXPECT_EQ(manifest.verdict, "passed");
  EXPECT_EQ(manifest.language, "fr");
  EXPECT_EQ(manifest.report, "Report.txt");
  EXPECT_EQ(manifest.files.size(), 7u);
}

TEST_F(UploadArchiveTest, ArchiveThatCannotBeWrittenLeavesTheReportAndSaysWhy) {
  WriteBytes(Root(), "a file where the archive folder should be");
  ASSERT_EQ(Upload(elsewhere.File("report.txt")), UploadOutcome::kReportWritten);
  EXPECT_FALSE(ReadBytes(elsewhere.File("report.txt")).empty());
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.icons[0], platform::BoxIcon::kWarning);
  EXPECT_EQ(host.boxes[0].find("The upload stands, but it could not be archived:\n" + Root()), 0u)
      << host.boxes[0];
  EXPECT_GT(host.boxes[0].size(), ("...:\n" + Root() + "\n").size() + 40);  // and the reason
}

TEST_F(UploadArchiveTest, ListingIsNewestFirstAndNamesFoldersItCannotRead) {
  ASSERT_EQ(Upload(elsewhere.File("report.txt")), UploadOutcome::kReportWritten);
  const std::string made = Archived()[0].filename().string();
  const std::string manifest = ReadBytes((Archived()[0] / kManifestFileName).string());
  for (const char* name : {"2000-01-01_00-00-00", "2000-01-01_00-00-00_2", "2000-01-01_00-00-00_10",
                           "1999-12-31_23-59-59"}) {
    fs::create_directory(folder.path() / "Uploads" / name);
    WriteBytes((folder.path() / "Uploads" / name / kManifestFileName).string(), manifest);
  }
  fs::create_directory(folder.path() / "Uploads" / "1999-01-01_00-00-00");
  fs::create_directory(folder.path() / "Uploads" / "1998-01-01_00-00-00");
  WriteBytes((folder.path() / "Uploads" / "1998-01-01_00-00-00" / kManifestFileName).string(),
             "date=x\r\n");

  const std::string listing = ArchiveListing(Root());
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = listing.find('\n', start)) != std::string::npos;
       start = end + 1) {
    lines.push_back(listing.substr(start, end - start));
  }
  ASSERT_EQ(lines.size(), 8u) << listing;
  EXPECT_EQ(lines[0].find("Folder"), 0u);
  EXPECT_EQ(lines[1].find(made), 0u);
  EXPECT_NE(lines[1].find("06/12/2026 18:21:56 Quarnetik"), std::string::npos) << lines[1];
  EXPECT_NE(lines[1].find("LINE 4"), std::string::npos);
  EXPECT_NE(lines[1].find("passed"), std::string::npos);
  EXPECT_EQ(lines[2].find("2000-01-01_00-00-00_10 "), 0u);
  EXPECT_EQ(lines[3].find("2000-01-01_00-00-00_2 "), 0u);
  EXPECT_EQ(lines[4].find("2000-01-01_00-00-00 "), 0u);
  EXPECT_EQ(lines[5].find("1999-12-31_23-59-59 "), 0u);
  EXPECT_NE(lines[6].find("(no Manifest.txt)"), std::string::npos);
  EXPECT_NE(lines[7].find("(Manifest.txt damaged)"), std::string::npos);
  EXPECT_EQ(ArchiveListing(folder.File("nothing here")), "");
}

TEST_F(UploadArchiveTest, RenderedTextReportEqualsTheOneTheUploadWrote) {
  ASSERT_EQ(Upload(elsewhere.File("report.html")), UploadOutcome::kReportWritten);
  const std::string archived = Archived()[0].filename().string();
  report::ResultModel& m = *model;
  ASSERT_EQ(ReadAllResults(m), 0);
  for (int language : {report::kGerman, report::kEnglish, report::kFrench}) {
    const std::string again = elsewhere.File("again" + std::to_string(language) + ".txt");
    std::string error;
    ASSERT_TRUE(RenderArchivedUpload(Root(), archived, language, again, error)) << error;
    EXPECT_EQ(ReadBytes(again), report::TextReport(m, language));
  }
  // The curve came from the archived "AcqBin.zel": the text report holds its points.
  EXPECT_NE(report::TextReport(m, report::kEnglish).find("0000,000|0002,002|"), std::string::npos);
  // A path to the folder works as well as its name, and other formats follow the extension.
  std::string error;
  ASSERT_TRUE(RenderArchivedUpload(Root(), Archived()[0].string(), report::kGerman,
                                   elsewhere.File("again.html"), error));
  EXPECT_NE(ReadBytes(elsewhere.File("again.html")).find("Gesamtergebnis: Bestanden"),
            std::string::npos);
}

TEST_F(UploadArchiveTest, DamagedArchivedUploadNamesTheFileAndWritesNothing) {
  ASSERT_EQ(Upload(elsewhere.File("report.txt")), UploadOutcome::kReportWritten);
  const fs::path upload = Archived()[0];
  const std::string name = upload.filename().string();
  const std::string results = ReadBytes((upload / "Results.log").string());
  const std::string manifest = ReadBytes((upload / kManifestFileName).string());
  const std::string image = ReadBytes((upload / "CfgBin.zel").string());
  auto restore = [&] {
    WriteBytes((upload / "CfgBin.zel").string(), image);
    WriteBytes((upload / "Results.log").string(), results);
    WriteBytes((upload / kManifestFileName).string(), manifest);
  };
  std::string date_missing = results;
  date_missing.replace(date_missing.find("Date="), 5, "Dat_=");  // same size, key gone

  const struct {
    const char* name;
    std::function<void()> damage;
    std::string report;
    std::string error_names;
  } cases[] = {
      {"manifest missing", [&] { fs::remove(upload / kManifestFileName); }, elsewhere.File("r.txt"),
       (upload / kManifestFileName).string() + " is missing"},
      {"manifest damaged", [&] { WriteBytes((upload / kManifestFileName).string(), "tester\r\n"); },
       elsewhere.File("r.txt"), (upload / kManifestFileName).string() + " is damaged"},
      {"image missing", [&] { fs::remove(upload / "CfgBin.zel"); }, elsewhere.File("r.txt"),
       (upload / "CfgBin.zel").string() + " is missing"},
      {"results cut", [&] { WriteBytes((upload / "Results.log").string(), results.substr(0, 40)); },
       elsewhere.File("r.txt"), (upload / "Results.log").string() + " is damaged"},
      {"results key gone", [&] { WriteBytes((upload / "Results.log").string(), date_missing); },
       elsewhere.File("r.txt"), (upload / "Results.log").string() + " is damaged"},
      {"report into the archive", [] {}, (upload / "again.txt").string(),
       "the report may not be written into the archive"},
      {"report into the archive root", [] {}, Root() + "/x/../again.txt",
       "the report may not be written into the archive"},
      {"no such upload", [] {}, elsewhere.File("r.txt"), "no archived upload 1990"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    restore();
    c.damage();
    std::string error;
    const std::string which = std::string(c.name) == "no such upload" ? "1990" : name;
    EXPECT_FALSE(RenderArchivedUpload(Root(), which, report::kEnglish, c.report, error));
    EXPECT_NE(error.find(c.error_names), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(c.report));
  }
  restore();
  EXPECT_EQ(std::distance(fs::directory_iterator(upload), fs::directory_iterator{}), 8);
}

// The report may neither land in the archive nor replace a file the tool writes, however the
// path reaches them (a link, "link/.."): refused before anything is done, the archive intact.
TEST_F(UploadArchiveTest, AReportOverTheArchiveOrAnExchangeFileIsRefused) {
  ASSERT_EQ(Upload(elsewhere.File("report.txt")), UploadOutcome::kReportWritten);
  const fs::path upload = Archived()[0];
  const std::string archived_results = ReadBytes((upload / "Results.log").string());
  const std::string exchange_results = ReadBytes(folder.File("Results.log"));
  std::error_code error;
  fs::create_directory_symlink(upload, elsewhere.path() / "link", error);
  const bool links = !error;

  struct Refused {
    std::string path;
    bool in_archive;
  };
  std::vector<Refused> refused = {{(upload / "Results.log").string(), true},
                                  {(upload / "Report.txt").string(), true},
                                  {Root() + "/new.txt", true},
                                  {folder.File("Results.log"), false},
                                  {folder.File("Tr.ini"), false},
                                  {folder.File("AcqBin.zel"), false}};
  if (links) {
    refused.push_back({elsewhere.File("link/Report.html"), true});
    refused.push_back({elsewhere.File("link/../OTHER/Results.log"), true});
  }
  for (const Refused& report : refused) {
    SCOPED_TRACE(report.path);
    host.boxes.clear();
    EXPECT_EQ(Upload(report.path), UploadOutcome::kReportNotCreated);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].find("The report file cannot be created:\n" + report.path +
                                 "\nThe report may not "),
              0u)
        << host.boxes[0];
    if (!report.in_archive) continue;
    std::string render_error;
    EXPECT_FALSE(RenderArchivedUpload(Root(), upload.filename().string(), kEnglish, report.path,
                                      render_error));
    EXPECT_NE(render_error.find("may not be written into the archive"), std::string::npos);
  }
  EXPECT_EQ(Archived().size(), 1u);
  EXPECT_EQ(ReadBytes((upload / "Results.log").string()), archived_results);
  EXPECT_EQ(ReadBytes(folder.File("Results.log")), exchange_results);
  if (!links) GTEST_SKIP() << "links cannot be made here: the paths without links were tried";
}

// While an upload holds the folder, another is refused at once and touches nothing: the first
// one's Results.log is never emptied under it.
TEST_F(UploadArchiveTest, ASecondUploadInTheSameFolderIsRefusedWhileTheFirstRuns) {
  platform::FileLock running;
  bool busy = false;
  ASSERT_TRUE(running.TryAcquire(folder.File(kUploadLockFileName), busy));
  EXPECT_EQ(Upload(elsewhere.File("report.txt")), UploadOutcome::kUploadBusy);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].find("Another upload is running in this folder; try again once it has "
                               "finished:\n"),
            0u)
      << host.boxes[0];
  EXPECT_FALSE(fs::exists(folder.File("InfoTrfTR.zel")));
  EXPECT_FALSE(fs::exists(folder.File("Tr.ini")));
  EXPECT_FALSE(fs::exists(elsewhere.File("report.txt")));
  running.Release();
  EXPECT_EQ(Upload(elsewhere.File("report.txt")), UploadOutcome::kReportWritten);
  // The lock is released with the upload.
  EXPECT_TRUE(running.TryAcquire(folder.File(kUploadLockFileName), busy));
}

// A plain file under the name the next folder would take is no more in the way than a folder.
TEST_F(UploadArchiveTest, AFileUnderTheNextFolderNameGivesTheNextSuffix) {
  fs::create_directories(folder.path() / "Uploads");
  const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
  for (std::int64_t second = now; second <= now + 2; ++second) {
    WriteBytes(Root() + "/" + ArchiveFolderName(second), "in the way");
  }
  ASSERT_EQ(Upload(elsewhere.File("report.txt")), UploadOutcome::kReportWritten);
  EXPECT_TRUE(host.boxes.empty()) << host.boxes[0];
  int folders = 0;
  for (const fs::path& entry : Archived()) {
    if (!fs::is_directory(entry)) continue;
    ++folders;
    EXPECT_EQ(entry.filename().string().substr(19), "_2");
  }
  EXPECT_EQ(folders, 1);
}

// Outside text reaches the terminal through the listing: no control byte of a manifest does.
TEST_F(UploadArchiveTest, ListingShowsNoControlByteOfAHostileManifest) {
  ASSERT_EQ(Upload(elsewhere.File("report.txt")), UploadOutcome::kReportWritten);
  const fs::path manifest = Archived()[0] / kManifestFileName;
  std::string text = ReadBytes(manifest.string());
  text.replace(text.find("tester=Quarnetik"), 16,
               std::string("tester=Q\x1B]0;x\x07\x9D"
                           "2;y\x90z\x81\x8D\x8F\x7F\x80",
                           26));
  WriteBytes(manifest.string(), text);
  const std::string listing = ArchiveListing(Root());
  for (unsigned char c : listing) {
    if (c == '\n') continue;
    EXPECT_FALSE(c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 ||
                 c == 0x9D)
        << static_cast<int>(c);
  }
  EXPECT_NE(listing.find("Q?]0;x??2;y?z????\x80"), std::string::npos) << listing;
}

// The commands as the program runs them: the archive beside the exchange files, an empty one
// said in one line, the upload's rule for a name without extension, no exchange file replaced.
TEST_F(UploadArchiveTest, CommandsListSayWhenEmptyAndRenderFollowsTheUploadsRules) {
  fakes::ScopedUnattended unattended;  // the refused report below is said in a box
  const std::string program = folder.File("Morvane.exe");
  MorvaneOptions list;
  list.list = true;
  testing::internal::CaptureStdout();
  EXPECT_EQ(RunArchiveCommand(list, program), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "No uploads archived in " + Root() + "\n");

  ASSERT_EQ(Upload(elsewhere.File("report.txt")), UploadOutcome::kReportWritten);
  MorvaneOptions render;
  render.render_given = true;
  render.render_folder = Archived()[0].filename().string();
  render.report_path = elsewhere.File("again");
  EXPECT_EQ(RunArchiveCommand(render, program), 0);
  EXPECT_EQ(ReadBytes(elsewhere.File("again.txt")), ReadBytes(elsewhere.File("report.txt")));
  EXPECT_FALSE(fs::exists(elsewhere.File("again")));

  const std::string results = ReadBytes(folder.File("Results.log"));
  render.report_path = folder.File("Results.log");
  EXPECT_EQ(RunArchiveCommand(render, program), kExitArchiveError);
  EXPECT_EQ(ReadBytes(folder.File("Results.log")), results);
}

}  // namespace
}  // namespace viewer
