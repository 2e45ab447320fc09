// One finding in a plan or a source, and how `check` prints it: "file:line:column: message",
// then the line and a caret under the place (for a source, the byte offset and the bytes there).
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plan {

struct Diagnostic {
  std::size_t line = 0;    // from 1; 0 for a finding in a binary source
  std::size_t column = 0;  // from 1, in characters
  std::size_t offset = 0;  // byte offset, for a binary source
  std::string message;
  bool warning = false;
};

// By position, so that the output reads from the top of the file.
void SortDiagnostics(std::vector<Diagnostic>& diagnostics);

bool HasErrors(const std::vector<Diagnostic>& diagnostics);

// For a plan's text.
std::string FormatTextDiagnostic(std::string_view file, std::string_view text, const Diagnostic& d);
// For a binary source: the 16 bytes around the offset, with a caret under it.
std::string FormatSourceDiagnostic(std::string_view file, std::span<const std::uint8_t> bytes,
                                   const Diagnostic& d);

}  // namespace plan
