// The tool's 43 messages in English, as the results application writes them, for tests.
#pragma once

#include <string>

#include "tool/message_table.h"

namespace linktest {

inline const char* const kEnglishMessages[tool::kMessageCount] = {
    "Upload of the results.",
    "No USB peripherical.",
    "===== OK ===== \nPlease close the window!",
    "Error communication USB (code:B1)",
    "More than one peripherical detected.\nConnect only one peripherical .",
    "Error communication USB (Code: B2).",
    "Error communication USB (Code: B3).",
    "Error communication USB (Code: B4).",
    "Error communication USB (Code: B5).",
    "Error communication USB (Code: B6).",
    "Error communication USB (Code: B7).",
    "Error communication USB (Code: B8).",
    "Error communication USB (Code: B9).",
    "Error communication USB (Code: B10).",
    "Write USB error (Time Out).",
    "Write USB error.",
    "Write USB error (invalid size).",
    "Error, no response.",
    "Error communication USB (Code: A1).",
    "Error communication USB (Code: A2).",
    "Error,acknowledge  invalid.",
    "Error communication USB (Code: C0).",
    "Error, not enough memory.",
    "Read USB error (Time Out).",
    "Read USB error.",
    "Error bad sequence (K-%02X).",
    "Error bad sequence (no error code).",
    "Send sequence read (%d/%d).",
    "packet size error (%d).",
    "Write target file in progress...",
    "Error open file.",
    "Send general information sequence.",
    "Bad format file.",
    "Sequence sending.",
    "Send BOOT erase sequence.\nPlease wait...",
    "Send APPLICATION erase sequence.\nPlease wait...",
    "Send DATA erase sequence.\nPlease wait...",
    "Stop USB communication.",
    "Unknown sequence.",
    "Send data line (%d)",
    "Error, invalid size data (%d).",
    "Read download file error.",
    "No result in HALVEN TESTER.",  // trimmed on load, as the table holds it
};

inline tool::MessageTable EnglishMessages() {
  tool::MessageTable table;
  for (int i = 0; i < tool::kMessageCount; ++i) table.Set(i, kEnglishMessages[i]);
  return table;
}

}  // namespace linktest
