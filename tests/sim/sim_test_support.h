// Test helpers for the simulated tester: a fresh tester state file, and a small stand-in for the
// tool's side of the link (opening sequence, one record exchange, one data read) with short waits,
// so that driver behaviour is checked without the link library.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/record_text.h"
#include "sim/state_file.h"
#include "sim/tester_state.h"
#include "testerlink/driver.h"

namespace sim_test {

inline std::vector<std::uint8_t> Bytes(const std::string& text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

// Writes a fresh tester (changed by `edit`) to `path`.
template <typename Edit>
void MakeTester(const std::string& path, Edit edit) {
  sim::TesterState state = sim::NewTesterState(sim::Identity{});
  edit(state);
  std::string error;
  ASSERT_TRUE(sim::SaveStateFile(path, state, &error)) << error;
}
inline void MakeTester(const std::string& path) {
  MakeTester(path, [](sim::TesterState&) {});
}

inline sim::TesterState LoadTester(const std::string& path) {
  sim::TesterState state;
  std::string error;
  EXPECT_TRUE(sim::LoadStateFile(path, &state, &error)) << error;
  return state;
}

constexpr std::uint32_t kShortWait = 50;

// The tool's opening sequence: 0 when the link is ready, else the tool's result code 1 to 12.
inline int OpenLikeTool(testerlink::Driver& d) {
  if (!d.CreateEvents()) return -1;
  if (!d.OpenEnumerator()) return 1;
  std::array<std::uint8_t, testerlink::kCountBufferSize> count{};
  if (!d.RequestCount(count)) return 2;
  const std::uint32_t n = count[0] | count[1] << 8 | count[2] << 16 | count[3] << 24;
  if (n >= 2) return 3;
  if (n == 0) return 4;
  std::array<std::uint8_t, testerlink::kNameBufferSize> name{};
  if (!d.RequestName(name)) return 5;
  std::string text(reinterpret_cast<const char*>(name.data() + 17));
  std::size_t slash = text.rfind('\\');
  if (slash != std::string::npos) text = text.substr(slash + 1);
  d.CloseEnumerator();
  if (text.size() > 63 || !d.OpenInterface("\\\\.\\" + text)) return 6;
  std::array<std::uint8_t, testerlink::kSetupBufferSize> setup{};
  d.ResetCompletionEvent();
  if (!d.RequestLinkSetup(setup)) return 7;
  if (d.WaitCompletion(kShortWait) != testerlink::Wait::kSignalled) return 8;
  if (d.LastError() != 0) return 9;
  std::array<std::uint8_t, testerlink::kRegisterBufferSize> reg{};
  const std::uint32_t value = d.ReplyEventValue();
  for (int i = 0; i < 4; ++i) reg[i] = static_cast<std::uint8_t>(value >> (8 * i));
  d.ResetCompletionEvent();
  if (!d.RequestEventRegistration(reg)) return 10;
  if (d.WaitCompletion(kShortWait) != testerlink::Wait::kSignalled) return 11;
  if (d.LastError() != 0) return 12;
  return 0;
}

// What one record exchange ended in, as the tool tells the outcomes apart.
struct Answer {
  std::string outcome;  // "O", "K-HH", "K", "invalid", "write time-out", "write error",
                        // "no response", "reply time-out", "reply failed"
  bool operator==(const char* text) const { return outcome == text; }
};
inline std::ostream& operator<<(std::ostream& os, const Answer& a) { return os << a.outcome; }

inline Answer Exchange(testerlink::Driver& d, const std::string& record,
                       std::uint32_t reply_wait = kShortWait) {
  std::string written = record + "\r";
  d.ResetCompletionEvent();
  d.ResetReplyEvent();
  d.Write(reinterpret_cast<const std::uint8_t*>(written.data()),
          static_cast<std::uint32_t>(written.size()));
  testerlink::Wait w = d.WaitCompletion(kShortWait);
  if (w == testerlink::Wait::kTimedOut) {
    d.CancelIo();
    return {"write time-out"};
  }
  std::uint32_t bytes = 0;
  if (w == testerlink::Wait::kFailed || !d.CompletedBytes(&bytes) || bytes != written.size()) {
    return {"write error"};
  }
  if (d.WaitReply(reply_wait) != testerlink::Wait::kSignalled) return {"no response"};
  std::array<std::uint8_t, testerlink::kReplyBufferSize> reply{};
  d.ResetCompletionEvent();
  d.RequestReply(reply);
  if (d.WaitCompletion(kShortWait) != testerlink::Wait::kSignalled) {
    d.CancelIo();
    return {"reply time-out"};
  }
  if (!d.CompletedBytes(&bytes)) return {"reply failed"};
  if (reply[8] == 'O') return {"O"};
  if (reply[8] != 'K') return {"invalid"};
  if (reply[0] != 2) return {"K"};
  char code[8];
  std::snprintf(code, sizeof code, "K-%02X", reply[9]);
  return {code};
}

// A data read of `size` bytes: the bytes received, or a text for a failed read.
struct ReadResult {
  bool ok = false;
  std::string failure;
  std::vector<std::uint8_t> data;
};

inline ReadResult ReadData(testerlink::Driver& d, std::uint32_t size) {
  ReadResult r;
  std::vector<std::uint8_t> buffer(size);
  d.ResetCompletionEvent();
  d.Read(buffer.data(), size);
  testerlink::Wait w = d.WaitCompletion(kShortWait);
  std::uint32_t bytes = 0;
  if (w != testerlink::Wait::kSignalled) {
    d.CancelIo();
    r.failure = "read time-out";
  } else if (!d.CompletedBytes(&bytes)) {
    r.failure = "read error";
  } else {
    r.ok = true;
    r.data.assign(buffer.begin(), buffer.begin() + bytes);
  }
  return r;
}

inline std::string ReadRequest(std::uint32_t address, std::uint32_t count) {
  return sim::FormatReadRequest(address, count);
}

inline std::string HexRecord(std::uint8_t type, std::uint16_t address,
                             const std::vector<std::uint8_t>& data) {
  return sim::FormatRecord(type, address, data);
}

}  // namespace sim_test
