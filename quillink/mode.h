// The tool's four mode words and the job text each one hands to RunJob.
#pragma once

#include <string>
#include <string_view>

namespace quillink {

enum class Mode { kEcriture, kLectureInfo, kGenerationBin, kMajAppli, kRawJob };

// The first of "ECRITURE", "LECTURE_INFO", "GENERATION_BIN", "MAJAPPLI" found anywhere in
// `argument_text` (case-sensitive, even inside other text); kRawJob when none occurs.
Mode FindMode(std::string_view argument_text);

// The job text of `mode`: fixed texts for ECRITURE, LECTURE_INFO and GENERATION_BIN; for MAJAPPLI
// the argument text without its first 9 characters (the word and one separator, whatever they
// are) followed by " -A -D -C -R"; for a raw job the argument text unchanged.
std::string JobTextFor(Mode mode, std::string_view argument_text);

}  // namespace quillink
