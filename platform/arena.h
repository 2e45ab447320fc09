// Memory handed out in pieces from blocks that never move. Each block is twice the size of the one
// before (up to a limit), so a document of any size needs few blocks and the unused pages of a
// large block cost nothing; Reset keeps the blocks for the next use.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace platform {

class Arena {
 public:
  Arena() = default;
  // A moved-from arena is empty and usable, never pointing into the blocks it gave away.
  Arena(Arena&& other) noexcept { *this = std::move(other); }
  Arena& operator=(Arena&& other) noexcept {
    blocks_ = std::exchange(other.blocks_, {});
    current_ = std::exchange(other.current_, kNoBlock);
    free_ = std::exchange(other.free_, nullptr);
    left_ = std::exchange(other.left_, 0);
    return *this;
  }

  // Room for `size` bytes aligned to `align` (a power of two, at most 16); never null. The last
  // byte of each block stays unused, so that pieces of two blocks never touch.
  char* Allocate(std::size_t size, std::size_t align = 1) {
    std::size_t pad = Padding(free_, align);
    if (left_ < pad + size + 1) {
      NextBlock(size);
      pad = Padding(free_, align);
    }
    char* at = free_ + pad;
    free_ += pad + size;
    left_ -= pad + size;
    return at;
  }

  // Forgets every piece; the blocks are used again from the first.
  void Reset() {
    current_ = kNoBlock;
    free_ = nullptr;
    left_ = 0;
  }

 private:
  static constexpr std::size_t kFirstBlock = 4 * 1024;
  static constexpr std::size_t kLargestBlock = 4 * 1024 * 1024;
  static constexpr std::size_t kNoBlock = static_cast<std::size_t>(-1);

  struct Block {
    std::unique_ptr<char[]> bytes;
    std::size_t size;
  };

  static std::size_t Padding(const char* at, std::size_t align) {
    return (0 - reinterpret_cast<std::uintptr_t>(at)) & (align - 1);
  }

  // Moves to the next kept block that holds `size` bytes, or to a new block after the last.
  void NextBlock(std::size_t size) {
    std::size_t needed = size + 16;
    while (++current_ < blocks_.size() && blocks_[current_].size < needed) {
    }
    if (current_ >= blocks_.size()) {
      std::size_t block_size = blocks_.empty() ? kFirstBlock : 2 * blocks_.back().size;
      block_size = std::max(std::min(block_size, kLargestBlock), needed);
      blocks_.push_back(Block{std::make_unique_for_overwrite<char[]>(block_size), block_size});
      current_ = blocks_.size() - 1;
    }
    free_ = blocks_[current_].bytes.get();
    left_ = blocks_[current_].size;
  }

  std::vector<Block> blocks_;
  std::size_t current_ = kNoBlock;
  char* free_ = nullptr;
  std::size_t left_ = 0;
};

}  // namespace platform
