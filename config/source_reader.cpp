#include "config/source_reader.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace config {

bool SourceReader::Read(std::uint8_t* out, std::size_t count) {
  if (!ok_) return false;
  std::size_t got = 0;
  if (file_ != nullptr) {
    got = std::fread(out, 1, count, file_);
  } else {
    got = std::min(count, bytes_.size() - position_);
    if (got > 0) std::memcpy(out, bytes_.data() + position_, got);
    position_ += got;
  }
  ok_ = got == count;
  return ok_;
}

bool SourceReader::Skip(std::size_t count) {
  // Skips are a few bytes at most; reading them keeps a short file detectable (fseek is not).
  std::array<std::uint8_t, 32> scratch;
  while (count > 0 && ok_) {
    std::size_t part = std::min(count, scratch.size());
    Read(scratch.data(), part);
    count -= part;
  }
  return ok_;
}

}  // namespace config
