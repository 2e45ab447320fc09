#include "sim/sim_driver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "formats/bytes.h"
#include "formats/memory_map.h"
#include "sim/trace.h"
#include "tests/fakes/temp_folder.h"
#include "tests/sim/sim_test_support.h"

namespace {

using namespace sim_test;
using sim::Fault;

TEST(SimDriver, OpensAnswersAndReadsLikeATester) {
  fakes::TempFolder folder;
  const std::string state = folder.File("tester.sim");
  MakeTester(state, [](sim::TesterState& s) { s.memory[0xE0000] = 0x4A; });
  sim::SimDriver d(state);
  ASSERT_EQ(OpenLikeTool(d), 0);

  EXPECT_EQ(Exchange(d, ":0000000DF3\n"), "O");
  ReadResult info = ReadData(d, 2048);
  ASSERT_TRUE(info.ok) << info.failure;
  EXPECT_EQ(info.data.size(), formats::kDefaultInfoLength);
  EXPECT_EQ(formats::ReadText(info.data.data(), 20), "Quarnetik");

  EXPECT_EQ(Exchange(d, ReadRequest(0xE0000, 512)), "O");
  ReadResult block = ReadData(d, 513);
  ASSERT_TRUE(block.ok) << block.failure;
  EXPECT_EQ(block.data.size(), 512u);
  EXPECT_EQ(block.data[0], 0x4A);

  // A data read with nothing asked never completes; a refused record leaves nothing to read.
  EXPECT_EQ(ReadData(d, 513).failure, "read time-out");
  EXPECT_EQ(Exchange(d, ":0000000FF2\n"), "K-03");
  d.CloseAll();
}

TEST(SimDriver, StatePersistsAcrossDriverInstances) {
  fakes::TempFolder folder;
  const std::string state = folder.File("tester.sim");
  MakeTester(state);
  {
    sim::SimDriver d(state);
    ASSERT_EQ(OpenLikeTool(d), 0);
    EXPECT_EQ(Exchange(d, ":00000008F8\n"), "O");
    EXPECT_EQ(Exchange(d, HexRecord(0x04, 0, {0x00, 0x0E})), "O");
    EXPECT_EQ(Exchange(d, HexRecord(0x00, 0x0042, {0xAB, 0xCD})), "O");
    d.CloseAll();  // no end record: closing saves
  }
  EXPECT_EQ(LoadTester(state).memory[0xE0042], 0xAB);
  {
    sim::SimDriver d(state);
    ASSERT_EQ(OpenLikeTool(d), 0);
    EXPECT_EQ(Exchange(d, ReadRequest(0xE0042, 2)), "O");
    ReadResult r = ReadData(d, 513);
    EXPECT_EQ(r.data, (std::vector<std::uint8_t>{0xAB, 0xCD}));
    EXPECT_EQ(Exchange(d, HexRecord(0x00, 0x0000, {0x11})), "O");
    EXPECT_EQ(Exchange(d, ":0000000FF1\n"), "O");
    // The end record has saved already, before the driver closes.
    EXPECT_EQ(LoadTester(state).memory[0x00000], 0x11);
  }
}

TEST(SimDriver, ReadsDoNotRewriteTheStateFile) {
  fakes::TempFolder folder;
  const std::string state = folder.File("tester.sim");
  MakeTester(state);
  const auto before = std::filesystem::last_write_time(state);
  std::filesystem::last_write_time(state, before - std::chrono::hours(1));
  {
    sim::SimDriver d(state);
    ASSERT_EQ(OpenLikeTool(d), 0);
    EXPECT_EQ(Exchange(d, ReadRequest(0x80000, 512)), "O");
    EXPECT_TRUE(ReadData(d, 513).ok);
    EXPECT_EQ(Exchange(d, ":0000000FF1\n"), "O");
  }
  EXPECT_EQ(std::filesystem::last_write_time(state), before - std::chrono::hours(1));
}

TEST(SimDriver, OpeningFaultsGiveEachOutcome) {
  const struct {
    const char* fault;
    std::uint32_t value;
    int result;
  } cases[] = {
      {"no-driver", 1, 1},      {"count-fails", 1, 2},     {"testers", 2, 3},
      {"testers", 3, 3},        {"testers", 0, 4},         {"name-fails", 1, 5},
      {"open-fails", 1, 6},     {"setup-refused", 1, 7},   {"setup-pending", 1, 7},
      {"setup-late", 1, 8},     {"setup-error", 1, 9},     {"register-refused", 1, 10},
      {"register-late", 1, 11}, {"register-error", 1, 12},
  };
  fakes::TempFolder folder;
  const std::string state = folder.File("tester.sim");
  for (const auto& c : cases) {
    MakeTester(state, [&](sim::TesterState& s) { s.SetFault(*sim::FindFault(c.fault), c.value); });
    sim::SimDriver d(state);
    EXPECT_EQ(OpenLikeTool(d), c.result) << c.fault << " " << c.value;
  }
}

TEST(SimDriver, ReportedNamesDecideWhichInterfaceOpens) {
  const struct {
    const char* name;
    int result;
  } cases[] = {
      {"ZELUSB0", 0},               // no backslash: the whole text names the interface
      {"\\??\\QuarnetikUsb\\", 6},  // ends in a backslash: "\\.\" alone does not open
      {"\\??\\X\\Another", 0},
  };
  fakes::TempFolder folder;
  const std::string state = folder.File("tester.sim");
  for (const auto& c : cases) {
    MakeTester(state, [&](sim::TesterState& s) { s.name_text = c.name; });
    sim::SimDriver d(state);
    EXPECT_EQ(OpenLikeTool(d), c.result) << c.name;
  }
  // The interface opens only under the name reported.
  MakeTester(state);
  sim::SimDriver d(state);
  ASSERT_TRUE(d.OpenEnumerator());
  EXPECT_FALSE(d.OpenInterface("\\\\.\\ZELUSB1"));
  EXPECT_TRUE(d.OpenInterface("\\\\.\\ZELUSB0"));
}

TEST(SimDriver, ExchangeFaultsGiveEachOutcome) {
  const struct {
    const char* fault;
    const char* answer;
  } cases[] = {
      {"write-timeout", "write time-out"},
      {"write-fails", "write error"},
      {"write-short", "write error"},
      {"no-answer", "no response"},
      {"reply-timeout", "reply time-out"},
      {"reply-fails", "reply failed"},
      {"garbage", "invalid"},
      {"refuse", "K-12"},
      {"refuse-nocode", "K"},
  };
  fakes::TempFolder folder;
  const std::string state = folder.File("tester.sim");
  for (const auto& c : cases) {
    MakeTester(state, [&](sim::TesterState& s) { s.SetFault(*sim::FindFault(c.fault), 1); });
    sim::SimDriver d(state);
    ASSERT_EQ(OpenLikeTool(d), 0);
    EXPECT_EQ(Exchange(d, ":0000000DF3\n"), c.answer) << c.fault;
    // Asked for one exchange only: the next one is answered normally.
    EXPECT_EQ(Exchange(d, ":0000000DF3\n"), "O") << c.fault;
  }
}

TEST(SimDriver, CountedRefusalsRunOutAcrossProcesses) {
  fakes::TempFolder folder;
  const std::string state = folder.File("tester.sim");
  MakeTester(state, [](sim::TesterState& s) {
    s.SetFault(Fault::kRefuse, 3);
    s.SetFault(Fault::kRefuseCode, 0x2A);
  });
  {
    sim::SimDriver d(state);
    ASSERT_EQ(OpenLikeTool(d), 0);
    EXPECT_EQ(Exchange(d, ":0000000DF3\n"), "K-2A");
    EXPECT_EQ(Exchange(d, ":0000000DF3\n"), "K-2A");
  }
  sim::SimDriver d(state);
  ASSERT_EQ(OpenLikeTool(d), 0);
  EXPECT_EQ(Exchange(d, ":0000000DF3\n"), "K-2A");
  EXPECT_EQ(Exchange(d, ":0000000DF3\n"), "O");
}

TEST(SimDriver, DataReadFaults) {
  const struct {
    const char* fault;
    std::size_t size;  // bytes received, or 0 for a failure
    const char* failure;
  } cases[] = {
      {"read-short", 511, ""},
      {"read-long", 513, ""},
      {"read-timeout", 0, "read time-out"},
      {"read-fails", 0, "read error"},
  };
  fakes::TempFolder folder;
  const std::string state = folder.File("tester.sim");
  for (const auto& c : cases) {
    MakeTester(state, [&](sim::TesterState& s) { s.SetFault(*sim::FindFault(c.fault), 1); });
    sim::SimDriver d(state);
    ASSERT_EQ(OpenLikeTool(d), 0);
    EXPECT_EQ(Exchange(d, ReadRequest(0xE0000, 512)), "O");
    ReadResult r = ReadData(d, 513);
    EXPECT_EQ(r.data.size(), c.size) << c.fault;
    EXPECT_EQ(r.failure, c.failure) << c.fault;
  }
}

TEST(SimDriver, WaitsAreRealAndBounded) {
  using Clock = std::chrono::steady_clock;
  fakes::TempFolder folder;
  const std::string state = folder.File("tester.sim");
  MakeTester(state, [](sim::TesterState& s) {
    s.latency_ms = 30;
    s.SetFault(Fault::kNoAnswer, 1);
  });
  sim::SimDriver d(state);
  ASSERT_EQ(OpenLikeTool(d), 0);

  // No answer: the whole wait passes.
  auto start = Clock::now();
  EXPECT_EQ(Exchange(d, ":0000000DF3\n", 120), "no response");
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(120));

  // The latency delays the answer: a shorter wait misses it, a longer one gets it after it.
  EXPECT_EQ(Exchange(d, ":0000000DF3\n", 5), "no response");
  start = Clock::now();
  EXPECT_EQ(Exchange(d, ":0000000DF3\n", 1000), "O");
  const auto took = Clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(30));
  EXPECT_LT(took, std::chrono::milliseconds(900));

  start = Clock::now();
  d.Pause(40);
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(40));
}

TEST(SimDriver, MissingOrDamagedStateIsNoDevice) {
  fakes::TempFolder folder;
  sim::SimDriver missing(folder.File("none.sim"));
  EXPECT_EQ(OpenLikeTool(missing), 1);
  {
    std::FILE* f = std::fopen(folder.File("bad.sim").c_str(), "wb");
    std::fputs("QKSIMST1 and then nothing sensible", f);
    std::fclose(f);
  }
  sim::SimDriver damaged(folder.File("bad.sim"));
  EXPECT_EQ(OpenLikeTool(damaged), 1);
}

}  // namespace
