#include "quillink/quillink_app.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace quillink {
namespace {

// Records each call of the start routine as one line.
class RecordingHost final : public AppHost {
 public:
  bool messages_present = true;
  int job_result = 0;
  bool image_written = true;
  std::vector<std::string> calls;

  bool LoadMessages() override {
    calls.push_back("load");
    return messages_present;
  }
  void ShowBox(const std::string& text) override { calls.push_back("box " + text); }
  bool BuildMenuCfg() override {
    calls.push_back("build");
    return image_written;
  }
  void MarkResultsUploadStart() override { calls.push_back("mark"); }
  int RunProgressDialog(const JobRequest& request, std::string_view label) override {
    char line[400];
    std::snprintf(line, sizeof line, "job %s flags=%X address=%X length=%X label=%s%s",
                  request.file_name.c_str(), request.option_flags, request.address, request.length,
                  std::string(label).c_str(), request.file_refused ? " refused" : "");
    calls.push_back(line);
    return job_result;
  }
  void CheckVersion(int result) override { calls.push_back("check " + std::to_string(result)); }
};

const std::string kMissingParameters = "box " + std::string(kMissingParametersText);

TEST(QuillinkApp, EachModeDoesItsWorkAroundOneJob) {
  struct Case {
    std::string command_line;
    int job_result;
    std::vector<std::string> calls;
    int exit_status;
  };
  const std::string label = " label=V3.01 Orvo";
  const Case cases[] = {
      {"QuillinK.exe LECTURE_INFO",
       0,
       {"load", "job VersionTr.zel flags=40 address=0 length=0" + label, "check 0"},
       0},
      // A failed information job still gets its version check (Etat "-1").
      {"\"C:\\Program Files\\Halven\\Quillink.exe\" LECTURE_INFO",
       4,
       {"load", "job VersionTr.zel flags=40 address=0 length=0" + label, "check 4"},
       4},
      {"QuillinK.exe GENERATION_BIN",
       14,
       {"load", "mark", "job VersionTr.zel flags=200 address=0 length=0" + label},
       14},
      {"\"Quillink.exe\" ECRITURE",
       15,
       {"load", "build", "job MenuCfg.h86 flags=C address=0 length=0" + label},
       15},
      {"\"Quillink.exe\" MAJAPPLI C:\\fw 2\\app.hex",
       0,
       {"load", "job C:\\fw 2\\app.hex flags=1E address=0 length=0" + label},
       0},
      {"\"Quillink.exe\" dump.bin -READ[E0000,FFFF] -t",
       13,
       {"load", "job dump.bin flags=80000028 address=E0000 length=FFFF" + label},
       13},
      // Messages are loaded before the argument is judged.
      {"\"Quillink.exe\"", 0, {"load", kMissingParameters}, kExitJobNotRun},
      {"Quillink.exe LECTURE_INFO", 0, {"load", kMissingParameters}, kExitJobNotRun},
      {"\"Quillink.exe\" MenuCfg.h86", 0, {"load", kMissingParameters}, kExitJobNotRun},
      {"\"Quillink.exe\" " + std::string(300, 'x') + " -A",
       0,
       {"load", kMissingParameters},
       kExitJobNotRun},
      {"", 0, {}, kExitJobNotRun},
  };
  for (const Case& c : cases) {
    RecordingHost host;
    host.job_result = c.job_result;
    QuillinkApp app(host);
    EXPECT_EQ(app.Run(c.command_line), c.exit_status) << c.command_line;
    EXPECT_EQ(host.calls, c.calls) << c.command_line;
  }
}

// Whatever stands under MenuCfg.h86 after a failed conversion is not sent: the job refuses the
// file.
TEST(QuillinkApp, AnImageThisRunCouldNotWriteIsRefusedToTheSend) {
  RecordingHost host;
  host.image_written = false;
  host.job_result = 15;
  QuillinkApp app(host);
  EXPECT_EQ(app.Run("\"Quillink.exe\" ECRITURE"), 15);
  EXPECT_EQ(
      host.calls,
      (std::vector<std::string>{
          "load", "build", "job MenuCfg.h86 flags=C address=0 length=0 label=V3.01 Orvo refused"}));
}

TEST(QuillinkApp, MissingTranslationFileStopsBeforeAnyWork) {
  for (const char* line : {"QuillinK.exe LECTURE_INFO", "QuillinK.exe GENERATION_BIN",
                           "\"Quillink.exe\" ECRITURE", "\"Quillink.exe\""}) {
    RecordingHost host;
    host.messages_present = false;
    QuillinkApp app(host);
    EXPECT_EQ(app.Run(line), kExitMissingTranslation);
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"load",
                                        "box Fichier de Traduction (InfoTrfTR.zel) absent\n "
                                        "Translate file (InfoTrfTR.zel) not found"}))
        << line;
  }
}

}  // namespace
}  // namespace quillink
