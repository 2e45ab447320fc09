// Where each field of a plan lies in the configuration source it compiles to: offset, length,
// the field's path and its bytes, in file order. The source is exactly these fields end to end,
// so the same list writes the file and names any byte of it (a difference found when a
// configuration is read back from the tester, for example).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "plan/plan_model.h"

namespace plan {

struct SourceField {
  std::size_t offset;
  std::size_t length;
  std::string path;   // as field_path.h names parts, then the key: "...ecu[ABS_ESP].name"
  std::string bytes;  // `length` bytes
};

std::vector<SourceField> SourceFields(const Plan& plan);

// The configuration source of `plan`, byte for byte.
std::string EncodeSource(const Plan& plan);

// The field that holds byte `offset` of the source, or nullptr past its end.
const SourceField* FieldAt(const std::vector<SourceField>& fields, std::size_t offset);

}  // namespace plan
