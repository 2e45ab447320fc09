// A fixed buffer holding one of the tester's memory images, and the resolution of the image's link
// values to records inside it. Every record handed out lies wholly inside the bytes actually
// loaded, so callers read its fields with the unchecked byte helpers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace decoder {

class ImageArea {
 public:
  // Allocates the fixed buffer once; loading never allocates.
  explicit ImageArea(std::size_t capacity);

  std::size_t capacity() const { return capacity_; }
  std::span<const std::uint8_t> loaded() const { return {data_.get(), size_}; }

  // Replaces the content with `bytes`, as many of them as the capacity holds.
  void Load(std::string_view bytes);

  // Link value v designates buffer offset v - base address (the tester address of the buffer's
  // first byte; 0 for images whose links are plain offsets).
  void set_base_address(std::uint32_t base) { base_ = base; }
  std::uint32_t base_address() const { return base_; }

  // The record of `size` bytes that `link` designates, or nullptr when the link names no record
  // or the record would not lie wholly inside the loaded bytes (also below the base address).
  const std::uint8_t* Resolve(std::uint32_t link, std::size_t size) const;

  // The record of `size` bytes at buffer offset `offset`, or nullptr when it does not fit.
  const std::uint8_t* At(std::size_t offset, std::size_t size) const {
    return offset <= size_ && size <= size_ - offset ? data_.get() + offset : nullptr;
  }

 private:
  std::size_t capacity_;
  std::unique_ptr<std::uint8_t[]> data_;
  std::size_t size_ = 0;
  std::uint32_t base_ = 0;
};

}  // namespace decoder
