#include "quillink/mode.h"

#include <array>
#include <utility>

#include "formats/exchange_files.h"

namespace quillink {

namespace {

// Searched in this order; the first word found decides.
constexpr std::array<std::pair<std::string_view, Mode>, 4> kModeWords = {{
    {"ECRITURE", Mode::kEcriture},
    {"LECTURE_INFO", Mode::kLectureInfo},
    {"GENERATION_BIN", Mode::kGenerationBin},
    {"MAJAPPLI", Mode::kMajAppli},
}};

// "MAJAPPLI" and one separator.
constexpr std::size_t kMajAppliPrefix = 9;

}  // namespace

Mode FindMode(std::string_view argument_text) {
  for (const auto& [word, mode] : kModeWords) {
    if (argument_text.find(word) != std::string_view::npos) return mode;
  }
  return Mode::kRawJob;
}

std::string JobTextFor(Mode mode, std::string_view argument_text) {
  switch (mode) {
    case Mode::kEcriture:
      return std::string(formats::kConfigurationImageName) + " -D -R";
    case Mode::kLectureInfo:
      return std::string(formats::kVersionFile) + " -IG";
    case Mode::kGenerationBin:
      return std::string(formats::kVersionFile) + " -F";
    case Mode::kMajAppli: {
      std::string text;
      if (argument_text.size() > kMajAppliPrefix) {
        text = argument_text.substr(kMajAppliPrefix);
      }
      return text + " -A -D -C -R";
    }
    case Mode::kRawJob:
      break;
  }
  return std::string(argument_text);
}

}  // namespace quillink
