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
    if (name != "--language" && name != "--report") {
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
    } else {
      if (value.empty()) {
        error = "--report needs a file name";
        return false;
      }
      options.report_given = true;
      options.report_path = std::string(value);
    }
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
      "\n"
      "Fetches the results kept in the HALVEN TESTER (through the tool Quillink, next to this\n"
      "program) and writes them as a text report in German, English or French.\n"
      "\n"
      "  --language de|en|fr  language of the report and of the tool's window (default: en)\n"
      "  --report PATH        upload at once into PATH (\".txt\" added when the name has no\n"
      "                       extension), without prompts; an existing file is replaced\n"
      "  --write-translation  only write the tool's translation file InfoTrfTR.zel in the\n"
      "                       chosen language into the current folder (for callers that start\n"
      "                       the tool themselves, such as a configuration download)\n"
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
  return text;
}

}  // namespace viewer
