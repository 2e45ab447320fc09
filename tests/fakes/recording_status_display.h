// A status display that records every call, for tests of code that reports progress.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "tool/status_display.h"

namespace fakes {

class RecordingStatusDisplay final : public tool::StatusDisplay {
 public:
  struct Call {
    enum Kind { kStatus, kRange, kPos } kind;
    std::string text;            // kStatus
    std::uint16_t a = 0, b = 0;  // kRange: low, high; kPos: position in a
  };

  void ShowStatus(const std::string& text) override { Add({Call::kStatus, text}); }
  void SetProgressRange(std::uint16_t low, std::uint16_t high) override {
    Add({Call::kRange, {}, low, high});
  }
  void SetProgressPos(std::uint16_t position) override { Add({Call::kPos, {}, position}); }

  std::vector<Call> calls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
  }
  // The status texts shown, in order.
  std::vector<std::string> statuses() const {
    std::vector<std::string> texts;
    for (const Call& c : calls()) {
      if (c.kind == Call::kStatus) texts.push_back(c.text);
    }
    return texts;
  }

 private:
  void Add(Call call) {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(std::move(call));
  }
  mutable std::mutex mutex_;
  std::vector<Call> calls_;
};

}  // namespace fakes
