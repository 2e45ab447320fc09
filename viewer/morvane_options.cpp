#include "viewer/morvane_options.h"

#include <string_view>

#include "viewer/language_tables.h"

namespace viewer {
namespace {

bool ParseLanguage(std::string_view word, int& language) {
  if (word == "de") {
    language = kGerman;
  } else if (word == "en") {
    language = kEnglish;
  } else if (word == "fr") {
    language = kFrench;
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

std::string MorvaneHelpText() {
  std::string text =
      "Usage: morvane [--language de|en|fr] [--report PATH | --write-translation]\n"
      "       morvane --list\n"
      "       morvane --render FOLDER [--language de|en|fr] --report PATH\n"
      "\n"
      "Fetches the results kept in the HALVEN TESTER (through the tool Quillink, next to this\n"
      "program) and writes them as a text report in German, English or French.\n"
      "\n"
      "The two programs exchange their files (Tr.ini, InfoTrfTR.zel, the images, Results.log)\n"
      "in this program's folder. On Linux, when that folder cannot be written (as in /usr/bin,\n"
      "where the package installs it), they go to $XDG_DATA_HOME/halven instead (by default\n"
      "~/.local/share/halven); the tool started is still the one next to this program.\n"
      "\n"
      "  --language de|en|fr  language of the report and of the tool's window (default: en)\n"
      "  --report PATH        upload at once into PATH (\".txt\" added when the name has no\n"
      "                       extension), without prompts; an existing file is replaced\n"
      "  --write-translation  only write the tool's translation file InfoTrfTR.zel in the\n"
      "                       chosen language into the current folder (for callers that start\n"
      "                       the tool themselves, such as a configuration download)\n"
      "                       The report's extension chooses its format: .html a web page,\n"
      "                       .json data, .csv a table, anything else the text report.\n"
      "  --list               list the archived uploads (Uploads/ beside this program),\n"
      "                       newest first\n"
      "  --render FOLDER      write the report of an archived upload (a folder of Uploads/\n"
      "                       or its path) to the --report PATH, without a tester\n"
      "  --help               this text\n"
      "\n"
      "Without --report the program shows its menu (Upload, Language, About, Exit); it ends\n"
      "after a written report, or on Exit with the status of the last upload tried (0 if none).\n"
      "\n"
      "Exit status:\n";
  for (const StatusRow& row : kStatuses) {
    text += "  " + std::to_string(row.status) + "  " + row.meaning + "\n";
  }
  text += "  " + std::to_string(kExitUsage) + " wrong command line\n";
  // HALVEN_VERSION: the project's version, given by cmake/packaging.cmake.
  text += "\nHalven tester PC suite " HALVEN_VERSION "\n";
  return text;
}

}  // namespace viewer
