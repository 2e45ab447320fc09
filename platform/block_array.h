// An array that grows by whole blocks, each twice the size of the one before: items never move,
// growing copies nothing and indexing stays a few instructions.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace platform {

template <typename T, std::uint32_t kFirstBlock>
class BlockArray {
  static_assert(std::has_single_bit(kFirstBlock), "a power of two");

 public:
  BlockArray() = default;
  // A moved-from array is empty and usable.
  BlockArray(BlockArray&& other) noexcept { *this = std::move(other); }
  BlockArray& operator=(BlockArray&& other) noexcept {
    blocks_ = std::exchange(other.blocks_, {});
    size_ = std::exchange(other.size_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
    return *this;
  }

  std::uint32_t size() const { return size_; }
  // Empties the array; its blocks are kept for the items that follow.
  void clear() { size_ = 0; }
  T& operator[](std::uint32_t i) { return At(i); }
  const T& operator[](std::uint32_t i) const { return const_cast<BlockArray*>(this)->At(i); }

  T& push_back(const T& item) {
    if (size_ == capacity_) {
      std::uint32_t block_size = kFirstBlock << blocks_.size();
      blocks_.push_back(std::make_unique_for_overwrite<T[]>(block_size));
      capacity_ += block_size;
    }
    T& slot = At(size_);
    slot = item;
    ++size_;
    return slot;
  }

 private:
  // Block b holds the items from kFirstBlock * (2^b - 1) on: counted from kFirstBlock, item i is
  // in the block of the highest bit of i + kFirstBlock.
  T& At(std::uint32_t i) {
    std::uint64_t shifted = std::uint64_t{i} + kFirstBlock;
    int top = std::bit_width(shifted) - 1;
    int block = top - kFirstBit;
    return blocks_[block][shifted - (std::uint64_t{1} << top)];
  }

  static constexpr int kFirstBit = std::bit_width(kFirstBlock) - 1;

  std::vector<std::unique_ptr<T[]>> blocks_;
  std::uint32_t size_ = 0;
  std::uint32_t capacity_ = 0;
};

}  // namespace platform
