#include "testerlink/tester_access.h"

#include <gtest/gtest.h>

#include <functional>

#include "testerlink/record_protocol.h"
#include "tests/testerlink/link_fixture.h"

namespace testerlink {
namespace {

using linktest::ScriptedDriver;

class TesterAccessTest : public linktest::LinkTest {};

TEST_F(TesterAccessTest, OpensTheTesterNamedByTheDriver) {
  ASSERT_TRUE(OpenTester(job));
  EXPECT_EQ(driver.opened_path, "\\\\.\\Zel0");
  EXPECT_EQ(driver.registered_value, 0xE7E7u);
  EXPECT_EQ(display.statuses(), std::vector<std::string>{"Upload of the results."});
  EXPECT_EQ(driver.log.back(), "pause 100");
  EXPECT_EQ(driver.Entries("completion-wait"),
            (std::vector<std::string>{"completion-wait 1000", "completion-wait 1000"}));
  EXPECT_EQ(driver.cancels, 0);
}

TEST_F(TesterAccessTest, EachOpeningFailureHasItsResultAndMessage) {
  struct Case {
    std::int32_t result;
    const char* message;
    std::function<void(ScriptedDriver&)> fault;
    bool cancelled;
  } cases[] = {
      {1, "No USB peripherical.", [](ScriptedDriver& d) { d.enumerator = false; }, false},
      {1, "No USB peripherical.", [](ScriptedDriver& d) { d.events = false; }, false},
      {2, "Error communication USB (code:B1)", [](ScriptedDriver& d) { d.count_ok = false; },
       false},
      {3, "More than one peripherical detected.\nConnect only one peripherical .",
       [](ScriptedDriver& d) { d.count = 3; }, false},
      {3, "More than one peripherical detected.\nConnect only one peripherical .",
       [](ScriptedDriver& d) { d.count = 0xFFFFFFFF; }, false},
      {4, "Error communication USB (Code: B2).", [](ScriptedDriver& d) { d.count = 0; }, false},
      {5, "Error communication USB (Code: B3).", [](ScriptedDriver& d) { d.name_ok = false; },
       false},
      {6, "Error communication USB (Code: B4).", [](ScriptedDriver& d) { d.interface_ok = false; },
       false},
      {6, "Error communication USB (Code: B4).",
       [](ScriptedDriver& d) { d.name_text = "\\\\?\\usb\\" + std::string(64, 'n'); }, false},
      {7, "Error communication USB (Code: B5).", [](ScriptedDriver& d) { d.setup_call = false; },
       true},
      {8, "Error communication USB (Code: B6).",
       [](ScriptedDriver& d) { d.completion[ScriptedDriver::kSetup] = Wait::kTimedOut; }, true},
      {8, "Error communication USB (Code: B6).",
       [](ScriptedDriver& d) { d.completion[ScriptedDriver::kSetup] = Wait::kFailed; }, true},
      {9, "Error communication USB (Code: B7).",
       [](ScriptedDriver& d) { d.last_error[ScriptedDriver::kSetup] = 31; }, false},
      {10, "Error communication USB (Code: B8).",
       [](ScriptedDriver& d) { d.register_call = false; }, true},
      {11, "Error communication USB (Code: B9).",
       [](ScriptedDriver& d) { d.completion[ScriptedDriver::kRegister] = Wait::kTimedOut; }, true},
      {12, "Error communication USB (Code: B10).",
       [](ScriptedDriver& d) { d.last_error[ScriptedDriver::kRegister] = 5; }, false},
  };
  for (const Case& c : cases) {
    ScriptedDriver fresh;
    fakes::RecordingStatusDisplay shown;
    TransferJob failing;
    failing.driver = &fresh;
    failing.display = &shown;
    failing.messages = &messages;
    c.fault(fresh);
    EXPECT_FALSE(OpenTester(failing)) << c.result;
    EXPECT_EQ(failing.result, c.result);
    EXPECT_EQ(shown.statuses(), (std::vector<std::string>{"Upload of the results.", c.message}))
        << c.result;
    EXPECT_EQ(fresh.cancels > 0, c.cancelled) << c.result;
    EXPECT_TRUE(fresh.Entries("pause").empty()) << c.result;
  }
}

TEST_F(TesterAccessTest, NameEndingInABackslashOpensTheBarePrefix) {
  driver.name_text = "\\\\?\\usb#vid\\";
  driver.interface_ok = false;  // "\\.\" alone names no device
  EXPECT_FALSE(OpenTester(job));
  EXPECT_EQ(driver.opened_path, "\\\\.\\");
  EXPECT_EQ(job.result, 6);
  driver.name_text = "Zel7";
  driver.interface_ok = true;
  EXPECT_TRUE(OpenTester(job));
  EXPECT_EQ(driver.opened_path, "\\\\.\\Zel7");
}

TEST_F(TesterAccessTest, AbandonedWaitsCancelTheRequest) {
  std::array<std::uint8_t, 8> bytes{};
  driver.completion[ScriptedDriver::kWrite] = Wait::kTimedOut;
  EXPECT_FALSE(WriteRecord(job, bytes.data(), 8));
  EXPECT_EQ(LastStatus(), "Write USB error (Time Out).");
  EXPECT_EQ(driver.cancels, 1);

  driver.completion.clear();
  driver.short_write = 1;
  EXPECT_FALSE(WriteRecord(job, bytes.data(), 8));
  EXPECT_EQ(LastStatus(), "Write USB error.");

  std::array<std::uint8_t, kReplyBufferSize> reply{};
  driver.completion[ScriptedDriver::kReply] = Wait::kTimedOut;
  EXPECT_FALSE(FetchReply(job, reply));
  EXPECT_EQ(LastStatus(), "Error communication USB (Code: A1).");
  driver.completion.clear();
  driver.completion_fails[ScriptedDriver::kReply] = true;
  EXPECT_FALSE(FetchReply(job, reply));
  EXPECT_EQ(LastStatus(), "Error communication USB (Code: A2).");

  int before = driver.cancels;
  std::array<std::uint8_t, 16> data{};
  driver.completion[ScriptedDriver::kRead] = Wait::kTimedOut;
  EXPECT_EQ(ReadData(job, data.data(), 16).status, ReadOutcome::kTimedOut);
  EXPECT_EQ(driver.cancels, before + 1);
}

}  // namespace
}  // namespace testerlink
