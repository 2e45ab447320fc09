// The results reader's tests still name the shared temporary folder by its old name.
#pragma once

#include "tests/fakes/temp_folder.h"

namespace viewer_test {

using ScratchFolder = fakes::TempFolder;

}  // namespace viewer_test
