// The real worker and watcher threads against the simulated tester, in real time.
#include <gtest/gtest.h>

#include <sstream>

#include "decoder/result_decoder.h"
#include "formats/bytes.h"
#include "formats/config_records.h"
#include "platform/message_box.h"
#include "sim/sim_driver.h"
#include "sim/testersim_command.h"
#include "sim/trace.h"
#include "testerlink/progress_dialog.h"
#include "testerlink/record_text.h"
#include "testerlink/text_dump.h"
#include "tests/testerlink/link_fixture.h"
#include "tests/testerlink/recording_view.h"

namespace testerlink {
namespace {

// A configuration area the simulated tester can run tests on: one configuration of type 1 with
// two ECUs, one of type 2 with one ECU; links are offsets, rings closed.
std::string ConfigurationArea() {
  namespace hdr = formats::cfg_header;
  namespace cr = formats::cfg_record;
  namespace er = formats::ecu_record;
  constexpr std::uint32_t kCfg0 = 74, kEcu00 = 188, kEcu01 = 220, kCfg1 = 252, kEcu10 = 366;
  std::string area(512, '\0');
  auto* a = reinterpret_cast<std::uint8_t*>(area.data());
  a[hdr::kNbrRes] = 2;
  formats::WriteU32LE(a + hdr::kFirstCfg, kCfg0);
  auto cfg = [&](std::uint32_t at, std::uint8_t type, std::uint8_t ecus, std::uint32_t first,
                 std::uint32_t next) {
    a[at + cr::kCfgType] = type;
    a[at + cr::kCfgNbrEcu] = ecus;
    formats::WriteU32LE(a + at + cr::kFirstEcu, first);
    formats::WriteU32LE(a + at + cr::kNext, next);
    formats::WriteU32LE(a + at + cr::kPrev, next);
  };
  cfg(kCfg0, 1, 2, kEcu00, kCfg1);
  cfg(kCfg1, 2, 1, kEcu10, kCfg0);
  formats::WriteU32LE(a + kEcu00 + er::kNext, kEcu01);
  formats::WriteU32LE(a + kEcu01 + er::kNext, kEcu00);
  formats::WriteU32LE(a + kEcu10 + er::kNext, kEcu10);
  return area;
}

class LinkEndToEndTest : public linktest::LinkTest {
 protected:
  LinkEndToEndTest() : LinkTest(fakes::TempFolder::kCurrent) { Sim({"new", kState}); }

  static void Sim(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    ASSERT_EQ(sim::RunTesterSim(args, out, err), 0) << err.str();
  }
  void TesterWithResults() {
    WriteFile("cfg.bin", ConfigurationArea());
    Sim({"poke", kState, "E0000", "cfg.bin"});
    Sim({"results", kState, "--seed", "7"});
  }
  std::string Peek(std::uint32_t address, std::uint32_t length) {
    char a[16], n[16];
    std::snprintf(a, sizeof a, "%X", address);
    std::snprintf(n, sizeof n, "%X", length);
    Sim({"peek", kState, a, n, "peek.bin"});
    return ReadFile("peek.bin");
  }

  // Runs one job as the dialog does: worker and watcher threads, real waits.
  void Run(std::uint32_t options, const std::string& file_name = "VersionTr.zel",
           std::uint32_t address = 0, std::uint32_t length = 0) {
    sim::SimDriver sim_driver(kState);
    TransferJob run;
    run.options = options;
    run.file_name = file_name;
    run.address = address;
    run.length = length;
    run.convert_results = decoder::ConvertResults;
    ProgressDialog dialog(run, sim_driver, messages);
    dialog.Start(display, view);
    dialog.WaitForThreads();
    result = run.result;
    std::copy(run.version_record.begin(), run.version_record.end(), version_record.begin());
  }

