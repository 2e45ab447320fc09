// Fuzz target: arbitrary bytes as a configuration source to decompile. The decoder must accept
// exactly what Quillink's builder accepts; an accepted source must come back byte for byte from
// its plan's text, and a refusal must name a place inside the file.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "plan/builder_verdict.h"
#include "plan/diagnostic.h"
#include "plan/plan_text_reader.h"
#include "plan/plan_text_writer.h"
#include "plan/source_decoder.h"
#include "plan/source_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string source(reinterpret_cast<const char*>(data), size);
  plan::Plan p;
  plan::DecodeError error;
  const bool decoded = plan::DecodeSource({data, size}, &p, &error);
  if (decoded != plan::BuilderAccepts(source)) std::abort();
  if (!decoded) {
    if (error.message.empty() || error.offset > size) std::abort();
    plan::FormatSourceDiagnostic("source", {data, size}, {0, 0, error.offset, error.message});
    return 0;
  }
  if (plan::EncodeSource(p) != source) std::abort();
  plan::Plan again;
  std::vector<plan::Diagnostic> found;
  if (!plan::ReadPlanText(plan::WritePlanText(p), &again, &found)) std::abort();
  if (plan::EncodeSource(again) != source) std::abort();
  return 0;
}
