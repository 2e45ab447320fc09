#include "plan/testerplan_command.h"

#include <string_view>

#include "plan/builder_verdict.h"
#include "plan/plan_diff.h"
#include "plan/plan_input.h"
#include "plan/plan_show.h"
#include "plan/plan_text_writer.h"
#include "plan/source_layout.h"
#include "platform/error_text.h"
#include "platform/file_replace.h"

namespace plan {
namespace {

namespace ex = exit_status;

constexpr char kStatuses[] =
    "Exit status: 0 done (check: no errors; warnings do not count), 1 errors in the input, "
    "64 a wrong\ncommand line, 66 an input file cannot be read, 73 the output cannot be written; "
    "diff: 0 equal,\n1 different, 2 an input has errors.\n";

constexpr char kMainHelp[] =
    "Usage: testerplan COMMAND ...\n"
    "Tester configurations as readable text (docs/configuration-plan.md).\n"
    "\n"
    "  compile PLAN -o TransfertVersTR.zel   the configuration source of a plan\n"
    "  decompile SOURCE -o PLAN              the plan of a configuration source\n"
    "  check PLAN|SOURCE                     every error, as file:line:column: message\n"
    "  diff A B                              changes by configuration, ECU and frame\n"
    "  show PLAN|SOURCE [--language de|en|fr]  contents and the tester's menu tree\n"
    "\n"
    "A file whose name ends in .zel, or that holds a NUL byte, is a source; any other a plan.\n"
    "`testerplan COMMAND --help` tells more of each command. Output files are replaced whole\n"
    "only once complete; `-o -` writes to the standard output.\n";

struct Command {
  const char* name;
  const char* help;
};

constexpr Command kCommands[] = {
    {"compile",
     "Usage: testerplan compile PLAN -o TransfertVersTR.zel\n"
     "Writes the configuration source that Quillink ECRITURE turns into MenuCfg.h86. Nothing is\n"
     "written when the plan has errors; they are printed as `check` prints them.\n"},
    {"decompile",
     "Usage: testerplan decompile SOURCE -o PLAN\n"
     "Writes the plan of a configuration source in its canonical form; compiling it gives the\n"
     "source back byte for byte. A source Quillink would refuse is refused with the reason.\n"},
    {"check",
     "Usage: testerplan check PLAN|SOURCE\n"
     "Prints every error and warning, each as file:line:column: message (for a source\n"
     "file:byte N: message) with the line and a caret under the place.\n"},
    {"diff",
     "Usage: testerplan diff A B\n"
     "Prints the changes from A to B (each a plan or a source), one a line as\n"
     "path: old -> new, with configurations, ECUs and frames named by their names.\n"
     "Exit status: 0 equal (nothing printed), 1 different, 2 an input has errors, 64 a wrong\n"
     "command line, 66 an input cannot be read.\n"},
    {"show",
     "Usage: testerplan show PLAN|SOURCE [--language de|en|fr]\n"
     "Prints the configurations, ECUs, frames and thresholds, and the menu tree the tester\n"
     "shows, built by Quillink's own menu builder (each entry with its number). --language\n"
     "chooses the words of the listing (default en); the tester's texts are the plan's.\n"},
};

void Print(std::FILE* f, std::string_view text) { std::fwrite(text.data(), 1, text.size(), f); }

const Command* Find(const std::string& name) {
  for (const Command& c : kCommands) {
    if (name == c.name) return &c;
  }
  return nullptr;
}

int Usage(std::FILE* err, const std::string& problem, const char* help) {
  Print(err, "testerplan: " + problem + "\n" + help);
  return ex::kUsage;
}

// Loads and prints the findings; the status for a failed load.
int Load(const std::string& path, Input* input, std::FILE* err, int invalid_status) {
  const LoadResult result = LoadInput(path, input);
  Print(err, FormatDiagnostics(*input));
  if (result == LoadResult::kUnreadable) return ex::kUnreadable;
  if (result == LoadResult::kInvalid) return invalid_status;
  return ex::kOk;
}

int Write(const std::string& path, const std::string& bytes, std::FILE* out, std::FILE* err) {
  if (path == "-") {
    Print(out, bytes);
    return ex::kOk;
  }
  if (!platform::ReplaceFileContent(path, bytes)) {
    Print(err, "testerplan: cannot write " + path + ": " + platform::LastErrorText() + "\n");
    return ex::kCannotWrite;
  }
  return ex::kOk;
}

int Convert(const Command& command, const std::vector<std::string>& args, std::FILE* out,
            std::FILE* err) {
  const bool compile = std::string_view(command.name) == "compile";
  std::string input_path, output_path;
  bool have_output = false;
  for (std::size_t k = 1; k < args.size(); ++k) {
    if (args[k] == "-o" && k + 1 < args.size()) {
      output_path = args[++k];
      have_output = true;
    } else if (input_path.empty() && (args[k] == "-" || args[k].rfind('-', 0) != 0)) {
      input_path = args[k];
    } else {
      return Usage(err, "unexpected argument " + args[k], command.help);
    }
  }
  if (input_path.empty() || !have_output) {
    return Usage(err, "an input and -o OUTPUT are needed", command.help);
  }
  Input input;
  if (int status = Load(input_path, &input, err, ex::kFindings)) return status;
  const InputKind wanted = compile ? InputKind::kPlan : InputKind::kSource;
  if (input.kind != wanted) {
    Print(err, "testerplan: " + input_path + " is " +
                   (compile ? "a configuration source; compile takes a plan (decompile it)"
                            : "a plan; decompile takes a configuration source (compile it)") +
                   "\n");
    return ex::kFindings;
  }
  if (!compile) return Write(output_path, WritePlanText(input.plan), out, err);
  const std::string source = EncodeSource(input.plan);
  if (!BuilderAccepts(source)) {  // the reader's checks keep to the builder's; this is the proof
    Print(err, "testerplan: Quillink's configuration builder refuses the compiled source\n");
    return ex::kFindings;
  }
  return Write(output_path, source, out, err);
}

int Check(const Command& command, const std::vector<std::string>& args, std::FILE* err) {
  if (args.size() != 2) return Usage(err, "one file to check is needed", command.help);
  Input input;
  return Load(args[1], &input, err, ex::kFindings);
}

int Diff(const Command& command, const std::vector<std::string>& args, std::FILE* out,
         std::FILE* err) {
  if (args.size() != 3) return Usage(err, "two files to compare are needed", command.help);
  Input a, b;
  const int sa = Load(args[1], &a, err, ex::kDiffInvalid);
  const int sb = Load(args[2], &b, err, ex::kDiffInvalid);
  if (sa == ex::kUnreadable || sb == ex::kUnreadable) return ex::kUnreadable;
  if (sa != ex::kOk || sb != ex::kOk) return ex::kDiffInvalid;
  const std::vector<std::string> changes = DiffPlans(a.plan, b.plan);
  for (const std::string& line : changes) Print(out, line + "\n");
  return changes.empty() ? ex::kOk : ex::kFindings;
}

int Show(const Command& command, const std::vector<std::string>& args, std::FILE* out,
         std::FILE* err) {
  std::string path;
  ShowLanguage language = ShowLanguage::kEnglish;
  for (std::size_t k = 1; k < args.size(); ++k) {
    if (args[k] == "--language" && k + 1 < args.size()) {
      const std::string& word = args[++k];
      if (word == "de") {
        language = ShowLanguage::kGerman;
      } else if (word == "en") {
        language = ShowLanguage::kEnglish;
      } else if (word == "fr") {
        language = ShowLanguage::kFrench;
      } else {
        return Usage(err, "unknown language " + word + " (de, en or fr)", command.help);
      }
    } else if (path.empty() && args[k].rfind('-', 0) != 0) {
      path = args[k];
    } else {
      return Usage(err, "unexpected argument " + args[k], command.help);
    }
  }
  if (path.empty()) return Usage(err, "a file to show is needed", command.help);
  Input input;
  if (int status = Load(path, &input, err, ex::kFindings)) return status;
  const std::string source = EncodeSource(input.plan);
  Print(out, ShowPlan(input.plan, BuilderMenuEntries(source), language));
  return ex::kOk;
}

}  // namespace

int RunTesterPlan(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  if (args.empty()) return Usage(err, "a command is needed", kMainHelp);
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    Print(out, std::string(kMainHelp) + "\n" + kStatuses);
    return ex::kOk;
  }
  const Command* command = Find(args[0]);
  if (command == nullptr) return Usage(err, "unknown command " + args[0], kMainHelp);
  for (std::size_t k = 1; k < args.size(); ++k) {
    if (args[k] == "--help" || args[k] == "-h") {
      Print(out, command->help);
      if (std::string_view(command->name) != "diff") Print(out, kStatuses);
      return ex::kOk;
    }
  }
  const std::string_view name = command->name;
  if (name == "compile" || name == "decompile") return Convert(*command, args, out, err);
  if (name == "check") return Check(*command, args, err);
  if (name == "diff") return Diff(*command, args, out, err);
  return Show(*command, args, out, err);
}

}  // namespace plan
