// Message boxes on the terminal: the text in UTF-8 on standard error, its control bytes (a tester's
// or a file's text may hold escapes) shown as '?'; only a person at a terminal is asked to press
// Enter.
#include "platform/message_box.h"

#include <unistd.h>

#include <cstdio>

#include "platform/text_encoding.h"
#include "platform/unattended_log.h"

namespace platform {

void ShowMessageBox(const std::string& text, const std::string& caption, BoxIcon icon) {
  LogUnattendedBox(text, caption);
  const char* mark = icon == BoxIcon::kStop ? "[!] " : "";
  std::string shown = "\n" + std::string(mark) + Cp1252ToTerminalUtf8(caption) + "\n" +
                      Cp1252ToTerminalUtf8(text) + "\n";
  std::fputs(shown.c_str(), stderr);
  if (!Unattended() && isatty(STDIN_FILENO) && isatty(STDERR_FILENO)) {
    std::fputs("[OK: press Enter] ", stderr);
    std::fflush(stderr);
    int c;
    while ((c = std::getchar()) != EOF && c != '\n') {
    }
  }
}

void SetBoxOwner(void*) {}

void Beep() {
  if (isatty(STDERR_FILENO)) {
    std::fputc('\a', stderr);
    std::fflush(stderr);
  }
}

}  // namespace platform
