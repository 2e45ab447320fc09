#include "decoder/result_decoder.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <iterator>
#include <utility>

#include "formats/bytes.h"
#include "formats/config_records.h"
#include "formats/exchange_files.h"
#include "formats/result_records.h"
#include "formats/tr_ini_format.h"
#include "platform/error_text.h"
#include "platform/message_box.h"
#include "platform/native_path.h"
#include "tool/version_record.h"

namespace decoder {
namespace {

using formats::ReadU16LE;
using formats::ReadU32LE;
using formats::results_log::Form;
using formats::results_log::KeyRow;
using formats::results_log::Only;
using formats::results_log::Source;
namespace cfgh = formats::cfg_header;
namespace cfgr = formats::cfg_record;
namespace ecur = formats::ecu_record;
namespace frm = formats::frame_record;
namespace menu = formats::menu_entry;
namespace res = formats::result_record;
namespace ecures = formats::ecu_result_record;
namespace rl = formats::results_log;

constexpr std::size_t kResultBaseOffset =
    formats::kResultsAddressOffset;  // tester address of ResBin byte 0
constexpr std::size_t kMenuRootOffset = 21 * menu::kSize;
constexpr std::size_t kAcqCapacity = 131070;

const char kCaption[] = "Quillink";
const char kInconsistentText[] =
    "Donn\xE9"
    "es du testeur incoh\xE9"
    "rentes (Results.log non cr\xE9\xE9)\n"
    "Tester data inconsistent (Results.log not created)";

// The bytes of the record a row reads; the decoder only hands out records of that many bytes.
constexpr std::size_t RecordSize(Source source) {
  switch (source) {
    case Source::kCfgHeader:
      return cfgh::kSize;
    case Source::kCfgRecord:
      return cfgr::kSize;
    case Source::kEcuRecord:
      return ecur::kSize;
    case Source::kFrameRecord:
      return frm::kSize;
    case Source::kResultRecord:
      return res::kUsedSize;
    case Source::kEcuResultRecord:
      return ecures::kUsedSize;
    default:
      return 0;
  }
}

// Every row reads inside its record, as a number of 1, 2 or 4 bytes or as a text, so that the
// fields can be read with the unchecked byte helpers.
consteval bool RowsFit(std::span<const KeyRow> table) {
  for (const KeyRow& row : table) {
    const std::size_t size = RecordSize(row.source);
    if (size == 0) continue;
    if (row.offset + row.width > size) return false;
    if (row.written != Form::kText && row.width != 1 && row.width != 2 && row.width != 4) {
      return false;
    }
    if (row.bit != rl::kWholeValue && (row.width != 1 || row.bit < 0 || row.bit > 7)) return false;
  }
  return true;
}
static_assert(RowsFit(rl::kConfigurationKeys) && RowsFit(rl::kConfigKeys) &&
              RowsFit(rl::kTestsRunKeys) && RowsFit(rl::kVerdictKeys) && RowsFit(rl::kEcuKeys) &&
              RowsFit(rl::kFrameKeys) && RowsFit(rl::kWiringKeys) && RowsFit(rl::kSignalKeys) &&
              RowsFit(rl::kEcuSignalKeys) && RowsFit(rl::kScreeningKeys) &&
              RowsFit(rl::kLengthKeys));

// The rows of `table` written for a configuration of any type.
consteval std::size_t RowsForAnyType(std::span<const KeyRow> table) {
  std::size_t rows = 0;
  for (const KeyRow& row : table) rows += row.only == Only::kAny ? 1 : 0;
  return rows;
}

// The conversion date, "%d%m%Y_%Hh%Mm%S" in local time; empty when the time cannot be formatted.
std::string ConversionDate() {
  std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  char text[32];
  if (local == nullptr) return std::string();
  std::size_t n = std::strftime(text, sizeof text, "%d%m%Y_%Hh%Mm%S", local);
  return std::string(text, n);
}

// Opens `name` in the current directory for binary reading and loads it into `area`.
bool LoadFile(const char* name, ImageArea& area, std::size_t limit) {
  std::FILE* file = std::fopen(platform::NativePath(name).c_str(), "rb");
  if (file == nullptr) return false;
  bool ok = area.LoadFrom(file, limit);
  std::fclose(file);
  return ok;
}

// Appends the upper-case hexadecimal digits of `value`, at least `width` of them.
void AppendHex(std::string& out, std::uint32_t value, int width) {
  char digits[8];
  auto end = std::to_chars(digits, digits + sizeof digits, value, 16).ptr;
  for (int pad = width - static_cast<int>(end - digits); pad > 0; --pad) out += '0';
  for (const char* p = digits; p != end; ++p) {
    out += (*p >= 'a') ? static_cast<char>(*p - 'a' + 'A') : *p;
  }
}

// A text field: its bytes up to the first NUL or the field's end.
void AssignText(std::string& out, const std::uint8_t* text, std::size_t width) {
  const std::uint8_t* end = std::find(text, text + width, std::uint8_t{0});
  out.assign(reinterpret_cast<const char*>(text), static_cast<std::size_t>(end - text));
}

bool Bit(std::uint8_t byte, unsigned bit) { return (byte >> bit) & 1u; }

}  // namespace

ResultDecoder::ResultDecoder(tool::ProfileWriter& writer, tool::StatusDisplay& display)
    : writer_(writer),
      display_(display),
      res_(kImageLimit + 1),
      cfg_(kImageLimit + 1),
      menu_(kMenuMaxEntries * menu::kSize),
      acq_(kAcqCapacity) {
  section_.reserve(64);
  key_.reserve(32);
  value_.reserve(64);
}

bool ResultDecoder::LoadImages() {
  refusal_.clear();
  // Names the file that failed, for refusal().
  const auto failed = [this](const char* name) {
    refusal_ = std::string(name) + " cannot be read";
    return false;
  };
  std::FILE* file = std::fopen(platform::NativePath(formats::kVersionFile).c_str(), "rb");
  if (file == nullptr) return failed(formats::kVersionFile);
  version_.fill(0);  // a short record reads as zeros
  (void)std::fread(version_.data(), 1, version_.size(), file);
  bool ok = std::ferror(file) == 0;
  std::fclose(file);
  if (!ok) return failed(formats::kVersionFile);
  res_.set_base_address(ReadU32LE(version_.data() + kResultBaseOffset));

  if (!LoadFile(formats::kResultsImage, res_, kImageLimit)) return failed(formats::kResultsImage);

  file = std::fopen(platform::NativePath(formats::kMenuImage).c_str(), "rb");
  if (file == nullptr) return failed(formats::kMenuImage);
  std::uint8_t count_bytes[2] = {0, 0};
  std::size_t count_read = std::fread(count_bytes, 1, 2, file);
  std::size_t count = count_read == 2 ? ReadU16LE(count_bytes) : 0;
  ok = std::ferror(file) == 0 &&
       menu_.LoadFrom(file, std::min(count, kMenuMaxEntries) * menu::kSize);
  std::fclose(file);
  if (!ok) return failed(formats::kMenuImage);

  if (!LoadFile(formats::kConfigurationAreaImage, cfg_, kImageLimit)) {
    return failed(formats::kConfigurationAreaImage);
  }
  if (!LoadFile(formats::kAcquisitionImage, acq_, kImageLimit)) {
    return failed(formats::kAcquisitionImage);
  }
  return true;
}

bool ResultDecoder::CheckImages(std::uint64_t* keys) {
  Decode(Mode::kCheck);
  if (keys != nullptr) *keys = keys_;
  return consistent_;
}

bool ResultDecoder::Convert() {
  date_ = ConversionDate();
  if (!LoadImages()) return false;
  if (!CheckImages()) {
    platform::ShowMessageBox(kInconsistentText, kCaption, platform::BoxIcon::kStop);
    return false;
  }

  writer_.SetPath(formats::kResultsPath);
  std::FILE* created = std::fopen(platform::NativePath(formats::kResultsPath).c_str(), "wb");
  if (created == nullptr) {
    platform::ShowMessageBox("Can't create result file\n" + platform::LastErrorText(), kCaption,
                             platform::BoxIcon::kStop);
    return false;
  }
  std::fclose(created);

  Decode(Mode::kWrite);
  // The results file is complete: on disk before the status key says so.
  writer_.Flush();

  const std::string results_path = writer_.path();
  writer_.SetPath(formats::kStatusFile);
  writer_.WriteKey(formats::kResultSection, formats::kResultKey, writer_.path());
  writer_.Flush();
  writer_.SetPath(results_path);
  return true;
}

const std::uint8_t* ResultDecoder::Follow(const ImageArea& area, std::uint32_t link,
                                          std::size_t size, int config, const char* what) {
  if (link == formats::kNoLink) return nullptr;
  const std::uint8_t* record = area.Resolve(link, size);
  if (record == nullptr) Refuse(config, what);
  return record;
}

void ResultDecoder::Refuse(int config, const char* what) {
  if (!consistent_) return;  // the first cause is the one that counts
  consistent_ = false;
  refusal_.clear();
  if (config >= 0) refusal_ = "configuration " + std::to_string(config) + ": ";
  refusal_ += what;
}

const std::uint8_t* ResultDecoder::MenuLink(const std::uint8_t* entry, std::size_t offset) const {
  if (entry == nullptr) return nullptr;
  return menu_.Resolve(ReadU32LE(entry + offset), menu::kSize);
}

void ResultDecoder::Decode(Mode mode) {
  mode_ = mode;
  consistent_ = true;
  refusal_.clear();
  keys_ = 0;
  const std::uint8_t* header = cfg_.At(0, cfgh::kSize);
  if (header == nullptr) {
    Refuse(-1, "configuration image shorter than its header");
    return;
  }
  Section(rl::kConfigurationSection);
  WriteRows<rl::kConfigurationKeys>({.header = header});

  const unsigned n = header[cfgh::kNbrRes];
  std::uint32_t link = ReadU32LE(header + cfgh::kFirstCfg);
  const std::uint8_t* result = nullptr;
  for (unsigned c = 0; c < n; ++c) {
    Progress(n, c + 1);
    const int previous = static_cast<int>(c) - 1;
    const std::uint8_t* cfg = Follow(cfg_, link, cfgr::kSize, previous,
                                     c == 0 ? "first configuration link outside the image"
                                            : "next configuration link outside the image");
    if (cfg == nullptr) return;
    // The c-th record of the result chain holds configuration c; the chain is walked along with
    // the configurations instead of from its start each time.
    if (c == 0) {
      const std::uint8_t* first = res_.At(formats::kFirstResultRecord, 4);
      if (first == nullptr) {
        Refuse(-1, "result image shorter than its first link");
        return;
      }
      result =
          Follow(res_, ReadU32LE(first), res::kUsedSize, -1, "first result link outside the image");
    } else if (result != nullptr) {
      result = Follow(res_, ReadU32LE(result + res::kNext), res::kUsedSize, previous,
                      "next result link outside the image");
    }
    if (!consistent_) return;
    cfg_menu_ = c == 0 ? menu_.At(kMenuRootOffset, menu::kSize) : MenuLink(cfg_menu_, menu::kNext);
    WriteConfig(cfg, c, result);
    if (!consistent_) return;
    link = ReadU32LE(cfg + cfgr::kNext);
  }
}

void ResultDecoder::WriteConfig(const std::uint8_t* cfg, unsigned c, const std::uint8_t* result) {
  const std::uint8_t type = cfg[cfgr::kCfgType];
  Section(c);
  WriteRows<rl::kConfigKeys>({.type = type, .cfg = cfg});

  const unsigned m = cfg[cfgr::kCfgNbrEcu];
  std::uint32_t link = ReadU32LE(cfg + cfgr::kFirstEcu);
  for (unsigned e = 0; e < m; ++e) {
    const std::uint8_t* ecu =
        Follow(cfg_, link, ecur::kSize, static_cast<int>(c),
               e == 0 ? "first ECU link outside the image" : "next ECU link outside the image");
    if (ecu == nullptr) break;
    Progress(m, e + 1);
    WriteEcu(ecu, c, e);
    if (!consistent_) return;
    link = ReadU32LE(ecu + ecur::kNext);
  }
  if (!consistent_) return;

  // A configuration without a result record (its chain ended early) has no test results: its
  // flags say "not run".
  Sources verdicts{.type = type};
  if (result != nullptr) {
    Section(c);
    WriteRows<rl::kTestsRunKeys>({.type = type, .result = result});
    if (result[res::kTestsFaisceau] != 0) verdicts.wiring = WriteTestHT(cfg, c, result);
    if (result[res::kTestBlindage] != 0) verdicts.screening = WriteTestBlindage(c, result);
    if (result[res::kTestsElectriques] != 0) {
      verdicts.signal = WriteTestST(cfg, c, result);
      if (!WriteEcuSignalPass(cfg, c, result)) verdicts.signal = false;
      if (!consistent_) return;
    }
    if (result[res::kTestLongueur] != 0) verdicts.length = WriteTestLongueur(c, result);
  }
  Section(c);
  WriteRows<rl::kVerdictKeys>(verdicts);
}

void ResultDecoder::WriteEcu(const std::uint8_t* ecu, unsigned c, unsigned e) {
  Section(c, e);
  WriteRows<rl::kEcuKeys>({.ecu = ecu});
  const unsigned k = ecu[ecur::kNbMsg];
  std::uint32_t link = ReadU32LE(ecu + ecur::kFirstFrame);
  for (unsigned f = 0; f < k; ++f) {
    const std::uint8_t* frame =
        Follow(cfg_, link, frm::kSize, static_cast<int>(c),
               f == 0 ? "first frame link outside the image" : "next frame link outside the image");
    if (frame == nullptr) return;
    Section(c, e, f);
    WriteRows<rl::kFrameKeys>({.frame = frame});
    link = ReadU32LE(frame + frm::kNext);
  }
}

bool ResultDecoder::WriteTestHT(const std::uint8_t* cfg, unsigned c, const std::uint8_t* result) {
  const std::uint8_t type = cfg[cfgr::kCfgType];
  Section(c, rl::kWiringSuffix);
  WriteRows<rl::kWiringKeys>({.type = type,
                              .cfg = cfg,
                              .result = result,
                              .title = MenuLink(MenuLink(cfg_menu_, menu::kChild), menu::kChild)});
  if (type != 1) return true;
  // Passed: loop resistance good (non-zero), no open circuit (zero), no short circuit bit set.
  return result[res::kEtatRL1L2] != 0 && result[res::kEtatCoL1L2] == 0 &&
         (result[res::kEtatCc] & 0x3F) == 0;
}

bool ResultDecoder::WriteTestBlindage(unsigned c, const std::uint8_t* result) {
  Section(c, rl::kScreeningSuffix);
  WriteRows<rl::kScreeningKeys>({.result = result});
  return result[res::kResultBlindage] == 1;
}

bool ResultDecoder::WriteTestST(const std::uint8_t* cfg, unsigned c, const std::uint8_t* result) {
  // The signal titles lie under the configuration's fourth menu entry, two levels down.
  const std::uint8_t* entry = MenuLink(cfg_menu_, menu::kChild);
  for (int i = 0; i < 3; ++i) entry = MenuLink(entry, menu::kNext);
  Section(c, rl::kSignalSuffix);
  WriteRows<rl::kSignalKeys>({.type = cfg[cfgr::kCfgType],
                              .cfg = cfg,
                              .result = result,
                              .title = MenuLink(MenuLink(entry, menu::kChild), menu::kChild)});
  return true;
}

bool ResultDecoder::WriteEcuSignalPass(const std::uint8_t* cfg, unsigned c,
                                       const std::uint8_t* result) {
  const std::uint8_t type = cfg[cfgr::kCfgType];
  const unsigned m = cfg[cfgr::kCfgNbrEcu];
  std::uint32_t link = ReadU32LE(cfg + cfgr::kFirstEcu);
  // The e-th record of the ECU result chain belongs to ECU e; walked along with the ECUs.
  const std::uint8_t* ecu_result = nullptr;
  bool all_passed = true;
  for (unsigned e = 0; e < m; ++e) {
    const std::uint8_t* ecu =
        Follow(cfg_, link, ecur::kSize, static_cast<int>(c),
               e == 0 ? "first ECU link outside the image" : "next ECU link outside the image");
    if (ecu == nullptr) break;
    Progress(m, e + 1);
    if (type == 1) {
      if (e == 0) {
        ecu_result = Follow(res_, ReadU32LE(result + res::kFirstEcuResult), ecures::kUsedSize,
                            static_cast<int>(c), "first ECU result link outside the image");
      } else if (ecu_result != nullptr) {
        ecu_result = Follow(res_, ReadU32LE(ecu_result + ecures::kNext), ecures::kUsedSize,
                            static_cast<int>(c), "next ECU result link outside the image");
      }
      if (!consistent_) return false;
    }
    if (!WriteEcuTestST(c, e, type, result, ecu_result)) all_passed = false;
    link = ReadU32LE(ecu + ecur::kNext);
  }
  return all_passed;
}

bool ResultDecoder::WriteEcuTestST(unsigned c, unsigned e, std::uint8_t type,
                                   const std::uint8_t* result, const std::uint8_t* ecu_result) {
  // Only type-1 configurations have per-ECU signal results; the others pass on their common part.
  if (type != 1) return true;
  // An ECU the result chain does not reach has no results: it did not pass.
  if (ecu_result == nullptr) return false;
  const std::uint8_t etat = ecu_result[ecures::kEtat];
  const bool passed = Bit(etat, ecures::kBitTestSt) && Bit(etat, ecures::kBitDebit) &&
                      Bit(etat, ecures::kBitDL1) && Bit(etat, ecures::kBitDL2) &&
                      Bit(etat, ecures::kBitRL1) && Bit(etat, ecures::kBitRL2);
  Section(c, e);
  WriteRows<rl::kEcuSignalKeys>(
      {.type = type, .result = result, .ecu_result = ecu_result, .ecu_passed = passed});
  return passed;
}

bool ResultDecoder::WriteTestLongueur(unsigned c, const std::uint8_t* result) {
  Section(c, rl::kLengthSuffix);
  WriteRows<rl::kLengthKeys>({.result = result});
  return result[res::kResultLongueur] == 1;
}

void ResultDecoder::Progress(unsigned count, unsigned position) {
  if (mode_ != Mode::kWrite) return;
  display_.SetProgressRange(0, static_cast<std::uint16_t>(count));
  display_.SetProgressPos(static_cast<std::uint16_t>(position));
}

void ResultDecoder::Section(const char* name) {
  if (mode_ == Mode::kWrite) section_.assign(name);
}

void ResultDecoder::Section(unsigned c, const char* suffix) {
  if (mode_ != Mode::kWrite) return;
  section_.assign(rl::kConfigPrefix);
  AppendHex(section_, c, rl::kIndexDigits);
  section_.append(suffix);
}

void ResultDecoder::Section(unsigned c, unsigned e) {
  Section(c, rl::kEcuInfix);
  if (mode_ == Mode::kWrite) AppendHex(section_, e, rl::kIndexDigits);
}

void ResultDecoder::Section(unsigned c, unsigned e, unsigned f) {
  Section(c, e);
  if (mode_ != Mode::kWrite) return;
  section_.append(rl::kFrameInfix);
  AppendHex(section_, f, rl::kIndexDigits);
}

template <const auto& kTable>
void ResultDecoder::WriteRows(const Sources& sources) {
  if (mode_ != Mode::kWrite) {  // a check only counts the keys
    keys_ += sources.type == 1 ? std::size(kTable) : RowsForAnyType(kTable);
    return;
  }
  // The title entries are walked forward once, however many titles the table holds.
  TitleCursor title{sources.title, 0};
  // Row by row with each row a constant, so that the compiler keeps only the branches the row
  // takes: looping over the table at run time made BM_Convert about 5% slower.
  [&]<std::size_t... kRow>(std::index_sequence<kRow...>) {
    (WriteRow(kTable[kRow], sources, title), ...);
  }
  (std::make_index_sequence<std::size(kTable)>());
}

inline void ResultDecoder::WriteRow(const KeyRow& row, const Sources& sources, TitleCursor& title) {
  if (row.only == Only::kType1 && sources.type != 1) return;
  const std::uint8_t* record = nullptr;
  std::uint32_t number = 0;
  switch (row.source) {
    case Source::kCfgHeader:
      record = sources.header;
      break;
    case Source::kCfgRecord:
      record = sources.cfg;
      break;
    case Source::kEcuRecord:
      record = sources.ecu;
      break;
    case Source::kFrameRecord:
      record = sources.frame;
      break;
    case Source::kResultRecord:
      record = sources.result;
      break;
    case Source::kEcuResultRecord:
      record = sources.ecu_result;
      break;
    case Source::kMenuTitle:
      for (; title.number < row.offset; ++title.number) {
        title.entry = MenuLink(title.entry, menu::kNext);
      }
      if (title.entry != nullptr) {
        AssignText(value_, title.entry + menu::kLabel, row.width);
      } else {
        value_.clear();
      }
      Put(row.key);
      return;
    case Source::kConversionDate:
      value_.assign(date_);
      Put(row.key);
      return;
    case Source::kWiringVerdict:
      number = sources.wiring;
      break;
    case Source::kScreeningVerdict:
      number = sources.screening;
      break;
    case Source::kSignalVerdict:
      number = sources.signal;
      break;
    case Source::kLengthVerdict:
      number = sources.length;
      break;
    case Source::kAllVerdict:
      number = sources.wiring && sources.signal && sources.length && sources.screening;
      break;
    case Source::kEcuVerdict:
      number = sources.ecu_passed;
      break;
  }
  if (record != nullptr) {
    const std::uint8_t* field = record + row.offset;
    if (row.written == Form::kText) {
      AssignText(value_, field, row.width);
      Put(row.key);
      return;
    }
    if (row.bit != rl::kWholeValue) {
      number = Bit(*field, static_cast<unsigned>(row.bit));
    } else {
      number = row.width == 1 ? *field : row.width == 2 ? ReadU16LE(field) : ReadU32LE(field);
    }
  }
  value_.clear();
  if (row.written == Form::kHex) {
    AppendHex(value_, number, 1);
  } else {
    char digits[10];
    value_.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
  }
  Put(row.key);
}

void ResultDecoder::Put(const char* key) {
  ++keys_;
  if (mode_ != Mode::kWrite) return;
  key_.assign(key);
  writer_.WriteKey(section_, key_, value_);
}

bool ConvertResults(tool::ProfileWriter& writer, tool::StatusDisplay& display) {
  ResultDecoder decoder(writer, display);
  return decoder.Convert();
}

}  // namespace decoder
