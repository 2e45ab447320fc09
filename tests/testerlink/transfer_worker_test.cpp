#include "testerlink/transfer_worker.h"

#include <gtest/gtest.h>

#include "testerlink/record_text.h"
#include "tests/testerlink/link_fixture.h"

namespace testerlink {
namespace {

using linktest::Answer;
using linktest::ScriptedDriver;

// An information reply: identity, version 3.1, results and acquisition areas, capability bits.
std::string InformationReply(std::uint32_t results_address, std::uint32_t results_length,
                             std::uint32_t acquisition_address, std::uint16_t acquisition_length) {
  std::string reply(44, '\0');
  reply.replace(0, 9, "Quarnetik");
  reply[20] = 3;
  reply[21] = 1;
  auto put = [&](std::size_t at, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) reply[at + i] = static_cast<char>(value >> (8 * i));
  };
  put(22, results_address, 4);
  put(26, results_length, 4);
  put(32, 4, 2);
  put(34, acquisition_address, 4);
  put(38, acquisition_length, 2);
  return reply;
}

class TransferWorkerTest : public linktest::LinkTest {
 protected:
  TransferWorkerTest() : LinkTest(fakes::TempFolder::kCurrent) {}

  std::vector<std::string> Records() const {
    std::vector<std::string> records;
    for (const std::string& w : driver.writes) {
      std::size_t end = w.find_first_of("\r\n");
      records.push_back(w.substr(0, end));
    }
    return records;
  }
};

TEST_F(TransferWorkerTest, ResultsUploadReadsTheFourAreas) {
  linktest::ScopedUnattended unattended;  // the decoder refuses these images with a box
  driver.information = InformationReply(0x40000, 0x1234, 0xC0000, 0xE000);
  job.options = kOptionResultsUpload;
  TransferWorker(job);
  EXPECT_EQ(job.result, 0);
  EXPECT_FALSE(job.auto_close);
  EXPECT_EQ(job.state, kStateIdle);
  EXPECT_EQ(job.options, 0u);

  EXPECT_EQ(ReadFile("VersionTr.zel"), driver.information);
  EXPECT_EQ(ReadFile("ResBin.zel").size(), 0x1234u);
  EXPECT_EQ(ReadFile("CfgBin.zel").size(), 0xFFFFu);
  EXPECT_EQ(ReadFile("MenuBin.zel").size(), 0x50000u);
  EXPECT_EQ(ReadFile("AcqBin.zel").size(), 0xE000u);

  auto records = Records();
  // Information, 10 + 128 + 640 + 112 blocks, an end record after the menu and the acquisition.
  ASSERT_EQ(records.size(), 1u + 10 + 128 + 640 + 1 + 112 + 1);
  EXPECT_EQ(records[0], ":0000000DF3");
  EXPECT_EQ(records[1], BuildReadRequest(0x40000, 512));
  EXPECT_EQ(records[11], BuildReadRequest(0xE0000, 512));
  EXPECT_EQ(records[139], BuildReadRequest(0x819CA, 512));
  EXPECT_EQ(records[779], ":0000000FF1");
  EXPECT_EQ(records[780], BuildReadRequest(0xC0000, 512));
  EXPECT_EQ(records.back(), ":0000000FF1");
  EXPECT_EQ(driver.Entries("pause").front(), "pause 1000");
  EXPECT_EQ(display.statuses().back(),
            "Upload of the results.\n===== OK ===== \nPlease close the window!");
}

TEST_F(TransferWorkerTest, TesterWithoutResults) {
  driver.information = InformationReply(0x40000, 0, 0xC0000, 0xE000);
  job.options = kOptionResultsUpload;
  TransferWorker(job);
  EXPECT_EQ(job.result, 14);
  EXPECT_EQ(Records(), (std::vector<std::string>{":0000000DF3", ":0000000FF1"}));
  EXPECT_EQ(LastStatus(), "No result in HALVEN TESTER.");
  EXPECT_FALSE(std::filesystem::exists("ResBin.zel"));
}

TEST_F(TransferWorkerTest, ShortInformationReplyReadsAsNoResults) {
  driver.information = InformationReply(0x40000, 0x100, 0xC0000, 0xE000).substr(0, 25);
  job.options = kOptionResultsUpload;
  TransferWorker(job);
  EXPECT_EQ(job.result, 14);
  EXPECT_EQ(LastStatus(), "No result in HALVEN TESTER.");
  EXPECT_EQ(ReadFile("VersionTr.zel").size(), 25u);
}

TEST_F(TransferWorkerTest, TheOptionFlagsChooseTheJob) {
  struct Case {
    std::uint32_t options;
    std::string first_record;
    bool auto_close;
  } cases[] = {
      {kOptionInformationG, ":0000000DF3", true},
      {kOptionInformationL, ":0000000DF3", true},
      {kOptionInformationG | kOptionResultsUpload, ":0000000DF3", true},  // information wins
      {kOptionMemoryRead | kOptionInformationG | kOptionRecordAfterEnd, BuildReadRequest(0x100, 16),
       false},
      {kOptionApplicationErase, ":00000007F9", false},
  };
  WriteFile("job.h86", ":00000001FF\r\n");
  for (const Case& c : cases) {
    ScriptedDriver fresh;
    fakes::RecordingStatusDisplay shown;
    job.driver = &fresh;
    job.display = &shown;
    job.options = c.options;
    job.file_name = c.options & kOptionMemoryRead ? "dump.bin" : "job.h86";
    job.address = 0x100;
    job.length = 16;
    TransferWorker(job);
    EXPECT_EQ(job.result, 0) << c.options;
    ASSERT_FALSE(fresh.writes.empty());
    EXPECT_EQ(fresh.writes[0].substr(0, c.first_record.size()), c.first_record);
    EXPECT_EQ(job.auto_close, c.auto_close) << c.options;
  }
  EXPECT_TRUE(std::filesystem::exists("VersionTr.zel"));
  EXPECT_EQ(ReadFile("dump.bin").size(), 16u);
}

TEST_F(TransferWorkerTest, FailuresGiveTheJobsResult) {
  struct Case {
    std::uint32_t options;
    const char* file;
    std::int32_t result;
  } cases[] = {
      {kOptionMemoryRead, "dump.bin", 13},
      {kOptionInformationG, "VersionTr.zel", 14},
      {kOptionResultsUpload, "VersionTr.zel", 14},
      {0, "absent.h86", 15},
  };
  for (const Case& c : cases) {
    ScriptedDriver fresh;
    fresh.tester = [](const std::string&) { return Answer{'K', 1}; };
    job.driver = &fresh;
    job.options = c.options;
    job.file_name = c.file;
    job.length = 16;
    TransferWorker(job);
    EXPECT_EQ(job.result, c.result) << c.options;
    EXPECT_FALSE(job.auto_close);
  }
  ScriptedDriver absent;
  absent.enumerator = false;
  job.driver = &absent;
  TransferWorker(job);
  EXPECT_EQ(job.result, 1);
  EXPECT_EQ(absent.log.front(), "pause 1000");
}

}  // namespace
}  // namespace testerlink
