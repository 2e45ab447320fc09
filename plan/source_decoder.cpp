#include "plan/source_decoder.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "plan/plan_limits.h"

namespace plan {
namespace {

// Sequential reads that stop at the first one the file cannot satisfy and say where.
class Cursor {
 public:
  explicit Cursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool Take(std::uint8_t* out, std::size_t count, const char* what) {
    if (failed_) return false;
    if (bytes_.size() - at_ < count) {
      Fail(bytes_.size(), "the file ends inside " + std::string(what) + " (byte " +
                              std::to_string(at_) + ", " + std::to_string(count) +
                              " bytes needed, " + std::to_string(bytes_.size() - at_) + " left)");
      return false;
    }
    if (count > 0) std::memcpy(out, bytes_.data() + at_, count);  // `out` may be null then
    at_ += count;
    return true;
  }
  template <std::size_t N>
  bool Take(Field<N>& field, const char* what) {
    return Take(field.data(), N, what);
  }
  bool U8(std::uint8_t* v, const char* what) { return Take(v, 1, what); }
  bool U16(std::uint16_t* v, const char* what) {
    std::uint8_t b[2] = {};
    if (!Take(b, 2, what)) return false;
    *v = std::uint16_t(b[0] | b[1] << 8);
    return true;
  }
  bool U32(std::uint32_t* v, const char* what) {
    std::uint8_t b[4] = {};
    if (!Take(b, 4, what)) return false;
    *v = std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
         std::uint32_t(b[3]) << 24;
    return true;
  }
  void Fail(std::size_t offset, std::string message) {
    if (failed_) return;
    failed_ = true;
    error_ = {offset, std::move(message)};
  }
  std::size_t at() const { return at_; }
  bool failed() const { return failed_; }
  const DecodeError& error() const { return error_; }
  std::span<const std::uint8_t> rest() const { return bytes_.subspan(at_); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
  bool failed_ = false;
  DecodeError error_;
};

struct Outline {
  std::uint8_t type = 0;
  Field<2> unused{};
  std::vector<std::uint8_t> frame_counts;
  std::size_t offset = 0;
};

std::string Number(std::size_t n) { return std::to_string(n); }

}  // namespace

bool DecodeSource(std::span<const std::uint8_t> bytes, Plan* out, DecodeError* error) {
  *out = Plan{};
  Cursor in(bytes);
  for (auto& message : out->messages) in.Take(message, "the message texts");
  for (auto& label : out->menu_labels) in.Take(label, "the menu labels");

  std::uint8_t outline_count = 0;
  const std::size_t outline_at = in.at();
  in.U8(&outline_count, "the outline");
  std::vector<Outline> outline(outline_count);
  for (Outline& o : outline) {
    o.offset = in.at();
    std::uint8_t ecus = 0;
    in.U8(&o.type, "the outline");
    in.U8(&ecus, "the outline");
    in.Take(o.unused, "the outline");
    o.frame_counts.resize(ecus);
    in.Take(o.frame_counts.data(), ecus, "the outline");
  }
  // The builder places the whole tree from the outline before it reads further.
  if (!in.failed()) {
    std::uint64_t size = 74;
    for (const Outline& o : outline) {
      size += 114 + 32 * o.frame_counts.size();
      if (o.type != 1) continue;
      for (std::uint8_t m : o.frame_counts) size += 40 * m;
    }
    if (size > kMaxTreeSize) {
      in.Fail(outline_at, "the outline asks for a configuration tree of " + Number(size) +
                              " bytes; the tester's configuration area holds 65536");
    }
  }

  in.Take(out->first_text, "the installation header");
  in.Take(out->name, "the installation header");
  in.Take(out->full_name, "the installation header");
  in.Take(out->header_passed, "the installation header");
  in.U8(&out->option, "the installation header");
  std::uint8_t count = 0;
  const std::size_t count_at = in.at();
  in.U8(&count, "the installation header");
  if (!in.failed()) {
    if (count == 0) {
      in.Fail(count_at, "the configuration count is 0: Quillink builds no image from this source");
    } else if (count != outline_count) {
      in.Fail(count_at, "the configuration count is " + Number(count) + " but the outline lists " +
                            Number(outline_count));
    } else if (count > kMaxConfigurations) {
      in.Fail(count_at, Number(count) + " configurations: at most 100");
    }
  }

  out->configurations.resize(in.failed() ? 0 : count);
  for (std::size_t i = 0; i < out->configurations.size() && !in.failed(); ++i) {
    Configuration& c = out->configurations[i];
    const Outline& o = outline[i];
    const std::string which = "configuration " + Number(i);
    in.Take(c.name, "a configuration block");
    in.Take(c.complement, "a configuration block");
    const std::size_t type_at = in.at();
    in.U8(&c.type, "a configuration block");
    if (!in.failed() && c.type != o.type) {
      in.Fail(type_at, which + " has type " + Number(c.type) + " but the outline gives type " +
                           Number(o.type));
    }
    const bool type1 = c.type == 1;
    c.outline_unused = o.unused;
    if (type1) in.Take(c.skipped_after_type, "a configuration block");
    in.Take(c.passed_50, "a configuration block");
    in.U8(&c.bus_load_min, "a configuration block");
    in.U8(&c.bus_load_max, "a configuration block");
    in.U8(&c.error_rate_min, "a configuration block");
    in.U8(&c.error_rate_max, "a configuration block");
    std::uint8_t ecus = 0;
    const std::size_t ecus_at = in.at();
    in.U8(&ecus, "a configuration block");
    if (!in.failed() && ecus != o.frame_counts.size()) {
      in.Fail(ecus_at, which + " has " + Number(ecus) + " ECUs but the outline gives " +
                           Number(o.frame_counts.size()));
    }
    c.ecus.resize(in.failed() ? 0 : ecus);
    for (std::size_t j = 0; j < c.ecus.size() && !in.failed(); ++j) {
      Ecu& u = c.ecus[j];
      in.Take(u.name, "an ECU block");
      in.Take(u.skipped, "an ECU block");
      std::uint8_t frames = 0;
      const std::size_t frames_at = in.at();
      in.U8(&frames, "an ECU block");
      if (!in.failed() && frames != o.frame_counts[j]) {
        in.Fail(frames_at, which + ", ECU " + Number(j) + " has " + Number(frames) +
                               " frames but the outline gives " + Number(o.frame_counts[j]));
      }
      u.frames.resize(in.failed() ? 0 : frames);
      for (Frame& f : u.frames) {
        in.Take(f.skipped, "a frame block");
        if (!type1) continue;
        in.Take(f.passed.data(), 2, "a frame block");
        in.U32(&f.identifier, "a frame block");
        in.Take(f.name, "a frame block");
        in.Take(f.passed.data() + 2, 4, "a frame block");
      }
    }
    in.Take(c.skipped_after_ecus, "a configuration block");
    if (!type1) continue;
    in.Take(c.short_circuit.data(), kShortCircuitCount, "a configuration block");
    in.U32(&c.open_circuit, "a configuration block");
    in.U16(&c.loop_low, "a configuration block");
    in.U16(&c.loop_high, "a configuration block");
    in.Take(c.skipped_before_titles, "a configuration block");
    for (auto& title : c.wiring_titles) in.Take(title, "the wiring-test titles");
    in.Take(c.levels.data(), kLevelCount, "the level thresholds");
    in.Take(c.vcc_title, "a configuration block");
    in.Take(c.skipped_after_vcc, "a configuration block");
    for (auto& title : c.signal_titles) in.Take(title, "the signal-test titles");
  }
  if (in.failed()) {
    *error = in.error();
    *out = Plan{};
    return false;
  }
  out->trailing.assign(in.rest().begin(), in.rest().end());
  return true;
}

}  // namespace plan
