// An installed package: the program folder cannot be written, so the exchange files go to the
// user's data folder, and the archive with them; a data folder that cannot be used stops the
// upload before anything is written anywhere.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/environment.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "tests/fakes/temp_folder.h"
#include "tests/viewer/upload_test_support.h"
#include "viewer/archive_commands.h"
#include "viewer/upload_archive.h"
#include "viewer/upload_flow.h"
#include "viewer/upload_manifest.h"

namespace viewer {
namespace {

namespace fs = std::filesystem;
using report::ResultModel;
using upload_test::ReadBytes;
using upload_test::WriteBytes;

// A tool that leaves one upload's files in the current folder, as the real tool does.
class DataFolderHost : public UploadHost {
 public:
  bool ChooseReportPath(std::string& path) override {
    path = report;
    return true;
  }
  void ShowMessage(const std::string& text, platform::BoxIcon) override { boxes.push_back(text); }
  bool RunTool(const std::string& command_line, const std::string&) override {
    if (command_line == kInfoCommandLine) {
      std::string version(44, '\0');
      version.replace(0, 9, "Quarnetik");
      version[20] = 3;
      WriteBytes("VersionTr.zel", version);
      return platform::WriteProfileString("EtatVersion", "Etat", "1", ".\\Tr.ini");
    }
    WriteBytes("Results.log", upload_test::kResultsAllNotDone);
    return true;
  }
  void OpenReport(const std::string&) override {}

  std::string report;
  std::vector<std::string> boxes;
};

class DataFolderUploadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"HOME", "XDG_DATA_HOME"}) {
      const char* value = getenv(name);
      saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
    }
    start_ = platform::CurrentFolder();
    ASSERT_TRUE(platform::SetCurrentFolder(here.path().string()));
  }
  void TearDown() override {
    EXPECT_TRUE(platform::SetCurrentFolder(start_));
    for (const auto& [name, value] : saved_) {
      EXPECT_TRUE(platform::SetEnvironmentValue(name, value ? value->c_str() : nullptr));
    }
  }
  UploadOutcome Upload(const std::string& data_home) {
    EXPECT_TRUE(platform::SetEnvironmentValue("XDG_DATA_HOME", data_home.c_str()));
    host.report = elsewhere.File("report.txt");
    // /usr is never written: the package's place, even for root.
    return RunUpload(host, 1, kInstalledProgram, *model);
  }

  static constexpr char kInstalledProgram[] = "/usr/bin/Morvane.exe";
  fakes::TempFolder data, elsewhere, here;
  DataFolderHost host;
  std::unique_ptr<ResultModel> model = std::make_unique<ResultModel>();
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
  std::string start_;
};

TEST_F(DataFolderUploadTest, TheArchiveLiesBesideTheExchangeFilesOfTheDataFolder) {
  ASSERT_EQ(Upload(data.path().string()), UploadOutcome::kReportWritten);
  ASSERT_EQ(Upload(data.path().string()), UploadOutcome::kReportWritten);
  EXPECT_TRUE(host.boxes.empty()) << host.boxes[0];
  const fs::path exchange = data.path() / "halven";
  EXPECT_TRUE(fs::exists(exchange / "Results.log"));
  std::vector<fs::path> uploads;
  for (const auto& entry : fs::directory_iterator(exchange / "Uploads")) {
    uploads.push_back(entry.path());
  }
  ASSERT_EQ(uploads.size(), 2u);
  for (const fs::path& upload : uploads) {
    EXPECT_EQ(ReadBytes((upload / "Results.log").string()), upload_test::kResultsAllNotDone);
    EXPECT_TRUE(fs::exists(upload / kManifestFileName));
  }
  EXPECT_FALSE(fs::exists("/usr/bin/Uploads"));
  // Listed and rendered again from there.
  const std::string listing = ArchiveListing((exchange / "Uploads").string());
  EXPECT_NE(listing.find(uploads[0].filename().string()), std::string::npos) << listing;
  std::string error;
  EXPECT_TRUE(RenderArchivedUpload((exchange / "Uploads").string(), uploads[0].filename().string(),
                                   1, elsewhere.File("again.txt"), error))
      << error;
  EXPECT_EQ(ReadBytes(elsewhere.File("again.txt")), ReadBytes(elsewhere.File("report.txt")));
}

TEST_F(DataFolderUploadTest, ADataFolderThatCannotBeMadeStopsTheUploadAndIsNamed) {
  WriteBytes(data.File("plain"), "a file where the data folder should be");
  EXPECT_EQ(Upload(data.File("plain")), UploadOutcome::kFileError);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].find("The folder for the exchange files cannot be used:\n" +
                               data.File("plain") + "/halven/\n"),
            0u)
      << host.boxes[0];
  // Nothing was written in the folder the program was started from, nor a report.
  EXPECT_TRUE(fs::is_empty(here.path()));
  EXPECT_FALSE(fs::exists(elsewhere.File("report.txt")));
}

// A FIFO or a folder in a file's place is damage, found at once: neither the listing nor a report
// made again waits on it.
TEST_F(DataFolderUploadTest, AFifoInTheArchiveIsDamagedAndNothingWaits) {
  ASSERT_EQ(Upload(data.path().string()), UploadOutcome::kReportWritten);
  const fs::path root = data.path() / "halven" / "Uploads";
  const fs::path upload = fs::directory_iterator(root)->path();
  const std::string name = upload.filename().string();
  fs::copy(upload, root / "2000-01-01_00-00-00");
  fs::remove(root / "2000-01-01_00-00-00" / kManifestFileName);
  ASSERT_EQ(mkfifo((root / "2000-01-01_00-00-00" / kManifestFileName).c_str(), 0600), 0);
  EXPECT_NE(ArchiveListing(root.string()).find("2000-01-01_00-00-00     (Manifest.txt damaged)"),
            std::string::npos);
  for (const char* file : {"Results.log", "AcqBin.zel", "Report.txt"}) {
    SCOPED_TRACE(file);
    const fs::path damaged = root / (std::string("case ") + file);
    fs::copy(upload, damaged);
    fs::remove(damaged / file);
    if (std::string(file) == "AcqBin.zel") {
      fs::create_directory(damaged / file);
    } else {
      ASSERT_EQ(mkfifo((damaged / file).c_str(), 0600), 0);
    }
    std::string error;
    EXPECT_FALSE(RenderArchivedUpload(root.string(), damaged.filename().string(), 1,
                                      elsewhere.File("again.txt"), error));
    EXPECT_EQ(error, (damaged / file).string() + " is damaged (not a regular file)");
    EXPECT_FALSE(fs::exists(elsewhere.File("again.txt")));
  }
  std::string error;
  EXPECT_TRUE(RenderArchivedUpload(root.string(), name, 1, elsewhere.File("again.txt"), error))
      << error;
}

}  // namespace
}  // namespace viewer