  static constexpr const char* kState = "tester.state";
  linktest::RecordingView view;
  std::int32_t result = -1;
  std::array<std::uint8_t, kVersionRecordSize> version_record{};
};

TEST_F(LinkEndToEndTest, InformationReadClosesByItself) {
  Run(kOptionInformationG);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(view.close_requests(), 1);
  EXPECT_EQ(view.beeps(), 0);
  EXPECT_EQ(display.statuses(),
            (std::vector<std::string>{
                "Upload of the results.", "Send general information sequence.",
                "Upload of the results.\n===== OK ===== \nPlease close the window!"}));
  std::string reply = ReadFile("VersionTr.zel");
  EXPECT_EQ(reply.size(), 64u);
  EXPECT_EQ(reply.substr(0, 10), std::string("Quarnetik\0", 10));
  EXPECT_EQ(version_record[20], 3);
}

TEST_F(LinkEndToEndTest, ResultsUploadStoresTheFourImages) {
  TesterWithResults();
  Run(kOptionResultsUpload);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(view.beeps(), 0);
  EXPECT_EQ(LastStatus(), "Upload of the results.\n===== OK ===== \nPlease close the window!");
  const std::uint32_t results_length = formats::ReadU32LE(version_record.data() + 26);
  ASSERT_GT(results_length, 0u);
  EXPECT_EQ(ReadFile("ResBin.zel"), Peek(0xF0000, results_length));
  EXPECT_EQ(ReadFile("CfgBin.zel"), Peek(0xE0000, 0xFFFF));
  EXPECT_EQ(ReadFile("MenuBin.zel"), Peek(0x819CA, 0x50000));
  EXPECT_EQ(ReadFile("AcqBin.zel"), Peek(0xD2000, 0xE000));
  EXPECT_NE(ReadFile("Results.log").find("[CfgRes000]"), std::string::npos);
}

TEST_F(LinkEndToEndTest, TesterWithoutResults) {
  Sim({"trace", kState, "trace.txt"});
  Run(kOptionResultsUpload);
  EXPECT_EQ(result, 14);
  EXPECT_EQ(view.beeps(), 1);
  EXPECT_EQ(LastStatus(), "No result in HALVEN TESTER.");
  EXPECT_EQ(sim::ReadTraceLines("trace.txt"),
            (std::vector<std::string>{"> :0000000DF3\\n\\r", "< O", "# read 64",
                                      "> :0000000FF1\\n\\r", "< O"}));
  EXPECT_FALSE(std::filesystem::exists("ResBin.zel"));
}

TEST_F(LinkEndToEndTest, MemoryReadRawAndAsText) {
  TesterWithResults();
  Run(kOptionMemoryRead, "raw.bin", 0xE0000, 0x300);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadFile("raw.bin"), Peek(0xE0000, 0x300));
  EXPECT_EQ(view.close_requests(), platform::Unattended() ? 1 : 0);  // stays for the user

  Run(kOptionMemoryRead | kOptionTextDump, "dump.txt", 0xE0000, 0x300);
  EXPECT_EQ(result, 0);
  std::string raw = ReadFile("raw.bin");
  EXPECT_EQ(ReadFile("dump.txt"),
            MemoryDump({reinterpret_cast<const std::uint8_t*>(raw.data()), raw.size()}, 0xE0000));
}

TEST_F(LinkEndToEndTest, FileSendWithEraseFraming) {
  TesterWithResults();
  Sim({"trace", kState, "trace.txt"});
  WriteFile("image.h86",
            ":020000040008F2\r\n"      // linear base 0x80000
            ":040010001122334442\r\n"  // 4 bytes at 0x80010
            ":00000001FF\r\n");
  Run(kOptionDataErase | kOptionRecordAfterEnd, "image.h86");
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Peek(0x80010, 4), "\x11\x22\x33\x44");
  EXPECT_EQ(Peek(0xE0000, 4), std::string(4, '\xFF'));  // the DATA erase took the configuration
  auto trace = sim::ReadTraceLines("trace.txt");
  std::vector<std::string> written;
  for (const std::string& line : trace) {
    if (line.rfind("> ", 0) == 0) written.push_back(line.substr(2));
  }
  EXPECT_EQ(written, (std::vector<std::string>{":00000008F8\\r", ":020000040008F2\\r",
                                               ":040010001122334442\\r", ":00000001FF\\r",
                                               ":0000000FF1\\r", ":00000009F7\\r"}));
}

TEST_F(LinkEndToEndTest, InjectedFaults) {
  struct Case {
    std::vector<std::string> fault;
    std::uint32_t options;
    std::int32_t result;
    const char* message;
  } cases[] = {
      {{"testers", "3"},
       kOptionInformationG,
       3,
       "More than one peripherical detected.\nConnect only one peripherical ."},
      {{"name-ending-in-backslash"}, kOptionInformationG, 6, "Error communication USB (Code: B4)."},
      {{"setup-pending"}, kOptionInformationG, 7, "Error communication USB (Code: B5)."},
      {{"refuse"}, kOptionInformationG, 14, "Error bad sequence (K-12)."},
      {{"garbage", "1"}, kOptionMemoryRead, 13, "Error,acknowledge  invalid."},
      {{"read-long", "1"}, kOptionMemoryRead, 13, "packet size error (513)."},
      {{"read-timeout", "1"}, kOptionInformationG, 14, "Read USB error (Time Out)."},
  };
  for (const Case& c : cases) {
    Sim({"fault", kState, "clear"});
    std::vector<std::string> args = {"fault", kState};
    args.insert(args.end(), c.fault.begin(), c.fault.end());
    Sim(args);
    Run(c.options, c.options & kOptionMemoryRead ? "dump.bin" : "VersionTr.zel", 0xE0000, 0x200);
    EXPECT_EQ(result, c.result) << c.fault[0];
    EXPECT_EQ(LastStatus(), c.message) << c.fault[0];
  }
  EXPECT_EQ(view.beeps(), 7);
}

}  // namespace
}  // namespace testerlink
