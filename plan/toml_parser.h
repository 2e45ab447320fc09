// The TOML parser (toml++, header-only), with the switches this tree builds it with: no
// exceptions (parse results carry the error), everything inline. Included by the plan reader only.
#pragma once

#define TOML_EXCEPTIONS 0
#define TOML_HEADER_ONLY 1
#define TOML_ENABLE_FORMATTERS 0
#include <toml.h>
