#include "sim/testersim_command.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "formats/bytes.h"
#include "formats/memory_map.h"
#include "formats/version_record_format.h"
#include "tests/fakes/file_bytes.h"
#include "tests/fakes/temp_folder.h"
#include "tests/sim/sim_test_support.h"

namespace {

using namespace sim_test;

struct CommandRun {
  int status;
  std::string out, err;
};

CommandRun Testersim(std::vector<std::string> args) {
  std::ostringstream out, err;
  int status = sim::RunTesterSim(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(Testersim, NewBuildsTheInformationReply) {
  fakes::TempFolder folder;
  const std::string state = folder.File("t.sim");
  const CommandRun made =
      Testersim({"new", state, "--identity", "Other", "--version", "2.7", "--caps", "6"});
  ASSERT_EQ(made.status, 0);
  EXPECT_EQ(made.out, "testersim: made " + state + ": Other 2.7, capabilities 6\n");
  sim::TesterState s = LoadTester(state);
  ASSERT_EQ(s.info.size(), formats::kDefaultInfoLength);
  EXPECT_EQ(formats::ReadText(s.info.data(), 20), "Other");
  EXPECT_EQ(s.info[formats::kMajorOffset], 2);
  EXPECT_EQ(s.info[formats::kMinorOffset], 7);
  EXPECT_EQ(formats::ReadU32LE(s.info.data() + formats::kResultsAddressOffset),
            formats::kResultsAddress);
  EXPECT_EQ(formats::ReadU32LE(s.info.data() + formats::kResultsLengthOffset), 0u);  // no results
  EXPECT_EQ(formats::ReadU16LE(s.info.data() + formats::kCapabilitiesOffset), 6);
  EXPECT_EQ(s.memory[0xE0000], 0xFF);

  // The defaults; then the reply replaced by a file's bytes.
  ASSERT_EQ(Testersim({"new", state}).status, 0);
  EXPECT_EQ(formats::ReadText(LoadTester(state).info.data(), 20), "Quarnetik");
  fakes::WriteBytes(folder.File("reply.bin"), std::string("short reply"));
  ASSERT_EQ(Testersim({"info", state, folder.File("reply.bin")}).status, 0);
  EXPECT_EQ(LoadTester(state).info, Bytes("short reply"));
  fakes::WriteBytes(folder.File("long.bin"), std::string(2049, 'x'));
  EXPECT_EQ(Testersim({"info", state, folder.File("long.bin")}).status, 1);
}

TEST(Testersim, PokeAndPeekMemory) {
  fakes::TempFolder folder;
  const std::string state = folder.File("t.sim");
  ASSERT_EQ(Testersim({"new", state}).status, 0);
  fakes::WriteBytes(folder.File("in.bin"), std::string("\x01\x02\x03", 3));
  ASSERT_EQ(Testersim({"poke", state, "e0001", folder.File("in.bin")}).status, 0);
  ASSERT_EQ(Testersim({"peek", state, "0xE0000", "5", folder.File("out.bin")}).status, 0);
  EXPECT_EQ(fakes::ReadBytes(folder.File("out.bin")), std::string("\xFF\x01\x02\x03\xFF", 5));
  // Nothing may reach past the memory.
  EXPECT_EQ(Testersim({"poke", state, "FFFFE", folder.File("in.bin")}).status, 1);
  EXPECT_EQ(Testersim({"peek", state, "FFFFF", "2", folder.File("out.bin")}).status, 1);
  EXPECT_EQ(Testersim({"peek", state, "FFFFF", "1", folder.File("out.bin")}).status, 0);
}

TEST(Testersim, LoadProgramsAHexFileAfterADataErase) {
  fakes::TempFolder folder;
  const std::string state = folder.File("t.sim");
  ASSERT_EQ(Testersim({"new", state}).status, 0);
  fakes::WriteBytes(folder.File("x.bin"), "x");
  ASSERT_EQ(Testersim({"poke", state, "F0000", folder.File("x.bin")}).status, 0);
  fakes::WriteBytes(
      folder.File("cfg.h86"),
      ":02000004000EEC\r\n" + HexRecord(0, 0x10, {0xAA, 0xBB}) + "\r\n:00000001FF\r\n");
  ASSERT_EQ(Testersim({"load", state, folder.File("cfg.h86")}).status, 0);
  sim::TesterState s = LoadTester(state);
  EXPECT_EQ(s.memory[0xE0010], 0xAA);
  EXPECT_EQ(s.memory[0xF0000], 0xFF);  // erased with the data

  fakes::WriteBytes(folder.File("bad.h86"), ":00000001FF\r\n:0000000BF5\r\n");
  CommandRun bad = Testersim({"load", state, folder.File("bad.h86")});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("bad.h86:2: record refused (K-04)"), std::string::npos) << bad.err;
}

TEST(Testersim, FaultsLatencyAndTraceAreStored) {
  fakes::TempFolder folder;
  const std::string state = folder.File("t.sim");
  ASSERT_EQ(Testersim({"new", state}).status, 0);
  ASSERT_EQ(Testersim({"fault", state, "refuse", "3"}).status, 0);
  ASSERT_EQ(Testersim({"fault", state, "refuse-code", "2A"}).status, 0);
  ASSERT_EQ(Testersim({"fault", state, "no-answer"}).status, 0);
  ASSERT_EQ(Testersim({"fault", state, "testers", "2"}).status, 0);
  ASSERT_EQ(Testersim({"fault", state, "name-ending-in-backslash"}).status, 0);
  ASSERT_EQ(Testersim({"latency", state, "2"}).status, 0);
  ASSERT_EQ(Testersim({"trace", state, folder.File("trace.txt")}).status, 0);
  sim::TesterState s = LoadTester(state);
  EXPECT_EQ(s.FaultValue(sim::Fault::kRefuse), 3u);
  EXPECT_EQ(s.FaultValue(sim::Fault::kRefuseCode), 0x2Au);
  EXPECT_EQ(s.FaultValue(sim::Fault::kNoAnswer), sim::kAlways);
  EXPECT_EQ(s.FaultValue(sim::Fault::kTesters), 2u);
  EXPECT_EQ(s.name_text, "\\??\\QuarnetikUsb\\");
  EXPECT_EQ(s.latency_ms, 2u);
  EXPECT_EQ(s.trace_path, folder.File("trace.txt"));
  CommandRun show = Testersim({"show", state});
  EXPECT_NE(show.out.find("fault refuse 3\n"), std::string::npos) << show.out;
  EXPECT_NE(show.out.find("fault no-answer always\n"), std::string::npos) << show.out;

  ASSERT_EQ(Testersim({"fault", state, "clear"}).status, 0);
  ASSERT_EQ(Testersim({"trace", state, "off"}).status, 0);
  s = LoadTester(state);
  EXPECT_EQ(s.faults, sim::InitialFaults());
  EXPECT_TRUE(s.name_text.empty());
  EXPECT_TRUE(s.trace_path.empty());
}

TEST(Testersim, BadArgumentsShowTheUsage) {
  fakes::TempFolder folder;
  const std::string state = folder.File("t.sim");
  ASSERT_EQ(Testersim({"new", state}).status, 0);
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"new"},
      {"frobnicate", state},
      {"new", state, "--version",
       "3"
       ".x"},
      {"new", state, "--version", "300.1"},
      {"new", state, "--identity", "an identity of over twenty"},
      {"new", state, "--caps"},
      {"peek", state, "E0000", "zz", "out"},
      {"poke", state, "E0000"},
      {"fault", state, "no-such-fault"},
      {"fault", state, "testers"},
      {"fault", state, "refuse", "many"},
      {"fault", state, "refuse-code", "100"},
      {"latency", state, "-1"},
      {"results", state, "--skip", "everything"},
      {"results", state, "--seed"},
  };
  for (const auto& args : cases) {
    CommandRun run = Testersim(args);
    std::string joined;
    for (const auto& a : args) joined += a + " ";
    EXPECT_EQ(run.status, 2) << joined;
    EXPECT_NE(run.err.find("usage: testersim"), std::string::npos) << joined;
  }
  CommandRun help = Testersim({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("read-long"), std::string::npos);
}

TEST(Testersim, MissingOrDamagedStateFilesAreRefused) {
  fakes::TempFolder folder;
  const std::string state = folder.File("t.sim");
  CommandRun missing = Testersim({"show", state});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("cannot open"), std::string::npos);

