#include "viewer/translation_file.h"

namespace viewer {

bool WriteTranslationFile(int, const std::string&) { return false; }

}  // namespace viewer
