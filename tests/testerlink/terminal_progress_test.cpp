// The terminal front end's drawing: in place on a terminal (what stays on screen, the rate bound,
// the time left) and one entry per change of state in a file or a pipe.
#include "testerlink/terminal_progress.h"

#include <gtest/gtest.h>

#include "tests/fakes/terminal_screen.h"

namespace testerlink {
namespace {

using namespace std::chrono_literals;
using Clock = TerminalProgress::Clock;
const Clock::time_point kStart = Clock::time_point{} + 100s;

TEST(TerminalProgressPlain, OneEntryPerChangeOfStateAndNoBar) {
  TerminalProgress plain("Upload of the results.", "V3.01 Orvo", false, 80);
  std::string out = plain.Open(kStart);
  out += plain.ShowStatus("Upload of the results.\nSend DATA erase sequence.", kStart);
  out += plain.SetProgressRange(0, 827, kStart);
  for (std::uint16_t line = 3; line < 828; ++line) {
    out += plain.ShowStatus("Send data line (" + std::to_string(line) + ")", kStart);
    out += plain.SetProgressPos(line, kStart);
  }
  out +=
      plain.ShowStatus("Upload of the results.\n===== OK ===== \nPlease close the window!", kStart);
  out += plain.SetHint("Done.", kStart);
  out += plain.Close();
  EXPECT_EQ(out,
            "Upload of the results.  (V3.01 Orvo)\n"
            "Upload of the results.\n"
            "Send DATA erase sequence.\n"
            "Send data line (3)\n"
            "Upload of the results.\n"
            "===== OK ===== \n"
            "Please close the window!\n"
            "Done.\n");
}

TEST(TerminalProgressInPlace, FinalStateStaysOnScreenWithoutTheHint) {
  TerminalProgress screen("Upload of the results.", "V3.01 Orvo", true, 80);
  fakes::TerminalScreen terminal;
  ASSERT_TRUE(terminal.Feed("$ quillink ECRITURE\n"));
  ASSERT_TRUE(terminal.Feed(screen.Open(kStart)));
  ASSERT_TRUE(
      terminal.Feed(screen.ShowStatus("T\xE9l\xE9"
                                      "chargement\nSend data line (12)",
                                      kStart + 1s)));
  ASSERT_TRUE(terminal.Feed(screen.SetProgressRange(0, 200, kStart + 2s)));
  ASSERT_TRUE(terminal.Feed(screen.SetProgressPos(50, kStart + 3s)));
  EXPECT_EQ(terminal.Text(),
            "$ quillink ECRITURE\n"
            "Upload of the results.\n"
            "T\xC3\xA9l\xC3\xA9"
            "chargement\n"
            "Send data line (12)\n"
            "[#######.......................]  25%  V3.01 Orvo\n");
  ASSERT_TRUE(
      terminal.Feed(screen.ShowStatus("Upload of the results.\n===== OK ===== ", kStart + 4s)));
  ASSERT_TRUE(terminal.Feed(screen.SetProgressPos(200, kStart + 5s)));
  ASSERT_TRUE(terminal.Feed(screen.SetHint("Press Esc to close.", kStart + 6s)));
  EXPECT_EQ(terminal.Rows().back(), "Press Esc to close.");
  ASSERT_TRUE(terminal.Feed(screen.Close()));
  ASSERT_TRUE(terminal.Feed("$ "));
  EXPECT_EQ(terminal.Text(),
            "$ quillink ECRITURE\n"
            "Upload of the results.\n"
            "Upload of the results.\n"
            "===== OK ===== \n"
            "[##############################] 100%  V3.01 Orvo\n"
            "$ \n");
}

TEST(TerminalProgressInPlace, RedrawsAtABoundedRateAndFlushesTheLastChange) {
  TerminalProgress screen("T", "V", true, 80);
  fakes::TerminalScreen terminal;
  ASSERT_TRUE(terminal.Feed(screen.Open(kStart)));
  ASSERT_TRUE(terminal.Feed(screen.SetProgressRange(0, 1000, kStart)));
  // A thousand changes within 20 ms: held back, not drawn one by one.
  for (std::uint16_t i = 1; i <= 1000; ++i) {
    ASSERT_TRUE(terminal.Feed(screen.SetProgressPos(i, kStart + i * 20us)));
  }
  EXPECT_LE(terminal.redraws(), 1);
  EXPECT_TRUE(screen.pending());
  EXPECT_EQ(screen.Flush(kStart + 30ms), "");
  ASSERT_TRUE(terminal.Feed(screen.Flush(kStart + TerminalProgress::kRedrawInterval)));
  EXPECT_FALSE(screen.pending());
  EXPECT_EQ(terminal.Rows()[3], "[##############################] 100%  V");
}

TEST(TerminalProgressInPlace, LinesAreCutToTheTerminalsWidth) {
  TerminalProgress screen(std::string(100, 'x'), "V", true, 40);
  fakes::TerminalScreen terminal;
  ASSERT_TRUE(terminal.Feed(screen.Open(kStart)));
  for (const std::string& row : terminal.Rows()) EXPECT_LE(row.size(), 39u) << row;
}

TEST(TerminalProgressBar, TimeLeftOnlyForALongTransferUnderWay) {
  struct Case {
    Clock::duration elapsed;
    std::uint16_t position;
    const char* bar;
  } cases[] = {
      {2s, 25, "[#######.......................]  25%"},
      {4s, 25, "[#######.......................]  25% 0:12 left"},
      {60s, 50, "[###############...............]  50% 1:00 left"},
      {60s, 0, "[..............................]   0%"},
      {60s, 100, "[##############################] 100%"},
  };
  for (const Case& c : cases) {
    TerminalProgress screen("T", "V", true, 80);
    (void)screen.Open(kStart);
    (void)screen.SetProgressRange(0, 100, kStart);
    (void)screen.SetProgressPos(c.position, kStart + c.elapsed);
    EXPECT_EQ(screen.BarLine(kStart + c.elapsed), c.bar);
  }
}

}  // namespace
}  // namespace testerlink
