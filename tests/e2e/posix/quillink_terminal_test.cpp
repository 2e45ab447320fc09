// The built quillink on a pseudo-terminal and into a pipe: a configuration download (about 830
// status changes) leaves its final state in place on the terminal, and one line per change of
// state in the pipe.
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "tests/e2e/quillink_fixture.h"
#include "tests/fakes/terminal_screen.h"

namespace e2e {
namespace {

// Reads everything from `fd` until the writer has gone (EIO on a pseudo-terminal, 0 on a pipe).
std::string ReadAll(int fd) {
  std::string out;
  char buffer[4096];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) return out;
    out.append(buffer, static_cast<std::size_t>(n));
  }
}

class QuillinkTerminal : public QuillinkRun {
 protected:
  void SetUp() override {
    QuillinkRun::SetUp();
    NewTester();
    WriteTranslationFile();
    std::filesystem::copy_file(
        std::filesystem::path(TEST_SOURCE_DIR) / "samples/TransfertVersTR.zel",
        "TransfertVersTR.zel");
  }

  // Runs "quillink ECRITURE" with its standard error on a pseudo-terminal (its standard input
  // too) or on a pipe; returns what it wrote there and its exit status.
  int Run(bool terminal, std::string& shown) {
    const std::string program = std::string(TEST_BIN_DIR) + "/quillink";
    int fds[2] = {-1, -1};
    pid_t pid;
    int reader;
    if (terminal) {
      winsize size{};
      size.ws_col = 80;
      size.ws_row = 24;
      pid = forkpty(&reader, nullptr, nullptr, &size);
    } else {
      if (pipe(fds) != 0) return -1;
      pid = fork();
      reader = fds[0];
      if (pid == 0) {
        dup2(fds[1], STDERR_FILENO);
        close(fds[0]);
        close(fds[1]);
      }
    }
    if (pid < 0) return -1;
    if (pid == 0) {
      execl(program.c_str(), program.c_str(), "ECRITURE", static_cast<char*>(nullptr));
      _exit(127);
    }
    if (!terminal) close(fds[1]);
    shown = ReadAll(reader);
    close(reader);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

TEST_F(QuillinkTerminal, OnATerminalTheFinalStateStaysInPlace) {
  std::string shown;
  auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(Run(true, shown), 0);
  auto took = std::chrono::steady_clock::now() - start;
  fakes::TerminalScreen screen;
  ASSERT_TRUE(screen.Feed(shown));
  EXPECT_EQ(screen.Text(),
            "Upload of the results.\n"
            "Upload of the results.\n"
            "===== OK ===== \n"
            "Please close the window!\n"
            "[##############################] 100%  V3.01 Orvo\n");
  // At most one redrawing per interval (and the last one), not one per line sent.
  EXPECT_LE(screen.redraws(), took / std::chrono::milliseconds(50) + 2);
}

TEST_F(QuillinkTerminal, IntoAPipeOneLinePerChangeOfState) {
  std::string shown;
  ASSERT_EQ(Run(false, shown), 0);
  EXPECT_EQ(shown,
            "Upload of the results.  (V3.01 Orvo)\n"
            "Upload of the results.\n"
            "Send DATA erase sequence.\n"
            "Please wait...\n"
            "Sequence sending.\n"
            "Send data line (3)\n"
            "Sequence sending.\n"
            "Send data line (44)\n"
            "Sequence sending.\n"
            "Send data line (827)\n"
            "Sequence sending.\n"
            "Stop USB communication.\n"
            "Sequence sending.\n"
            "Upload of the results.\n"
            "===== OK ===== \n"
            "Please close the window!\n");
}

}  // namespace
}  // namespace e2e
