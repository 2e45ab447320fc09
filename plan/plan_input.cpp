#include "plan/plan_input.h"

#include <algorithm>

#include "plan/builder_verdict.h"
#include "plan/field_path.h"
#include "plan/plan_limits.h"
#include "plan/plan_text_reader.h"
#include "plan/source_decoder.h"
#include "plan/source_layout.h"
#include "platform/error_text.h"
#include "platform/file_replace.h"
#include "platform/read_whole_file.h"

namespace plan {
namespace {

bool EndsWithZel(const std::string& path) {
  if (path.size() < 4) return false;
  std::string end = path.substr(path.size() - 4);
  std::transform(end.begin(), end.end(), end.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
  return end == ".zel";
}

// The source offset of the part a limit names: its name field where there is one.
std::size_t OffsetOf(const Plan& plan, const LimitProblem& p) {
  if (p.configuration < 0 || std::size_t(p.configuration) >= plan.configurations.size()) return 0;
  const std::size_t i = std::size_t(p.configuration);
  const Configuration& c = plan.configurations[i];
  std::string path = ConfigurationPath(plan, i);
  if (p.ecu >= 0 && std::size_t(p.ecu) < c.ecus.size()) {
    const Ecu& u = c.ecus[std::size_t(p.ecu)];
    path += EcuPath(c, std::size_t(p.ecu));
    if (p.frame >= 0 && std::size_t(p.frame) < u.frames.size()) {
      path += FramePath(u, std::size_t(p.frame));
    }
  }
  path += ".name";
  for (const SourceField& f : SourceFields(plan)) {
    if (f.path == path) return f.offset;
  }
  return 0;
}

}  // namespace

InputKind KindOf(const std::string& path, const std::string& bytes) {
  if (EndsWithZel(path) || bytes.find('\0') != std::string::npos) return InputKind::kSource;
  return InputKind::kPlan;
}

LoadResult LoadInput(const std::string& path, Input* input) {
  *input = Input{};
  input->path = path;
  const std::int64_t size = platform::FileSize(path);
  if (size > std::int64_t(kMaxInputSize)) {
    input->diagnostics.push_back(
        {0, 0, 0, "the file is " + std::to_string(size) + " bytes; at most 16 MiB is read"});
    return LoadResult::kUnreadable;
  }
  std::optional<std::string> bytes = size < 0 ? std::nullopt : platform::ReadWholeFile(path);
  if (!bytes) {
    input->diagnostics.push_back(
        {0, 0, 0,
         "cannot read the file: " +
             (size < 0 ? std::string("no such file") : platform::LastErrorText())});
    return LoadResult::kUnreadable;
  }
  input->bytes = std::move(*bytes);
  input->kind = KindOf(path, input->bytes);
  return Understand(input);
}

LoadResult Understand(Input* input) {
  input->diagnostics.clear();
  if (input->kind == InputKind::kPlan) {
    ReadPlanText(input->bytes, &input->plan, &input->diagnostics);
  } else {
    DecodeError error;
    const auto* data = reinterpret_cast<const std::uint8_t*>(input->bytes.data());
    if (!DecodeSource({data, input->bytes.size()}, &input->plan, &error)) {
      input->diagnostics.push_back({0, 0, error.offset, error.message});
    } else {
      for (const LimitProblem& p : CheckLimits(input->plan)) {
        input->diagnostics.push_back({0, 0, OffsetOf(input->plan, p), p.message, p.warning});
      }
      // Never call good what Quillink's own builder would refuse.
      if (!HasErrors(input->diagnostics) && !BuilderAccepts(input->bytes)) {
        input->diagnostics.push_back(
            {0, 0, 0, "Quillink's configuration builder refuses this source"});
      }
    }
  }
  SortDiagnostics(input->diagnostics);
  return HasErrors(input->diagnostics) ? LoadResult::kInvalid : LoadResult::kOk;
}

std::string FormatDiagnostics(const Input& input) {
  std::string out;
  const auto* data = reinterpret_cast<const std::uint8_t*>(input.bytes.data());
  for (const Diagnostic& d : input.diagnostics) {
    if (input.kind == InputKind::kPlan && d.line > 0) {
      out += FormatTextDiagnostic(input.path, input.bytes, d);
    } else if (input.kind == InputKind::kSource) {
      out += FormatSourceDiagnostic(input.path, {data, input.bytes.size()}, d);
    } else {
      out += input.path + ": error: " + d.message + "\n";
    }
  }
  return out;
}

}  // namespace plan
