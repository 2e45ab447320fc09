#include "sim/trace.h"

#include <gtest/gtest.h>

#include "sim/sim_driver.h"
#include "tests/fakes/temp_folder.h"
#include "tests/sim/sim_test_support.h"

namespace {

using namespace sim_test;

TEST(SimTrace, EscapesTheBytesWritten) {
  const std::vector<std::uint8_t> written = {':', '0', '\n', '\r', 0x00, 0x7F, 0xE9, ' ', '~'};
  EXPECT_EQ(sim::TraceWriteLine(written), "> :0\\n\\r\\x00\\x7F\\xE9 ~");
  EXPECT_EQ(sim::TraceReplyLine({'O', false, 0}), "< O");
  EXPECT_EQ(sim::TraceReplyLine({'K', true, 0x0A}), "< K 0A");
  EXPECT_EQ(sim::TraceReplyLine({'K', false, 0}), "< K");
  EXPECT_EQ(sim::TraceReadLine(512), "# read 512");
}

TEST(SimTrace, RecordsEveryExchangeOfASession) {
  fakes::TempFolder folder;
  const std::string state = folder.File("tester.sim");
  const std::string trace = folder.File("trace.txt");
  MakeTester(state, [&](sim::TesterState& s) {
    s.trace_path = trace;
    s.SetFault(sim::Fault::kRefuseNoCode, 1);
  });
  {
    sim::SimDriver d(state);
    ASSERT_EQ(OpenLikeTool(d), 0);
    Exchange(d, ":0000000DF3\n");
    Exchange(d, ":0000000DF3\n");
    ReadData(d, 2048);
    Exchange(d, ReadRequest(0xE0000, 0x1FF));
    ReadData(d, 513);
    Exchange(d, ":0000000FF2\n");
  }
  EXPECT_EQ(sim::ReadTraceLines(trace), (std::vector<std::string>{
                                            "> :0000000DF3\\n\\r",
                                            "< K",
                                            "> :0000000DF3\\n\\r",
                                            "< O",
                                            "# read 64",
                                            "> :0800000C00000E00FF010000DE\\r",
                                            "< O",
                                            "# read 511",
                                            "> :0000000FF2\\n\\r",
                                            "< K 03",
                                        }));
  // Lines end in CR LF like every file the programs write.
  std::FILE* f = std::fopen(trace.c_str(), "rb");
  char head[24] = {};
  ASSERT_EQ(std::fread(head, 1, 22, f), 22u);
  std::fclose(f);
  EXPECT_EQ(std::string(head, 22), "> :0000000DF3\\n\\r\r\n< K");
}

}  // namespace
