// A file named on testerplan's command line, read whole and understood: a plan's text or a
// binary configuration source, told apart by the name (".zel") or by a NUL byte, which no plan
// text holds.
#pragma once

#include <string>
#include <vector>

#include "plan/diagnostic.h"
#include "plan/plan_model.h"

namespace plan {

enum class InputKind { kPlan, kSource };

struct Input {
  std::string path;
  std::string bytes;
  InputKind kind = InputKind::kPlan;
  Plan plan;
  std::vector<Diagnostic> diagnostics;  // sorted by place
};

enum class LoadResult {
  kOk,          // the plan is complete (warnings may stand in `diagnostics`)
  kInvalid,     // errors in `diagnostics`
  kUnreadable,  // no such file, not a file, or too large; the reason in `diagnostics`
};

inline constexpr std::size_t kMaxInputSize = 16 * 1024 * 1024;

InputKind KindOf(const std::string& path, const std::string& bytes);

LoadResult LoadInput(const std::string& path, Input* input);

// Parses text or bytes already in `input` (path, bytes, kind set).
LoadResult Understand(Input* input);

// The diagnostics as `check` prints them.
std::string FormatDiagnostics(const Input& input);

}  // namespace plan
