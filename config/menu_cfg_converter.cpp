#include "config/menu_cfg_converter.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "config/hex_writer.h"
#include "config/menu_cfg_areas.h"
#include "formats/bytes.h"
#include "formats/config_records.h"
#include "formats/exchange_files.h"
#include "platform/file_replace.h"
#include "platform/message_box.h"
#include "platform/native_path.h"

namespace config {
namespace {

namespace hdr = formats::cfg_header;
namespace cfg = formats::cfg_record;
namespace ecu = formats::ecu_record;
namespace frm = formats::frame_record;
using formats::kNoLink;

constexpr char kCaption[] = "Quillink";
constexpr char kSourceMissingText[] =
    "Fichier de configuration absent (TransfertVersTR.zel)\n"
    "Config file not found (TransfertVersTR.zel)";
constexpr char kSourceInvalidText[] =
    "Fichier de configuration invalide (TransfertVersTR.zel)\n"
    "Invalid config file (TransfertVersTR.zel)";
constexpr char kImageWriteErrorText[] =
    "Erreur \xE9"
    "criture MenuCfg.h86\nWrite MenuCfg.h86 error";

// Codes of the 16 test labels of a configuration, by slot.
constexpr std::uint8_t kLabelCodes[MenuCfgConverter::kLabelSlots] = {
    31, 25, 26, 27, 28, 29, 30, 32, 33, 34, 35, 36, 37, 38, 39, 40};

// The source gives the L1 thresholds first; the record keeps them as L1/L2 pairs.
constexpr std::size_t kLevelThresholdOffsets[8] = {
    cfg::kSeuilMinRL1, cfg::kSeuilMaxRL1, cfg::kSeuilMinDL1, cfg::kSeuilMaxDL1,
    cfg::kSeuilMinRL2, cfg::kSeuilMaxRL2, cfg::kSeuilMinDL2, cfg::kSeuilMaxDL2};

bool IsTrimSpace(std::uint8_t c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Builds one ring of records in placement order through their next and previous link fields.
class RingBuilder {
 public:
  RingBuilder(std::uint8_t* base, std::size_t next, std::size_t prev)
      : base_(base), next_(next), prev_(prev) {}
  void Add(std::uint32_t record) {
    if (first_ == kNoLink) {
      first_ = record;
    } else {
      formats::WriteU32LE(base_ + last_ + next_, record);
      formats::WriteU32LE(base_ + record + prev_, last_);
    }
    last_ = record;
  }
  void Close() {
    if (first_ == kNoLink) return;
    formats::WriteU32LE(base_ + last_ + next_, first_);
    formats::WriteU32LE(base_ + first_ + prev_, last_);
  }

 private:
  std::uint8_t* base_;
  std::size_t next_, prev_;
  std::uint32_t first_ = kNoLink, last_ = kNoLink;
};

}  // namespace

MenuCfgConverter::MenuCfgConverter() : areas_(std::make_unique<Areas>()) {}
MenuCfgConverter::~MenuCfgConverter() = default;

void MenuCfgConverter::TrimText(std::uint8_t* field, std::size_t width) {
  const void* nul = std::memchr(field, 0, width);
  std::size_t end =
      nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - field) : width;
  std::size_t begin = 0;
  while (begin < end && IsTrimSpace(field[begin])) ++begin;
  std::size_t last = end;
  while (last > begin && IsTrimSpace(field[last - 1])) --last;
  if (begin == 0 && last == end) return;
  std::memmove(field, field + begin, last - begin);
  field[last - begin] = 0;  // there is room: at least one byte was removed
}

void MenuCfgConverter::Reset() {
  Areas& a = *areas_;
  std::memset(a.region1.data(), 0, hdr::kSize);
  std::memset(a.region1.data() + hdr::kSize, 0xFF, kArenaSize);
  a.region1_size = 0;
  a.string_table.fill(0xFF);
  a.menu_labels.fill(0);
  std::memset(a.outline.data(), 0, sizeof a.outline);
  a.outline_count = 0;
  a.label_blocks.fill(0);
  a.entries.fill(0);
  a.entry_count = 0;
}

std::uint8_t* MenuCfgConverter::RecordAt(std::uint32_t link, std::size_t size) {
  const Areas& a = *areas_;
  if (link < hdr::kSize || link > a.region1_size || a.region1_size - link < size) return nullptr;
  return areas_->region1.data() + link;
}

bool MenuCfgConverter::AllocateTree() {
  Areas& a = *areas_;
  // Size first: a tree larger than the image can carry is refused before anything is placed.
  std::uint64_t size = hdr::kSize;
  for (std::size_t i = 0; i < a.outline_count; ++i) {
    const CfgOutline& o = a.outline[i];
    size += cfg::kSize + std::uint64_t{o.ecu_count} * ecu::kSize;
    if (o.type == 1) {
      for (std::size_t j = 0; j < o.ecu_count; ++j) size += o.frame_counts[j] * frm::kSize;
    }
  }
  if (size > kMaxRegion1 || size > a.region1.size()) return false;

  std::uint8_t* base = a.region1.data();
  std::uint32_t cursor = hdr::kSize;
  RingBuilder configurations(base, cfg::kNext, cfg::kPrev);
  for (std::size_t i = 0; i < a.outline_count; ++i) {
    const CfgOutline& o = a.outline[i];
    const std::uint32_t record = cursor;
    cursor += cfg::kSize;
    configurations.Add(record);
    // The first ECU lies right behind its configuration; with none, the link names what follows.
    formats::WriteU32LE(base + record + cfg::kFirstEcu, cursor);
    RingBuilder units(base, ecu::kNext, ecu::kPrev);
    for (std::size_t j = 0; j < o.ecu_count; ++j) {
      const std::uint32_t unit = cursor;
      cursor += ecu::kSize;
      units.Add(unit);
      if (o.type != 1) continue;
      formats::WriteU32LE(base + unit + ecu::kFirstFrame, cursor);
      RingBuilder frames(base, frm::kNext, frm::kPrev);
      for (std::size_t k = 0; k < o.frame_counts[j]; ++k) {
        frames.Add(cursor);
        cursor += frm::kSize;
      }
      frames.Close();
    }
    units.Close();
  }
  configurations.Close();
  if (a.outline_count > 0) formats::WriteU32LE(base + hdr::kFirstCfg, hdr::kSize);
  a.region1_size = cursor;
  return true;
}

MenuCfgConverter::SourceResult MenuCfgConverter::ReadSource(SourceReader& source) {
  Reset();
  Areas& a = *areas_;
  std::uint8_t* strings = a.string_table.data();
  source.Read(strings + 200 * kStringWidth, 59 * kStringWidth);
  source.Read(strings + 0 * kStringWidth, 56 * kStringWidth);
  source.Read(strings + 100 * kStringWidth, 35 * kStringWidth);
  for (std::size_t k = 0; k < kStringSlots; ++k) TrimText(strings + k * kStringWidth, kStringWidth);
  source.Read(a.menu_labels.data(), a.menu_labels.size());

  source.ReadU8(&a.outline_count);
  for (std::size_t i = 0; i < a.outline_count; ++i) {
    CfgOutline& o = a.outline[i];
    std::uint8_t unused[2] = {0, 0};
    source.ReadU8(&o.type);
    source.ReadU8(&o.ecu_count);
    source.Read(unused, 2);
    o.unused = formats::ReadU16LE(unused);
    source.Read(o.frame_counts.data(), o.ecu_count);
  }
  if (!source.ok() || !AllocateTree()) return SourceResult::kInvalid;

  std::uint8_t* header = a.region1.data();
  source.Read(header + hdr::kFirstText, hdr::kTextWidth);
  TrimText(header + hdr::kFirstText, hdr::kTextWidth);
  source.Read(header + hdr::kNom, hdr::kTextWidth);
  source.Read(header + hdr::kNomCompl, hdr::kTextWidth);
  source.Read(header + hdr::kPassThrough, 6);
  source.ReadU8(header + hdr::kOption);
  source.ReadU8(header + hdr::kNbrRes);
  if (!source.ok()) return SourceResult::kInvalid;

  const std::uint8_t count = header[hdr::kNbrRes];
  if (count == 0) return SourceResult::kNoConfiguration;
  if (count != a.outline_count || count > kLabelBlocks) return SourceResult::kInvalid;
  std::uint32_t record = formats::ReadU32LE(header + hdr::kFirstCfg);
  for (std::size_t i = 0; i < count; ++i) {
    if (!ReadConfiguration(source, record, i)) return SourceResult::kInvalid;
    record = formats::ReadU32LE(a.region1.data() + record + cfg::kNext);
  }
  return SourceResult::kReady;
}

bool MenuCfgConverter::ReadConfiguration(SourceReader& source, std::uint32_t link,
                                         std::size_t index) {
  std::uint8_t* r = RecordAt(link, cfg::kSize);
  if (r == nullptr) return false;
  const CfgOutline& o = areas_->outline[index];
  std::uint8_t* labels = areas_->label_blocks.data() + index * kLabelSlots * kLabelSlotWidth;

  source.Read(r + cfg::kCfgNom, cfg::kNameWidth);
  source.Read(r + cfg::kCfgNomComp, cfg::kNameWidth);
  source.ReadU8(r + cfg::kCfgType);
  const bool type1 = r[cfg::kCfgType] == 1;
  if (!source.ok() || r[cfg::kCfgType] != o.type) return false;
  if (type1) source.Skip(9);
  source.Read(r + cfg::kPassThrough50, 2);
  source.Read(r + cfg::kSeuilMinTauxCharge, 4);  // both bus-load, then both error-rate thresholds
  source.ReadU8(r + cfg::kCfgNbrEcu);
  if (!source.ok() || r[cfg::kCfgNbrEcu] != o.ecu_count) return false;
  std::uint32_t unit = formats::ReadU32LE(r + cfg::kFirstEcu);
  for (std::size_t j = 0; j < o.ecu_count; ++j) {
    if (!ReadEcu(source, unit, type1, o.frame_counts[j])) return false;
    unit = formats::ReadU32LE(areas_->region1.data() + unit + ecu::kNext);
  }
  source.Skip(2);
  if (type1) {
    source.Read(r + cfg::kSeuilCcL1Vcc, 6);  // the six short-circuit thresholds
    source.Read(r + cfg::kSeuilCoL1L2, 4);
    source.Read(r + cfg::kSeuilBasRL1L2, 2);
    source.Read(r + cfg::kSeuilHautRL1L2, 2);
    source.Skip(19);
    for (std::size_t s = 0; s < 7; ++s) {
      source.Read(labels + s * kLabelSlotWidth, kLabelSlotWidth - 1);
      labels[s * kLabelSlotWidth + kLabelSlotWidth - 1] = kLabelCodes[s];
    }
    for (std::size_t offset : kLevelThresholdOffsets) source.ReadU8(r + offset);
    source.Read(r + cfg::kTitreVcc, cfg::kTitreVccWidth);
    source.Skip(10);
    for (std::size_t s = 7; s < kLabelSlots; ++s) {
      source.Read(labels + s * kLabelSlotWidth, kLabelSlotWidth - 1);
      labels[s * kLabelSlotWidth + kLabelSlotWidth - 1] = kLabelCodes[s];
    }
  }
  TrimText(r + cfg::kTitreVcc, cfg::kTitreVccWidth);
  TrimText(r + cfg::kCfgNom, cfg::kNameWidth);
  TrimText(r + cfg::kCfgNomComp, cfg::kNameWidth);
  return source.ok();
}

bool MenuCfgConverter::ReadEcu(SourceReader& source, std::uint32_t link, bool with_frames,
                               std::uint8_t outline_frames) {
  std::uint8_t* u = RecordAt(link, ecu::kSize);
  if (u == nullptr) return false;
  source.Read(u + ecu::kNom, ecu::kNomWidth);
  source.Skip(4);
  source.ReadU8(u + ecu::kNbMsg);
  if (!source.ok() || u[ecu::kNbMsg] != outline_frames) return false;
  std::uint32_t frame = with_frames ? formats::ReadU32LE(u + ecu::kFirstFrame) : kNoLink;
  for (std::size_t k = 0; k < outline_frames; ++k) {
    source.Skip(4);
    if (!with_frames) continue;
    std::uint8_t* f = RecordAt(frame, frm::kSize);
    if (f == nullptr) return false;
    source.Read(f + frm::kPass26, 2);
    source.Read(f + frm::kIdent, 4);
    source.Read(f + frm::kNom, frm::kNomWidth);
    source.ReadU8(f + frm::kPass24);
    source.ReadU8(f + frm::kPass25);
    source.ReadU8(f + frm::kPass30);
    source.ReadU8(f + frm::kPass31);
    TrimText(f + frm::kNom, frm::kNomWidth);
    frame = formats::ReadU32LE(f + frm::kNext);
  }
  TrimText(u + ecu::kNom, ecu::kNomWidth);
  return source.ok();
}

std::string MenuCfgConverter::ImageText() const {
  const Areas& a = *areas_;
  std::string text;
  HexWriter hex(&text);
  hex.WriteLine(":02000004000EEC");
  hex.WriteHexData(a.region1.data(), a.region1_size, 0);
  hex.WriteLine(":020000040008F2");
  std::uint32_t address = hex.WriteHexData(a.string_table.data(), a.string_table.size(), 2);
  std::uint8_t count[2];
  formats::WriteU16LE(count, a.entry_count);
  address = hex.WriteHexData(count, 2, address);

  hex.WritePagedData(a.entries.data(), std::uint32_t{a.entry_count} * formats::menu_entry::kSize,
                     address);

  // The marker word goes last, so that the tester sees it only once everything else is stored.
  hex.WriteLine(":020000040008F2");
  const std::uint8_t marker[2] = {0x4B, 0x00};
  hex.WriteHexData(marker, 2, 0);
  hex.WriteLine(":00000001FF");
  return text;
}

bool MenuCfgConverter::WriteImageFile() {
  if (platform::ReplaceFileContent(formats::kConfigurationImage, ImageText())) return true;
  // An earlier image is not what the user asked to send.
  std::remove(platform::NativePath(formats::kConfigurationImage).c_str());
  platform::ShowMessageBox(kImageWriteErrorText, kCaption, platform::BoxIcon::kNone);
  return false;
}

MenuCfgConverter::BuildResult MenuCfgConverter::BuildMenuCfg() {
  std::FILE* file = std::fopen(platform::NativePath(formats::kConfigurationSource).c_str(), "r+b");
  if (file == nullptr) {
    platform::ShowMessageBox(kSourceMissingText, kCaption, platform::BoxIcon::kNone);
    return BuildResult::kOldImageKept;
  }
  SourceReader source(file);
  const SourceResult result = ReadSource(source);
  std::fclose(file);
  if (result == SourceResult::kNoConfiguration) return BuildResult::kOldImageKept;
  if (result == SourceResult::kInvalid) {
    // An earlier image is not what the user asked to send either.
    std::remove(platform::NativePath(formats::kConfigurationImage).c_str());
    platform::ShowMessageBox(kSourceInvalidText, kCaption, platform::BoxIcon::kNone);
    return BuildResult::kNoImage;
  }
  BuildMenuTree();
  return WriteImageFile() ? BuildResult::kWritten : BuildResult::kNoImage;
}

std::span<const std::uint8_t> MenuCfgConverter::Region1() const {
  return {areas_->region1.data(), areas_->region1_size};
}
std::span<const std::uint8_t> MenuCfgConverter::StringTable() const { return areas_->string_table; }
std::span<const std::uint8_t> MenuCfgConverter::MenuLabels() const { return areas_->menu_labels; }
std::span<const std::uint8_t> MenuCfgConverter::LabelBlock(std::size_t index) const {
  constexpr std::size_t kBlock = kLabelSlots * kLabelSlotWidth;
  if (index >= kLabelBlocks) return {};
  return {areas_->label_blocks.data() + index * kBlock, kBlock};
}
std::span<const std::uint8_t> MenuCfgConverter::MenuEntries() const {
  return {areas_->entries.data(), std::size_t{areas_->entry_count} * formats::menu_entry::kSize};
}
std::uint16_t MenuCfgConverter::EntryCount() const { return areas_->entry_count; }

}  // namespace config
