// A driver that answers at once, as scripted, and records what it was sent and every wait and
// pause it was asked for. By default it models a good tester: one device, every request completes,
// every record is accepted, read requests return the bytes they ask for.
#pragma once

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "testerlink/driver.h"
#include "testerlink/driver_buffers.h"

namespace linktest {

// The tester's answer to one record.
struct Answer {
  Answer() = default;
  explicit Answer(char kind, int refusal_code = -1, int silent = 0)
      : ack(kind), code(refusal_code), silent_waits(silent) {}
  static Answer Data(std::string bytes) {
    Answer answer;
    answer.has_data = true;
    answer.data = std::move(bytes);
    return answer;
  }

  char ack = 'O';
  int code = -1;          // refusal code; -1: none (1 reply byte)
  int silent_waits = 0;   // reply waits that time out before the notification; -1: never
  bool has_data = false;  // data for the next read
  std::string data;
};

class ScriptedDriver : public testerlink::Driver {
 public:
  enum Op { kNone, kSetup, kRegister, kWrite, kReply, kRead };

  // What the tester answers to each record written (the record's bytes, carriage return
  // included); when unset, DefaultAnswer.
  std::function<Answer(const std::string& record)> tester;
  // Bytes of the general-information reply.
  std::string information = std::string(40, '\0');

  // Opening knobs.
  bool events = true, enumerator = true, count_ok = true, name_ok = true, interface_ok = true;
  std::uint32_t count = 1;
  std::string name_text = "\\\\?\\usb#vid_0000\\Zel0";
  bool setup_call = true, register_call = true;
  // Per operation: the completion wait's outcome, a failed completion, the last error after it.
  std::map<Op, testerlink::Wait> completion;
  std::map<Op, bool> completion_fails;
  std::map<Op, std::uint32_t> last_error;
  std::uint32_t short_write = 0;                // bytes missing from every write's completion
  std::function<void(std::uint32_t)> on_pause;  // called in every pause (tests hold the worker)

  // Records.
  std::vector<std::string> writes;
  std::vector<std::string> log;  // "pause 1000", "reply-wait 100", "completion-wait 1000", ...
  std::string opened_path;
  std::uint32_t registered_value = 0;
  int cancels = 0;
  bool closed = false;

  // A good tester: accepts every record, answers a read request with the bytes it asks for (byte
  // i of a block is i * 7) and the information request with `information`.
  Answer DefaultAnswer(const std::string& record) const {
    Answer answer;
    if (record.rfind(":0000000DF3", 0) == 0) {
      answer.has_data = true;
      answer.data = information;
    } else if (record.size() >= 27 && record.compare(7, 2, "0C") == 0) {
      // A read request: the count is data bytes 4..7, least significant first.
      std::uint32_t count = 0;
      for (int i = 3; i >= 0; --i) {
        count = count * 256 +
                static_cast<std::uint32_t>(std::stoul(record.substr(17 + 2 * i, 2), nullptr, 16));
      }
      answer.has_data = true;
      answer.data = std::string(count, '\0');
      for (std::uint32_t i = 0; i < count; ++i) answer.data[i] = static_cast<char>(i * 7);
    }
    return answer;
  }

  std::vector<std::string> Entries(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& entry : log) {
      if (entry.rfind(prefix, 0) == 0) found.push_back(entry);
    }
    return found;
  }

  bool CreateEvents() override { return events; }
  bool OpenEnumerator() override {
    log.push_back("open-enumerator");
    return enumerator;
  }
  bool RequestCount(std::span<std::uint8_t, testerlink::kCountBufferSize> buffer) override {
    buffer[0] = static_cast<std::uint8_t>(count);
    buffer[1] = static_cast<std::uint8_t>(count >> 8);
    buffer[2] = static_cast<std::uint8_t>(count >> 16);
    buffer[3] = static_cast<std::uint8_t>(count >> 24);
    return count_ok;
  }
  bool RequestName(std::span<std::uint8_t, testerlink::kNameBufferSize> buffer) override {
    if (buffer[0] || buffer[1] || buffer[2] || buffer[3]) return false;  // must be 0
    std::size_t n = std::min(name_text.size(), buffer.size() - testerlink::kNameTextOffset);
    std::memcpy(buffer.data() + testerlink::kNameTextOffset, name_text.data(), n);
    if (testerlink::kNameTextOffset + n < buffer.size())
      buffer[testerlink::kNameTextOffset + n] = 0;
    return name_ok;
  }
  void CloseEnumerator() override { log.push_back("close-enumerator"); }
  bool OpenInterface(const std::string& path) override {
    opened_path = path;
    return interface_ok;
  }
  bool RequestLinkSetup(std::span<std::uint8_t, testerlink::kSetupBufferSize>) override {
    op_ = kSetup;
    return setup_call;
  }
  bool RequestEventRegistration(
      std::span<std::uint8_t, testerlink::kRegisterBufferSize> b) override {
    op_ = kRegister;
    registered_value = static_cast<std::uint32_t>(b[0] | b[1] << 8 | b[2] << 16 | b[3] << 24);
    return register_call;
  }
  bool RequestReply(std::span<std::uint8_t, testerlink::kReplyBufferSize> buffer) override {
    op_ = kReply;
    testerlink::WriteAcknowledgement(buffer, answer_.ack, answer_.code);
    return true;
  }
  bool Write(const std::uint8_t* bytes, std::uint32_t length) override {
    op_ = kWrite;
    writes.emplace_back(reinterpret_cast<const char*>(bytes), length);
    answer_ = tester ? tester(writes.back()) : DefaultAnswer(writes.back());
    transferred_ = length - std::min(length, short_write);
    return true;
  }
  bool Read(std::uint8_t* buffer, std::uint32_t size) override {
    op_ = kRead;
    log.push_back("read " + std::to_string(size));
    const std::string& data = answer_.has_data ? answer_.data : std::string();
    std::memcpy(buffer, data.data(), std::min<std::size_t>(size, data.size()));
    transferred_ = static_cast<std::uint32_t>(data.size());
    answer_.has_data = false;
    return true;
  }
  std::uint32_t ReplyEventValue() override { return 0xE7E7; }
  void ResetCompletionEvent() override {}
  void ResetReplyEvent() override {}
  testerlink::Wait WaitCompletion(std::uint32_t ms) override {
    log.push_back("completion-wait " + std::to_string(ms));
    auto it = completion.find(op_);
    return it == completion.end() ? testerlink::Wait::kSignalled : it->second;
  }
  testerlink::Wait WaitReply(std::uint32_t ms) override {
    log.push_back("reply-wait " + std::to_string(ms));
    if (answer_.silent_waits < 0) return testerlink::Wait::kTimedOut;
    if (answer_.silent_waits > 0) {
      --answer_.silent_waits;
      return testerlink::Wait::kTimedOut;
    }
    return testerlink::Wait::kSignalled;
  }
  bool CompletedBytes(std::uint32_t* bytes) override {
    if (completion_fails[op_]) return false;
    *bytes = op_ == kReply ? testerlink::kReplyBufferSize : transferred_;
    return true;
  }
  std::uint32_t LastError() override { return last_error[op_]; }
  void CancelIo() override {
    ++cancels;
    log.push_back("cancel");
  }
  void Pause(std::uint32_t ms) override {
    log.push_back("pause " + std::to_string(ms));
    if (on_pause) on_pause(ms);
  }
  void CloseAll() override { closed = true; }

 private:
  Op op_ = kNone;
  Answer answer_;
  std::uint32_t transferred_ = 0;
};

}  // namespace linktest
