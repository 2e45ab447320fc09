#include "decoder/image_area.h"

#include <algorithm>

#include "formats/config_records.h"

namespace decoder {

ImageArea::ImageArea(std::size_t capacity)
    : capacity_(capacity), data_(std::make_unique<std::uint8_t[]>(capacity)) {}

void ImageArea::Load(std::string_view bytes) {
  size_ = std::min(bytes.size(), capacity_);
  std::copy_n(bytes.data(), size_, data_.get());
}

const std::uint8_t* ImageArea::Resolve(std::uint32_t link, std::size_t size) const {
  if (link == formats::kNoLink || link < base_) return nullptr;
  return At(static_cast<std::size_t>(link - base_), size);
}

}  // namespace decoder
