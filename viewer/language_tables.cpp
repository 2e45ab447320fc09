#include "viewer/language_tables.h"

namespace viewer {

const std::string& UiText(int, int) {
  static const std::string empty;
  return empty;
}

const std::string& ToolMessage(int, int) {
  static const std::string empty;
  return empty;
}

const MenuTexts& MenuTextsFor(int) {
  static const MenuTexts english{"File",   "Upload",  "Exit",  "Language",
                                 "German", "English", "French"};
  return english;
}

}  // namespace viewer
