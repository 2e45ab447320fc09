#include "viewer/morvane_options.h"

#include <string_view>

#include "report/language_tables.h"
#include "viewer/archive_commands.h"

namespace viewer {
namespace {

bool ParseLanguage(std::string_view word, int& language) {
  if (word == "de") {
    language = report::kGerman;
  } else if (word == "en") {
    language = report::kEnglish;
  } else if (word == "fr") {
    language = report::kFrench;
  } else {
    return false;
  }
  return true;
}

struct StatusRow {
  UploadOutcome outcome;
  int status;
  const char* meaning;
};

constexpr StatusRow kStatuses[] = {
    {UploadOutcome::kReportWritten, 0, "the report was written"},
    {UploadOutcome::kCancelled, 1, "cancelled: no report file chosen, nothing touched"},
    {UploadOutcome::kFileError, 2,
     "InfoTrfTR.zel, Tr.ini or the old Results.log could not be written or deleted"},
    {UploadOutcome::kDeviceNotRead, 3, "the tester was not read (tool missing, no tester)"},
    {UploadOutcome::kVersionRefused, 4, "the tester's firmware has another major version"},
    {UploadOutcome::kIdentityRefused, 5, "the connected device is not a HALVEN TESTER"},
    {UploadOutcome::kCapabilityRefused, 6, "the tester lacks a required capability"},
    {UploadOutcome::kToolNotStarted, 7, "the tool could not be started for the transfer"},
    {UploadOutcome::kResultsUnreadable, 8, "the results could not be read: no report"},
    {UploadOutcome::kReportNotCreated, 9, "the report file could not be created or written"},
    {UploadOutcome::kUploadBusy, 11, "another upload is running in the same folder"},
};

}  // namespace

bool ParseMorvaneOptions(int argc, const char* const* argv, MorvaneOptions& options,
                         std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    std::string_view value;
    bool has_value = false;
    std::string_view name = arg;
    if (std::size_t eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
      has_value = true;
    }
    if (name == "--help" || name == "-h") {
      options.help = true;
      continue;
    }
    if (name == "--write-translation") {
      options.write_translation = true;
      continue;
    }
    if (name == "--list") {
      options.list = true;
      continue;
    }
    if (name != "--language" && name != "--report" && name != "--render") {
      error = "unknown argument: " + std::string(arg);
      return false;
    }
    if (!has_value) {
      if (i + 1 >= argc) {
        error = std::string(name) + " needs a value";
        return false;
      }
      value = argv[++i];
    }
    if (name == "--language") {
      if (!ParseLanguage(value, options.language)) {
        error = "unknown language: " + std::string(value) + " (de, en or fr)";
        return false;
      }
      options.language_given = true;
    } else if (name == "--render") {
      if (value.empty()) {
        error = "--render needs a folder";
        return false;
      }
      options.render_given = true;
      options.render_folder = std::string(value);
    } else {
      if (value.empty()) {
        error = "--report needs a file name";
        return false;
      }
      options.report_given = true;
      options.report_path = std::string(value);
    }
  }
  if (options.render_given && !options.report_given) {
    error = "--render needs --report FILE";
    return false;
  }
  // Writing only the translation runs no upload: a report asked for with it would never come.
  if (options.write_translation && options.report_given) {
    error = "--write-translation and --report cannot be used together";
    return false;
  }
  return true;
}

int ExitStatusFor(UploadOutcome outcome) {
  for (const StatusRow& row : kStatuses) {
    if (row.outcome == outcome) return row.status;
  }
  return kExitUsage;
}

const char* OutcomeMeaning(UploadOutcome outcome) {
  for (const StatusRow& row : kStatuses) {
    if (row.outcome == outcome) return row.meaning;
  }
  return "";
}

std::string MorvaneHelpText(HelpSystem system) {
  const bool windows = system == HelpSystem::kWindows;
  const std::string name = windows ? "Morvane.exe" : "morvane";
  std::string text = "Usage: " + name + " [--language de|en|fr] [--report FILE]\n";
  text += "   or: " + name + " --write-translation [--language de|en|fr]\n";
  text += "   or: " + name + " --list\n";
  text += "   or: " + name + " --render FOLDER [--language de|en|fr] --report FILE\n";
  text += "   or: " + name + " --help\n";
  text += "\nFetches the results kept in the HALVEN TESTER through the tool ";
  text += windows ? "Quillink.exe" : "quillink";
  text +=
      " (next to this\n"
      "program) and writes them as a report in German, English or French: the text report,\n"
      "a web page (.html), data (.json) or a table (.csv), chosen by the report's extension.\n"
      "Every upload is also kept in the archive ";
  text += windows ? "Uploads\\" : "Uploads/";
  text +=
      " (see --list and --render).\n"
      "\n"
      "Options:\n"
      "  --language de|en|fr  language of the report and of the tool's window (default: en)\n"
      "  --report FILE        upload at once into FILE (\".txt\" added when the name has no\n"
      "                       extension), without prompts; an existing file is replaced\n"
      "  --write-translation  only write the tool's translation file InfoTrfTR.zel in the\n"
      "                       chosen language into the current folder (for callers that start\n"
      "                       the tool themselves, such as a configuration download)\n"
      "  --list               list the archived uploads, newest first\n"
      "  --render FOLDER      write the report of an archived upload (a folder name of the\n"
      "                       archive, or its path) to the --report FILE, without a tester\n"
      "  --help               this text\n"
      "\n";
  if (windows) {
    text +=
        "Without --report the program shows its window: Upload (then the report file in the\n"
        "save dialog), the Language menu, Info. The report opens in its viewer once written.\n"
        "\n"
        "Files: the two programs exchange Tr.ini, InfoTrfTR.zel, the images and Results.log in\n"
        "this program's folder (installed: %LOCALAPPDATA%\\Programs\\Halven tester PC suite);\n"
        "the archive is the folder Uploads\\ there. The report goes where it is asked for.\n"
        "\n"
        "The tool's window closes by itself after reading the tester's information; after an\n"
        "upload or a send it stays with its result until closed with its close box.\n";
  } else {
    text +=
        "Without --report the program shows its menu (Upload, Language, Info, Exit) and asks\n"
        "for the report file; the report is written there and shown by the desktop's viewer\n"
        "where there is one.\n"
        "\n"
        "Files: the two programs exchange Tr.ini, InfoTrfTR.zel, the images and Results.log in\n"
        "this program's folder; when that folder cannot be written (as /usr/bin, where the\n"
        "package installs it) they go to $XDG_DATA_HOME/halven instead (by default\n"
        "~/.local/share/halven), and so does the archive Uploads/. The tool started is still\n"
        "the one next to this program.\n"
        "\n"
        "The tool's progress closes by itself after reading the tester's information; after an\n"
        "upload or a send it stays with its result until closed with Esc (or Enter).\n";
  }
  text +=
      "\n"
      "Without --report the program ends after a written report, or on Exit with the status\n"
      "of the last upload tried (0 if none).\n"
      "\n"
      "Exit status:\n";
  for (const StatusRow& row : kStatuses) {
    text += "  " + std::to_string(row.status) + "   " + row.meaning + "\n";
  }
  text += "  " + std::to_string(kExitArchiveError) +
          "  --list or --render: the archive or the upload named cannot be used\n";
  text += "  " + std::to_string(kExitUsage) + "  wrong command line\n";
  // HALVEN_VERSION: the project's version, given by cmake/packaging.cmake.
  text += "\nHalven tester PC suite " HALVEN_VERSION "\n";
  return text;
}

}  // namespace viewer