  ASSERT_EQ(Testersim({"new", state}).status, 0);
  const std::string good = fakes::ReadBytes(state);
  const struct {
    const char* what;
    std::string bytes;
  } damaged[] = {
      {"empty", ""},
      {"wrong magic", "X" + good.substr(1)},
      {"cut", good.substr(0, good.size() - 1)},
      {"longer", good + "!"},
      {"huge info length",
       good.substr(0, 8) + std::string("\xFF\xFF\xFF\x7F", 4) + good.substr(12)},
  };
  for (const auto& d : damaged) {
    fakes::WriteBytes(state, d.bytes);
    CommandRun run = Testersim({"latency", state, "1"});
    EXPECT_EQ(run.status, 1) << d.what;
    EXPECT_NE(run.err.find("state file"), std::string::npos) << d.what << ": " << run.err;
  }
}

TEST(Testersim, ResultsNeedAConfiguration) {
  fakes::TempFolder folder;
  const std::string state = folder.File("t.sim");
  ASSERT_EQ(Testersim({"new", state}).status, 0);
  CommandRun run = Testersim({"results", state, "--seed", "4"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("no configuration"), std::string::npos) << run.err;
  EXPECT_EQ(formats::ReadU32LE(LoadTester(state).info.data() + formats::kResultsLengthOffset), 0u);
}

}  // namespace
