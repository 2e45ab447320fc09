#include "testerlink/record_protocol.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "testerlink/record_text.h"
#include "testerlink/text_dump.h"
#include "tests/fakes/small_disk.h"
#include "tests/fakes/temporaries_beside.h"
#include "tests/testerlink/link_fixture.h"

namespace testerlink {
namespace {

using linktest::Answer;
using linktest::ScriptedDriver;

class RecordProtocolTest : public linktest::LinkTest {
 protected:
  // Counts of the reply waits asked for, by duration.
  std::vector<std::string> ReplyWaits() const { return driver.Entries("reply-wait"); }
  std::vector<std::string> Repeat(const std::string& entry, int n) const {
    return std::vector<std::string>(n, entry);
  }
};

TEST_F(RecordProtocolTest, SendRecordAddsACarriageReturnAndWaitsTenSeconds) {
  EXPECT_TRUE(SendRecord(job, kInformationRecord, 1000, false));
  EXPECT_EQ(driver.writes, std::vector<std::string>{":0000000DF3\n\r"});
  EXPECT_EQ(ReplyWaits(), std::vector<std::string>{"reply-wait 10000"});
}

TEST_F(RecordProtocolTest, RefusalsAreRetriedASecondApart) {
  int refusals = 1;
  driver.tester = [&](const std::string&) {
    Answer a;
    if (refusals-- > 0) {
      a.ack = 'K';
      a.code = 0x12;
    }
    return a;
  };
  EXPECT_TRUE(SendRecord(job, ":00000001FF", 1000, false));
  EXPECT_EQ(driver.writes, (std::vector<std::string>(2, ":00000001FF\r")));
  EXPECT_EQ(display.statuses(), std::vector<std::string>{"Error bad sequence (K-12)."});
  EXPECT_EQ(driver.Entries("pause"), std::vector<std::string>{"pause 1000"});
}

TEST_F(RecordProtocolTest, ThreeRefusalsEndTheOperation) {
  driver.tester = [](const std::string&) { return Answer('K'); };
  EXPECT_FALSE(SendRecord(job, ":00000001FF", 1000, false));
  EXPECT_EQ(driver.writes.size(), 3u);
  EXPECT_EQ(display.statuses(), std::vector<std::string>(3, "Error bad sequence (no error code)."));
}

TEST_F(RecordProtocolTest, GarbageAcknowledgementAndSilence) {
  for (char garbage : {'\0', 'o', 'X', '\xFF'}) {
    driver.tester = [&](const std::string&) { return Answer(garbage); };
    EXPECT_FALSE(SendRecord(job, ":00000001FF", 1000, false));
    EXPECT_EQ(LastStatus(), "Error,acknowledge  invalid.");
  }
  driver.tester = [](const std::string&) { return Answer('O', -1, -1); };
  EXPECT_FALSE(SendRecord(job, ":00000001FF", 1000, false));
  EXPECT_EQ(LastStatus(), "Error, no response.");
}

TEST_F(RecordProtocolTest, ProgressWaitRunsInHundredSteps) {
  driver.tester = [](const std::string&) { return Answer('O', -1, 30); };
  EXPECT_TRUE(SendRecord(job, kBootEraseRecord, 10000, true));
  EXPECT_EQ(ReplyWaits(), Repeat("reply-wait 100", 31));
  auto calls = display.calls();
  ASSERT_EQ(calls.size(), 31u);  // the range, then positions 0..29
  EXPECT_EQ(calls[0].kind, fakes::RecordingStatusDisplay::Call::kRange);
  EXPECT_EQ(calls[0].b, 100);
  EXPECT_EQ(calls[30].a, 29);

  driver.log.clear();
  driver.tester = [](const std::string&) { return Answer('O', -1, -1); };
  EXPECT_FALSE(SendRecord(job, kDataEraseRecord, 40000, true));
  EXPECT_EQ(ReplyWaits(), Repeat("reply-wait 400", 100));
  EXPECT_EQ(LastStatus(), "Error, no response.");
}

TEST_F(RecordProtocolTest, ReadMemoryRequestsBlocksAndWritesTheBytes) {
  job.file_name = (Folder() / "dump.bin").string();
  job.address = 0xE0000;
  job.length = 0xFFFF;
  ASSERT_TRUE(ReadMemory(job, true));
  ASSERT_EQ(driver.writes.size(), 129u);
  EXPECT_EQ(driver.writes[0], ":0800000C00000E0000020000DC\r");
  EXPECT_EQ(driver.writes[127], ":0800000C00FE0E00FF010000E0\r");
  EXPECT_EQ(driver.writes[128], ":0000000FF1\n\r");
  EXPECT_EQ(driver.Entries("read"), Repeat("read 513", 128));

  std::string expected;
  for (int block = 0; block < 128; ++block) {
    for (int i = 0; i < (block < 127 ? 512 : 511); ++i) expected += static_cast<char>(i * 7);
  }
  EXPECT_EQ(ReadFile(job.file_name), expected);
  auto texts = display.statuses();
  EXPECT_EQ(texts.front(), "Send sequence read (1/128).");
  EXPECT_EQ(texts.back(), "Write target file in progress...");
  EXPECT_FALSE(job.buffer);
}

TEST_F(RecordProtocolTest, ReadMemoryTextDump) {
  job.file_name = (Folder() / "dump.txt").string();
  job.address = 0x80000;
  job.length = 20;
  job.options = kOptionTextDump;
  driver.tester = [&](const std::string& record) {
    Answer a = driver.DefaultAnswer(record);
    if (a.has_data) a.data = "AB\x1F\xAF\xB0" + std::string("0123456789abcde");
    return a;
  };
  ASSERT_TRUE(ReadMemory(job, false));
  EXPECT_EQ(ReadFile(job.file_name),
            "Size 20 (14h) Bytes.\r\n"
            "00080000: 41 42 1F AF B0 30 31 32 33 34 35 36 37 38 39 61  AB.\xAF.0123456789a\r\n"
            "00080010: 62 63 64 65  bcde\r\n");
}

TEST_F(RecordProtocolTest, ReadMemoryFailures) {
  struct Case {
    std::uint32_t length;
    std::string data;  // the block the tester sends; "-" the default
    ScriptedDriver::Op op;
    Wait wait;
    const char* message;
  } cases[] = {
      {0, "-", ScriptedDriver::kNone, Wait::kSignalled, "Error communication USB (Code: C0)."},
      {512, std::string(513, 'x'), ScriptedDriver::kNone, Wait::kSignalled,
       "packet size error (513)."},
      {512, std::string(511, 'x'), ScriptedDriver::kNone, Wait::kSignalled,
       "packet size error (511)."},
      {512, "", ScriptedDriver::kNone, Wait::kSignalled, "packet size error (0)."},
      {512, std::string(5000, 'x'), ScriptedDriver::kNone, Wait::kSignalled, "Read USB error."},
      {512, "-", ScriptedDriver::kRead, Wait::kTimedOut, "Read USB error (Time Out)."},
      {512, "-", ScriptedDriver::kRead, Wait::kFailed, "Read USB error."},
  };
  for (const Case& c : cases) {
    ScriptedDriver fresh;
    fakes::RecordingStatusDisplay shown;
    job.driver = &fresh;
    job.display = &shown;
    job.file_name = (Folder() / "never.bin").string();
    job.address = 0;
    job.length = c.length;
    if (c.data != "-") {
      fresh.tester = [&](const std::string&) { return Answer::Data(c.data); };
    }
    if (c.op != ScriptedDriver::kNone) fresh.completion[c.op] = c.wait;
    EXPECT_FALSE(ReadMemory(job, true)) << c.message;
    auto texts = shown.statuses();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back(), c.message);
    EXPECT_FALSE(std::filesystem::exists(job.file_name)) << c.message;
    job.buffer.reset();
  }
}

TEST_F(RecordProtocolTest, ReadMemoryCannotCreateItsFile) {
  job.file_name = (Folder() / "no_such_folder" / "dump.bin").string();
  job.length = 16;
  EXPECT_FALSE(ReadMemory(job, false));
  EXPECT_EQ(LastStatus(), "Error open file.");
}

// A file the disk cannot hold is not left under its name, cut or empty, to pass for the tester's.
TEST_F(RecordProtocolTest, FullDiskLeavesNoCutFileBehind) {
  fakes::SmallDisk disk;
  if (!disk.ready()) GTEST_SKIP() << disk.why_not();
  ASSERT_TRUE(disk.FillLeaving(0));
  struct Case {
    const char* what;
    std::function<bool()> read;
  } cases[] = {
      {"version file", [&] { return ReadInformation(job, true); }},
      {"memory image", [&] { return ReadMemory(job, true); }},
      {"text dump",
       [&] {
         job.options = kOptionTextDump;
         return ReadMemory(job, true);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    job.file_name = disk.File("VersionTr.zel");
    job.length = 600;
    job.options = 0;
    EXPECT_FALSE(c.read());
    EXPECT_EQ(LastStatus(), "Error open file.");
    EXPECT_FALSE(std::filesystem::exists(job.file_name));
    EXPECT_TRUE(fakes::TemporariesBeside(job.file_name).empty());
  }
}

TEST_F(RecordProtocolTest, ReadInformationStoresTheReplyAndTheVersionRecord) {
  job.file_name = (Folder() / "VersionTr.zel").string();
  driver.information = std::string("Quarnetik\0", 10) + std::string(20, '\x03');  // 30 bytes
  ASSERT_TRUE(ReadInformation(job, true));
  EXPECT_EQ(driver.writes, (std::vector<std::string>{":0000000DF3\n\r", ":0000000FF1\n\r"}));
  EXPECT_EQ(driver.Entries("read"), std::vector<std::string>{"read 2048"});
  EXPECT_EQ(ReadFile(job.file_name), driver.information);
  EXPECT_EQ(job.version_record[29], 3);
  EXPECT_EQ(job.version_record[30], 0);  // not sent: zero
  EXPECT_EQ(display.statuses(), std::vector<std::string>{"Send general information sequence."});
  EXPECT_EQ(driver.Entries("pause"), std::vector<std::string>{"pause 100"});
}

TEST_F(RecordProtocolTest, ReadInformationTextDump) {
  job.file_name = (Folder() / "info.txt").string();
  job.options = kOptionTextDump;
  driver.information = std::string("\x01\x02", 2) + std::string(15, 'A');
  ASSERT_TRUE(ReadInformation(job, false));
  EXPECT_EQ(ReadFile(job.file_name),
            "Size 17 (11h) Bytes.\r\n"
            "00000000: 01 02 41 41 41 41 41 41 41 41 41 41 41 41 41 41\r\n"
            "00000010: 41\r\n");
  EXPECT_EQ(job.version_record[0], 0);  // a dump leaves the version record alone
}

TEST_F(RecordProtocolTest, ReadInformationFailures) {
  job.file_name = (Folder() / "VersionTr.zel").string();
  driver.completion[ScriptedDriver::kRead] = Wait::kTimedOut;
  EXPECT_FALSE(ReadInformation(job, true));
  EXPECT_EQ(LastStatus(), "Read USB error (Time Out).");
  EXPECT_EQ(driver.writes.size(), 1u);  // no end record after a failed read
  driver.completion.clear();
  driver.completion_fails[ScriptedDriver::kRead] = true;
  EXPECT_FALSE(ReadInformation(job, true));
  EXPECT_EQ(LastStatus(), "Read USB error.");
  EXPECT_FALSE(std::filesystem::exists(job.file_name));
}

// SendFile ------------------------------------------------------------------------------------

class SendFileTest : public RecordProtocolTest {
 protected:
  void UseFile(const std::string& bytes) {
    job.file_name = (Folder() / "image.h86").string();
    WriteFile(job.file_name, bytes);
  }
  // The records on the wire, without their carriage return.
  std::vector<std::string> Sent() const {
    std::vector<std::string> records;
    for (const std::string& w : driver.writes) records.push_back(w.substr(0, w.size() - 1));
    return records;
  }
};

const std::string kData1 = ":0400000001020304F2";
const std::string kData2 = ":0400040005060708DE";
const std::string kEnd = ":00000001FF";

TEST_F(SendFileTest, FramingRecordsByOption) {
  UseFile(kData1 + "\r\n" + kData2 + "\r\n" + kEnd + "\r\n");
  job.options = kOptionBootErase | kOptionApplicationErase | kOptionDataErase |
                kOptionRecordBeforeEnd | kOptionRecordAfterEnd;
  ASSERT_TRUE(SendFile(job));
  EXPECT_EQ(Sent(),
            (std::vector<std::string>{":00000006FA", ":00000007F9", ":00000008F8", kData1, kData2,
                                      kEnd, ":0000000AF6", ":0000000FF1", ":00000009F7"}));
  EXPECT_EQ(
      display.statuses(),
      (std::vector<std::string>{"Send BOOT erase sequence.\nPlease wait...",
                                "Send APPLICATION erase sequence.\nPlease wait...",
                                "Send DATA erase sequence.\nPlease wait...", "Send data line (4)",
                                "Send data line (5)", "Sequence sending.", "Sequence sending.",
                                "Stop USB communication.", "Sequence sending."}));
  auto calls = display.calls();
  EXPECT_EQ(calls.back().kind, fakes::RecordingStatusDisplay::Call::kPos);
  EXPECT_EQ(calls.back().a, 100);
  EXPECT_FALSE(job.file);  // the file to send is closed once read
}

TEST_F(SendFileTest, BootEraseShiftsTheDataLineNumbers) {
  UseFile(kData1 + "\n");
  job.options = kOptionBootErase;
  ASSERT_TRUE(SendFile(job));
  EXPECT_EQ(display.statuses()[1], "Send data line (2)");
}

TEST_F(SendFileTest, EraseWaitsFollowTheirTimeOuts) {
  UseFile("");
  job.options = kOptionBootErase | kOptionApplicationErase;
  driver.tester = [](const std::string& r) { return Answer('O', -1, r[8] == '6' ? 99 : 0); };
  ASSERT_TRUE(SendFile(job));
  auto waits = ReplyWaits();
  EXPECT_EQ(std::vector<std::string>(waits.begin(), waits.begin() + 100),
            Repeat("reply-wait 100", 100));
  EXPECT_EQ(waits[100], "reply-wait 400");
  EXPECT_EQ(waits[101], "reply-wait 10000");  // the end record
}

TEST_F(SendFileTest, EmptyFileSendsItsFramingWithTheBarGoingTo100) {
  UseFile("");
  job.options = kOptionDataErase | kOptionRecordAfterEnd;
  ASSERT_TRUE(SendFile(job));
  EXPECT_EQ(Sent(), (std::vector<std::string>{":00000008F8", ":0000000FF1", ":00000009F7"}));
  std::vector<int> positions;
  for (const auto& c : display.calls()) {
    if (c.kind == fakes::RecordingStatusDisplay::Call::kPos && c.a > 0) positions.push_back(c.a);
  }
  // After each record, then at the end; the erase wait's own steps answer at once here.
  EXPECT_EQ(positions, (std::vector<int>{30, 61, 91, 100}));
}

TEST_F(SendFileTest, SequenceRecordIsSentAsACommand) {
  UseFile(kEnd + "\n");
  job.options = kOptionSequenceRecord;
  ASSERT_TRUE(SendFile(job));
  EXPECT_EQ(Sent(), (std::vector<std::string>{":0000000EF2", kEnd, ":0000000FF1"}));
  EXPECT_EQ(display.statuses()[0], "Sequence sending.");
  EXPECT_EQ(ReplyWaits()[0], "reply-wait 10000");
}

TEST_F(SendFileTest, ColonMissingForMoreThan512CharactersEndsTheSending) {
  UseFile(kData1 + "\n" + std::string(600, ' ') + "\n" + kData2 + "\n");
  job.options = kOptionRecordBeforeEnd;
  ASSERT_TRUE(SendFile(job));
  EXPECT_EQ(Sent(), std::vector<std::string>{kData1});
}

TEST_F(SendFileTest, BadFilesEndWithTheirMessage) {
  struct Case {
    std::string file;
    const char* message;
    std::size_t records_sent;
  } cases[] = {
      {kData1 + "\n" + kData1.substr(0, 18) + "\n", "Bad format file.", 1},
      {":00000001FF" + std::string(300, '0') + "\n", "Bad format file.", 0},  // longer than 256
      {"xx:0000000BF5\n", "Unknown sequence.", 0},
      {":0000000CF4\n", "Unknown sequence.", 0},
      {":0000000DF3\n", "Unknown sequence.", 0},  // requests the tool builds, never from a file
      {kData1, "Bad format file.", 0},            // no line end: the end record joins the last line
      {std::string("\x7F"
                   "ELF\x02\x01\x01\0\0\0:\x01",
                   12),
       "Bad format file.", 0},
      {kData1 + "\n" + std::string("\0\0\0", 3) + kData2 + "\n", "Bad format file.", 1},
      {"\xFF\xFE:\x01\x02\x03\n", "Bad format file.", 0},
  };
  for (const Case& c : cases) {
    ScriptedDriver fresh;
    fakes::RecordingStatusDisplay shown;
    job.driver = &fresh;
    job.display = &shown;
    UseFile(c.file);
    bool ok = SendFile(job);
    EXPECT_EQ(ok, *c.message == '\0') << c.file;
    EXPECT_EQ(fresh.writes.size(), c.records_sent) << c.file;
    if (!ok) {
      EXPECT_EQ(shown.statuses().back(), c.message) << c.file;
    }
    job.buffer.reset();
  }
}

TEST_F(SendFileTest, MissingFile) {
  job.file_name = (Folder() / "absent.h86").string();
  EXPECT_FALSE(SendFile(job));
  EXPECT_EQ(LastStatus(), "Error open file.");
  EXPECT_TRUE(driver.writes.empty());
}

// None of these may pass for a file sent: each fails before the first record, framing included.
TEST_F(SendFileTest, FilesThatAreNoRecordsAreRefusedBeforeAnythingIsSent) {
  struct Case {
    const char* what;
    std::function<void()> prepare;
    const char* message;
  } cases[] = {
      {"a folder under the name",
       [&] {
         job.file_name = (Folder() / "image.h86").string();
         std::filesystem::create_directory(job.file_name);
       },
       "Error open file."},
      {"a file this run did not write",
       [&] {
         UseFile(kData1 + "\n");
         job.file_refused = true;
       },
       "Error open file."},
      {"text without a colon", [&] { UseFile("no records here\r\n"); }, "Bad format file."},
      {"513 characters before the first colon",
       [&] { UseFile(std::string(513, 'x') + kData1 + "\n"); }, "Bad format file."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedDriver fresh;
    fakes::RecordingStatusDisplay shown;
    job.driver = &fresh;
    job.display = &shown;
    job.options = kOptionDataErase | kOptionRecordAfterEnd;
    job.file_refused = false;
    c.prepare();
    EXPECT_FALSE(SendFile(job));
    EXPECT_TRUE(fresh.writes.empty());
    ASSERT_FALSE(shown.statuses().empty());
    EXPECT_EQ(shown.statuses().back(), c.message);
    std::filesystem::remove_all(job.file_name);
    job.buffer.reset();
  }
}

TEST_F(SendFileTest, AColonRightAfter512CharactersIsStillTheFirstRecord) {
  UseFile(std::string(512, 'x') + kData1 + "\n");
  ASSERT_TRUE(SendFile(job));
  EXPECT_EQ(Sent(), (std::vector<std::string>{kData1, ":0000000FF1"}));
}

TEST_F(SendFileTest, RefusedRecordStopsTheSending) {
  UseFile(kData1 + "\n" + kData2 + "\n");
  driver.tester = [](const std::string& r) {
    return r.find("0506") != std::string::npos ? Answer('K', 0x21) : Answer();
  };
  EXPECT_FALSE(SendFile(job));
  EXPECT_EQ(Sent(), (std::vector<std::string>{kData1, kData2, kData2, kData2}));
  EXPECT_EQ(LastStatus(), "Error bad sequence (K-21).");
}

}  // namespace
}  // namespace testerlink
