#include "sim/tester_state.h"

#include <algorithm>
#include <cstring>

#include "formats/bytes.h"
#include "formats/memory_map.h"
#include "formats/version_record_format.h"

namespace sim {
namespace {

// File layout (little-endian): magic, info length + formats::kInfoCapacity bytes, latency, fault
// count + values, name length + text, trace path length + text, page count + pages (index,
// kPageSize bytes). Pages not stored are all 0xFF.
constexpr char kMagic[8] = {'Q', 'K', 'S', 'I', 'M', 'S', 'T', '1'};
constexpr std::uint32_t kPageSize = 4096;
constexpr std::uint32_t kPageCount = formats::kMemorySize / kPageSize;
constexpr std::uint32_t kMaxNameLength = 255;
constexpr std::uint32_t kMaxTracePathLength = 4096;

class Writer {
 public:
  void Bytes(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    out_.insert(out_.end(), p, p + size);
  }
  void U32(std::uint32_t v) {
    std::uint8_t b[4];
    formats::WriteU32LE(b, v);
    Bytes(b, 4);
  }
  void Text(const std::string& text) {
    U32(static_cast<std::uint32_t>(text.size()));
    Bytes(text.data(), text.size());
  }
  std::vector<std::uint8_t> Take() { return std::move(out_); }

 private:
  std::vector<std::uint8_t> out_;
};

// Sticky reader: once a read would pass the end, every later read fails too.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool ok() const { return ok_; }
  bool AtEnd() const { return ok_ && pos_ == bytes_.size(); }
  const std::uint8_t* Take(std::size_t size) {
    if (!ok_ || bytes_.size() - pos_ < size) {
      ok_ = false;
      return nullptr;
    }
    const std::uint8_t* p = bytes_.data() + pos_;
    pos_ += size;
    return p;
  }
  std::uint32_t U32() {
    const std::uint8_t* p = Take(4);
    return p ? formats::ReadU32LE(p) : 0;
  }
  bool Text(std::uint32_t max_length, std::string* text) {
    std::uint32_t length = U32();
    if (!ok_ || length > max_length) return ok_ = false;
    const std::uint8_t* p = Take(length);
    if (p) text->assign(reinterpret_cast<const char*>(p), length);
    return ok_;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

bool Refuse(std::string* error, const char* reason) {
  *error = reason;
  return false;
}

}  // namespace

TesterState NewTesterState(const Identity& identity) {
  TesterState state;
  state.memory.assign(formats::kMemorySize, 0xFF);
  state.info.assign(formats::kDefaultInfoLength, 0);
  std::size_t n = std::min<std::size_t>(identity.text.size(), formats::kIdentityWidth);
  std::memcpy(state.info.data() + formats::kIdentityOffset, identity.text.data(), n);
  state.info[formats::kMajorOffset] = identity.major;
  state.info[formats::kMinorOffset] = identity.minor;
  formats::WriteU16LE(state.info.data() + formats::kCapabilitiesOffset, identity.capabilities);
  SetResultsArea(&state, formats::kResultsAddress, 0);
  SetAcquisitionArea(&state, formats::kAcquisitionAddress,
                     static_cast<std::uint16_t>(formats::kAcquisitionSize));
  return state;
}

std::vector<std::uint8_t> SerializeState(const TesterState& state) {
  Writer w;
  w.Bytes(kMagic, sizeof kMagic);
  std::vector<std::uint8_t> info(formats::kInfoCapacity, 0);
  std::size_t info_length = std::min<std::size_t>(state.info.size(), formats::kInfoCapacity);
  std::copy_n(state.info.begin(), info_length, info.begin());
  w.U32(static_cast<std::uint32_t>(info_length));
  w.Bytes(info.data(), info.size());
  w.U32(state.latency_ms);
  w.U32(static_cast<std::uint32_t>(kFaultCount));
  for (std::uint32_t v : state.faults) w.U32(v);
  w.Text(state.name_text.substr(0, kMaxNameLength));
  w.Text(state.trace_path.substr(0, kMaxTracePathLength));

  std::vector<std::uint32_t> pages;
  for (std::uint32_t p = 0; p < kPageCount && (p + 1) * kPageSize <= state.memory.size(); ++p) {
    const std::uint8_t* page = state.memory.data() + p * kPageSize;
    if (std::any_of(page, page + kPageSize, [](std::uint8_t b) { return b != 0xFF; })) {
      pages.push_back(p);
    }
  }
  w.U32(static_cast<std::uint32_t>(pages.size()));
  for (std::uint32_t p : pages) {
    w.U32(p);
    w.Bytes(state.memory.data() + p * kPageSize, kPageSize);
  }
  return w.Take();
}

bool ParseState(std::span<const std::uint8_t> bytes, TesterState* state, std::string* error) {
  Reader r(bytes);
  const std::uint8_t* magic = r.Take(sizeof kMagic);
  if (!magic || std::memcmp(magic, kMagic, sizeof kMagic) != 0) {
    return Refuse(error, "not a simulated tester state file (wrong magic)");
  }
  TesterState s;
  std::uint32_t info_length = r.U32();
  const std::uint8_t* info = r.Take(formats::kInfoCapacity);
  if (!r.ok() || info_length > formats::kInfoCapacity)
    return Refuse(error, "damaged information reply");
  s.info.assign(info, info + info_length);
  s.latency_ms = r.U32();
  if (r.U32() != kFaultCount || !r.ok()) return Refuse(error, "damaged fault table");
  for (std::uint32_t& v : s.faults) v = r.U32();
  if (!r.Text(kMaxNameLength, &s.name_text) || !r.Text(kMaxTracePathLength, &s.trace_path)) {
    return Refuse(error, "damaged name or trace path");
  }
  s.memory.assign(formats::kMemorySize, 0xFF);
  std::uint32_t page_count = r.U32();
  if (!r.ok() || page_count > kPageCount) return Refuse(error, "damaged memory page count");
  std::int64_t last = -1;
  for (std::uint32_t i = 0; i < page_count; ++i) {
    std::uint32_t index = r.U32();
    const std::uint8_t* page = r.Take(kPageSize);
    if (!page || index >= kPageCount || index <= last) return Refuse(error, "damaged memory page");
    std::memcpy(s.memory.data() + index * kPageSize, page, kPageSize);
    last = index;
  }
  if (!r.AtEnd()) return Refuse(error, "unexpected bytes after the memory pages");
  *state = std::move(s);
  return true;
}

void SetResultsArea(TesterState* state, std::uint32_t address, std::uint32_t length) {
  if (state->info.size() < formats::kVersionRecordSize) {
    state->info.resize(formats::kVersionRecordSize, 0);
  }
  formats::WriteU32LE(state->info.data() + formats::kResultsAddressOffset, address);
  formats::WriteU32LE(state->info.data() + formats::kResultsLengthOffset, length);
}

void SetAcquisitionArea(TesterState* state, std::uint32_t address, std::uint16_t length) {
  if (state->info.size() < formats::kVersionRecordSize) {
    state->info.resize(formats::kVersionRecordSize, 0);
  }
  formats::WriteU32LE(state->info.data() + formats::kAcquisitionAddressOffset, address);
  formats::WriteU16LE(state->info.data() + formats::kAcquisitionLengthOffset, length);
}

}  // namespace sim
