// MenuCfgConverter: turns the configuration source "TransfertVersTR.zel" into the Intel HEX image
// ".\MenuCfg.h86" that mode ECRITURE sends to the tester. It reads the source into a configuration
// tree (header and arena, region 1 of the image), builds the tester's menu table from the first
// configuration, and writes region 1, the string table, the entry count and the entry table.
//
// All trees live in fixed areas allocated once with the converter; records are placed by
// advancing a cursor. Links are kept in their tester form from the start (byte offsets from the
// configuration header, or 70 x the target entry's index), so the tree in memory is the image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "config/source_reader.h"

namespace config {

class MenuCfgConverter {
 public:
  static constexpr std::size_t kStringSlots = 300;
  static constexpr std::size_t kStringWidth = 22;
  static constexpr std::size_t kMenuLabelCount = 36;
  static constexpr std::size_t kMenuLabelWidth = 20;
  static constexpr std::size_t kLabelBlocks = 100;
  static constexpr std::size_t kLabelSlots = 16;
  static constexpr std::size_t kLabelSlotWidth = 20;  // 19 text bytes, then the label's code
  static constexpr std::size_t kArenaSize = 400000;
  static constexpr std::size_t kMaxEntries = 4999;
  static constexpr std::size_t kMaxRegion1 = 65536;  // the image has no address record inside it

  // What reading a source came to.
  enum class SourceResult {
    kReady,            // the trees are filled; the image can be built
    kNoConfiguration,  // the source holds no configuration (K = 0): nothing to write
    kInvalid,          // the source breaks the model or is shorter than its contents
  };

  // All state zero, as the tool starts.
  MenuCfgConverter();
  ~MenuCfgConverter();
  MenuCfgConverter(const MenuCfgConverter&) = delete;
  MenuCfgConverter& operator=(const MenuCfgConverter&) = delete;

  // What a whole conversion came to, for the send that follows it.
  enum class BuildResult {
    kWritten,       // ".\MenuCfg.h86" now holds the image of "TransfertVersTR.zel"
    kOldImageKept,  // no source (with its box) or no configuration (silently): an earlier image
                    // stays and may be sent
    kNoImage,       // invalid source or an image that could not be written (with its box):
                    // whatever stands under the name is not this run's image and must not be sent
  };

  // The whole conversion in the current directory. The image goes to a temporary beside it and
  // replaces the old one only once complete; after kNoImage an old image is removed where it can
  // be.
  BuildResult BuildMenuCfg();

  // Trims white space from both ends of a text field of `width` bytes in place. When anything is
  // removed, the rest and one NUL go to the start of the field and the bytes behind stay as they
  // were; a field without white space at either end is left untouched.
  static void TrimText(std::uint8_t* field, std::size_t width);

  // The steps of BuildMenuCfg, for tests, the fuzz target and the benchmark.
  // Reads a source into the configuration tree (all state reset first).
  SourceResult ReadSource(SourceReader& source);
  // Builds the menu table from the tree that ReadSource left (only after kReady).
  void BuildMenuTree();
  // The image of the trees as Intel HEX text.
  std::string ImageText() const;

  // The trees as the image holds them.
  std::span<const std::uint8_t> Region1() const;      // header and arena up to the cursor
  std::span<const std::uint8_t> StringTable() const;  // 300 slots of 22 bytes
  std::span<const std::uint8_t> MenuLabels() const;   // 36 labels of 20 bytes, untrimmed
  std::span<const std::uint8_t> LabelBlock(std::size_t index) const;  // 16 slots of 20 bytes
  std::span<const std::uint8_t> MenuEntries() const;  // EntryCount() entries of 70 bytes
  std::uint16_t EntryCount() const;

 private:
  struct Areas;

  void Reset();
  bool AllocateTree();
  bool ReadConfiguration(SourceReader& source, std::uint32_t record, std::size_t index);
  bool ReadEcu(SourceReader& source, std::uint32_t record, bool with_frames,
               std::uint8_t outline_frames);
  std::uint8_t* RecordAt(std::uint32_t link, std::size_t size);
  bool WriteImageFile();

  std::unique_ptr<Areas> areas_;
};

}  // namespace config
