// The translated messages the tester link shows (indexes into tool::MessageTable), and the two
// helpers that put them on the job's status line.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace testerlink {

struct TransferJob;

enum LinkMessage : int {
  kMsgTitle = 0,                // "Upload of the results."
  kMsgNoDevice = 1,             // "No USB peripherical."
  kMsgSuccessLine = 2,          // "===== OK ===== \nPlease close the window!"
  kMsgCountFailed = 3,          // B1
  kMsgSeveralTesters = 4,       // "More than one peripherical detected..."
  kMsgNoTester = 5,             // B2
  kMsgNameFailed = 6,           // B3
  kMsgOpenInterfaceFailed = 7,  // B4
  kMsgSetupRefused = 8,         // B5
  kMsgSetupLate = 9,            // B6
  kMsgSetupError = 10,          // B7
  kMsgRegisterRefused = 11,     // B8
  kMsgRegisterLate = 12,        // B9
  kMsgRegisterError = 13,       // B10
  kMsgWriteTimeOut = 14,        // "Write USB error (Time Out)."
  kMsgWriteError = 15,          // "Write USB error."
  kMsgNoResponse = 17,          // "Error, no response."
  kMsgReplyLate = 18,           // A1
  kMsgReplyFailed = 19,         // A2
  kMsgInvalidAck = 20,          // "Error,acknowledge  invalid."
  kMsgEmptyRead = 21,           // C0
  kMsgNoMemory = 22,            // "Error, not enough memory."
  kMsgReadTimeOut = 23,         // "Read USB error (Time Out)."
  kMsgReadError = 24,           // "Read USB error."
  kMsgRefusedWithCode = 25,     // "Error bad sequence (K-%02X)."
  kMsgRefused = 26,             // "Error bad sequence (no error code)."
  kMsgReadingBlock = 27,        // "Send sequence read (%d/%d)."
  kMsgPacketSize = 28,          // "packet size error (%d)."
  kMsgWritingFile = 29,         // "Write target file in progress..."
  kMsgOpenFileFailed = 30,      // "Error open file."
  kMsgInformationRequest = 31,  // "Send general information sequence."
  kMsgBadFormat = 32,           // "Bad format file."
  kMsgSequence = 33,            // "Sequence sending."
  kMsgBootErase = 34,           // "Send BOOT erase sequence.\nPlease wait..."
  kMsgApplicationErase = 35,    // "Send APPLICATION erase sequence.\nPlease wait..."
  kMsgDataErase = 36,           // "Send DATA erase sequence.\nPlease wait..."
  kMsgStop = 37,                // "Stop USB communication."
  kMsgUnknownSequence = 38,     // "Unknown sequence."
  kMsgDataLine = 39,            // "Send data line (%d)"
  kMsgInvalidSize = 40,         // "Error, invalid size data (%d)."
  kMsgFileReadError = 41,       // "Read download file error."
  kMsgNoResults = 42,           // "No result in HALVEN TESTER. "
};

// Shows message `index` on the job's status line.
void ShowMessage(TransferJob& job, int index);
// Shows message `index` formatted with `values` (tool::MessageTable::Format).
void ShowFormatted(TransferJob& job, int index, std::initializer_list<std::int64_t> values);

}  // namespace testerlink
