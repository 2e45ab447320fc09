#include "viewer/posix/terminal_menu.h"

#include <cstdio>

#include "platform/native_path.h"
#include "platform/process.h"
#include "platform/text_encoding.h"
#include "viewer/morvane_options.h"
#include "viewer/results_commands.h"

namespace viewer {
namespace {

// Menu keys, in the order the menu lists them, and the dialog command each one stands for.
struct MenuKey {
  char key;
  int command;
};
constexpr MenuKey kKeys[] = {
    {'1', kCommandUpload},  {'0', kCommandExit},   {'2', kCommandGerman},
    {'3', kCommandEnglish}, {'4', kCommandFrench}, {'5', kCommandInfo},
};

bool ReadLine(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

std::string Trimmed(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool FileExists(const std::string& path) {
  std::FILE* f = std::fopen(platform::NativePath(path).c_str(), "rb");
  if (f == nullptr) return false;
  std::fclose(f);
  return true;
}

void ShowMenu(std::ostream& out, const ResultsDialogState& state) {
  const report::MenuTexts& m = state.menu();
  auto u = [](const std::string& text) { return platform::Cp1252ToUtf8(text); };
  auto item = [&](char key, const std::string& text, int command) {
    out << "    " << key << "  " << u(text);
    if (command == state.CheckedLanguageCommand()) out << "  [x]";
    out << "\n";
  };
  out << "\nHALVEN TESTER\n";
  out << "  " << u(m.file) << "\n";
  item('1', m.upload, kCommandUpload);
  item('0', m.exit, kCommandExit);
  out << "  " << u(m.language) << "\n";
  item('2', m.german, kCommandGerman);
  item('3', m.english, kCommandEnglish);
  item('4', m.french, kCommandFrench);
  out << "  5  Info\n";
  out << "> " << std::flush;
}

void ShowAbout(std::ostream& out) { out << "\nAbout...\n  HALVEN TESTER\n  Version 3.01\n"; }

int CommandForKey(const std::string& answer) {
  if (answer.size() != 1) return 0;
  for (const MenuKey& k : kKeys) {
    if (k.key == answer[0]) return k.command;
  }
  return 0;
}

}  // namespace

bool PromptReportPath(std::istream& in, std::ostream& out, std::string& path) {
  for (;;) {
    out << "Report file (*.txt; *.html web page, *.json data, *.csv table), empty to cancel: "
        << std::flush;
    std::string answer;
    if (!ReadLine(in, answer)) return false;
    answer = Trimmed(answer);
    if (answer.empty()) return false;
    std::string chosen = WithDefaultExtension(answer);
    if (FileExists(chosen)) {
      out << chosen << " already exists. Replace it? [y/N] " << std::flush;
      std::string confirm;
      if (!ReadLine(in, confirm)) return false;
      confirm = Trimmed(confirm);
      if (confirm != "y" && confirm != "Y" && confirm != "yes") continue;
    }
    path = chosen;
    return true;
  }
}

int RunTerminalMenu(std::istream& in, std::ostream& out, ResultsDialogState& state,
                    const std::function<UploadOutcome(int language)>& upload) {
  int status = 0;
  for (;;) {
    ShowMenu(out, state);
    std::string answer;
    if (!ReadLine(in, answer)) {
      out << "\n";
      return status;
    }
    int command = CommandForKey(Trimmed(answer));
    DispatchedCommand dispatched = DispatchCommand(command);
    switch (dispatched.action) {
      case CommandAction::kUpload: {
        // The upload moves to the program folder; a name typed at the next prompt is taken from
        // where the program was started.
        const std::string start = platform::CurrentFolder();
        UploadOutcome outcome = upload(state.language());
        if (!start.empty()) (void)platform::SetCurrentFolder(start);
        status = ExitStatusFor(outcome);
        if (outcome == UploadOutcome::kReportWritten) return status;
        break;
      }
      case CommandAction::kClose:
        return status;
      case CommandAction::kSelectLanguage:
        state.SelectLanguage(dispatched.language);
        break;
      case CommandAction::kAbout:
        ShowAbout(out);
        break;
      case CommandAction::kNone:
        out << "Choose one of the numbers shown.\n";
        break;
    }
  }
}

}  // namespace viewer
