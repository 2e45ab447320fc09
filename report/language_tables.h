// The texts of the results application in its three languages: the user-interface and report texts,
// the messages handed to the communication tool through the translation file, the menu texts and
// the headings of the file-error boxes. The other reports' labels are in report_labels.h.
// Every text is a Windows-1252 byte string; the tables are constant for the whole run.
#pragma once

#include <string>

#include "formats/translation_file_format.h"

namespace report {

enum Language { kGerman = 0, kEnglish = 1, kFrench = 2 };

inline constexpr int kLanguageCount = 3;
inline constexpr int kUiTextCount = 37;
inline constexpr int kToolMessageCount = formats::kTranslationMessageCount;

// The UI texts by index, named after what they are: headings and labels of the report, the
// Upload button's caption and the message boxes of an upload. Entries marked unused are kept in
// the tables but shown nowhere.
namespace ui_text {
enum Index : int {
  kConfigurationInformation = 0,  // unused
  kDateOfUpload = 1,
  kWiringTitle = 2,
  kThreshold = 3,
  kMeasured = 4,
  kMinimum = 5,
  kMaximum = 6,
  kSignalTitle = 7,
  kRateSelected = 8,
  kRateTolerance = 9,
  kRateMeasured = 10,
  kLengthTitle = 11,
  kParameters = 12,
  kLengthRate = 13,
  kPropagationSpeed = 14,
  kLengthHead = 15,
  kMaximumLength = 16,  // unused
  kCursorPosition = 17,
  kLanguage = 18,  // unused
  kUploadCaption = 19,
  kCancel = 20,  // unused
  kError = 21,
  kProblemL2 = 22,
  kBadFormat = 23,  // unused
  kToolMissing = 24,
  kNotDone = 25,
  kVersionError = 26,     // followed by major.minor
  kIdentityError = 27,    // followed by a blank and the device name
  kCapabilityError = 28,  // followed by a blank and the device name
  kMeasuredValues = 29,
  kCurveHead = 30,
  kScreeningTitle = 31,
  kScreeningName = 32,
  kScreeningError = 33,
  kScreeningThreshold = 34,
  kScreeningMeasured = 35,
  kScreeningOk = 36,
};
}  // namespace ui_text
static_assert(ui_text::kScreeningOk + 1 == kUiTextCount);

// UI text `index` (0 to 36) in `language` (0 to 2). Returns an empty text for an index or a
// language out of range.
const std::string& UiText(int language, int index);

// Tool message `index` (0 to 42) in `language`, as the tool shows it. Returns an empty text for an
// index or a language out of range.
const std::string& ToolMessage(int language, int index);

// The texts of the main dialog's menu bar in one language.
struct MenuTexts {
  std::string file, upload, exit, language, german, english, french;
};

// Menu texts of `language`; the English ones for a language out of range.
const MenuTexts& MenuTextsFor(int language);

// The file-error boxes of an upload: the heading above the file's name and the system's reason.
enum FileErrorKind { kCannotWrite, kCannotDelete, kCannotCreateReport, kCannotUseFolder, kBusy };
inline constexpr int kFileErrorKindCount = 5;

// The heading of a file-error box in `language`; the English one for a language out of range.
const std::string& FileErrorHeading(int language, FileErrorKind kind);

// Why a report path is refused before anything is done (it lies in the archive of uploads, or
// would replace an exchange file); the English text for a language out of range.
enum ReportRefusal { kIntoArchive, kOverExchangeFile };
inline constexpr int kReportRefusalCount = 2;
const std::string& ReportRefusalText(int language, ReportRefusal refusal);

}  // namespace report
