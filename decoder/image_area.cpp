#include "decoder/image_area.h"

#include <algorithm>

#include "formats/config_records.h"

namespace decoder {

ImageArea::ImageArea(std::size_t capacity)
    : capacity_(capacity), data_(std::make_unique<std::uint8_t[]>(capacity)) {}

bool ImageArea::LoadFrom(std::FILE* file, std::size_t limit) {
  const std::size_t wanted = std::min(limit, capacity_);
  size_ = std::fread(data_.get(), 1, wanted, file);
  return std::ferror(file) == 0;
}

const std::uint8_t* ImageArea::Resolve(std::uint32_t link, std::size_t size) const {
  if (link == formats::kNoLink || link < base_) return nullptr;
  return At(static_cast<std::size_t>(link - base_), size);
}

}  // namespace decoder
