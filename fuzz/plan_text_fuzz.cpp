// Fuzz target: arbitrary bytes as a plan's text. Reading must end with a finding or a plan; its
// findings must print; a plan that reads clean must compile to a source Quillink's builder
// accepts, and decompiling that source must give a text that compiles to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "plan/builder_verdict.h"
#include "plan/diagnostic.h"
#include "plan/plan_text_reader.h"
#include "plan/plan_text_writer.h"
#include "plan/source_decoder.h"
#include "plan/source_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  plan::Plan p;
  std::vector<plan::Diagnostic> found;
  const bool clean = plan::ReadPlanText(text, &p, &found);
  for (const plan::Diagnostic& d : found) {
    if (d.message.empty() || plan::FormatTextDiagnostic("plan", text, d).empty()) std::abort();
  }
  if (!clean) return 0;
  const std::string source = plan::EncodeSource(p);
  if (!plan::BuilderAccepts(source)) std::abort();
  plan::Plan decoded;
  plan::DecodeError error;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(source.data());
  if (!plan::DecodeSource({bytes, source.size()}, &decoded, &error)) std::abort();
  plan::Plan again;
  found.clear();
  if (!plan::ReadPlanText(plan::WritePlanText(decoded), &again, &found)) std::abort();
  if (plan::EncodeSource(again) != source) std::abort();
  return 0;
}
