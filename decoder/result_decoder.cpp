#include "decoder/result_decoder.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <iterator>
#include <optional>
#include <string_view>
#include <utility>

#include "formats/bytes.h"
#include "formats/config_records.h"
#include "formats/exchange_files.h"
#include "formats/result_records.h"
#include "formats/tr_ini_format.h"
#include "formats/version_record_format.h"
#include "platform/error_text.h"
#include "platform/message_box.h"
#include "platform/native_path.h"
#include "platform/read_whole_file.h"

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
consteval bool AllRowsFit() {
  for (const rl::Table* table : rl::kTables) {
    if (!RowsFit(table->rows)) return false;
  }
  return true;
}
static_assert(AllRowsFit());

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

// Loads up to `limit` bytes of `name` in the current directory into `area`.
bool LoadFile(const char* name, ImageArea& area, std::size_t limit) {
  std::optional<std::string> bytes = platform::ReadWholeFile(name, limit);
  if (!bytes) return false;
  area.Load(*bytes);
  return true;
}

// Appends the upper-case hexadecimal digits of `value` ("%X").
void AppendHex(std::string& out, std::uint32_t value) {
  char digits[8];
  auto end = std::to_chars(digits, digits + sizeof digits, value, 16).ptr;
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
  const std::optional<std::string> version =
      platform::ReadWholeFile(formats::kVersionFile, formats::kVersionRecordSize);
  if (!version) return failed(formats::kVersionFile);
  res_.set_base_address(formats::VersionRecord::Parse(*version).results_address);

  if (!LoadFile(formats::kResultsImage, res_, kImageLimit)) return failed(formats::kResultsImage);

  // The entry count, then that many entries.
  std::optional<std::string> menu =
      platform::ReadWholeFile(formats::kMenuImage, 2 + kMenuMaxEntries * menu::kSize);
  if (!menu) return failed(formats::kMenuImage);
  const std::size_t count =
      menu->size() >= 2 ? ReadU16LE(reinterpret_cast<const std::uint8_t*>(menu->data())) : 0;
  menu_.Load(std::string_view(*menu).substr(std::min<std::size_t>(menu->size(), 2),
                                            std::min(count, kMenuMaxEntries) * menu::kSize));

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
  WriteRows<rl::kConfiguration>({.header = header});

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
  WriteRows<rl::kConfig>({.type = type, .cfg = cfg}, c);

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
    WriteRows<rl::kTestsRun>({.type = type, .result = result}, c);
    if (result[res::kTestsFaisceau] != 0) verdicts.wiring = WriteTestHT(cfg, c, result);
    if (result[res::kTestBlindage] != 0) verdicts.screening = WriteTestBlindage(c, result);
    if (result[res::kTestsElectriques] != 0) {
      verdicts.signal = WriteTestST(cfg, c, result);
      if (!WriteEcuSignalPass(cfg, c, result)) verdicts.signal = false;
      if (!consistent_) return;
    }
    if (result[res::kTestLongueur] != 0) verdicts.length = WriteTestLongueur(c, result);
  }
  WriteRows<rl::kVerdicts>(verdicts, c);
}

void ResultDecoder::WriteEcu(const std::uint8_t* ecu, unsigned c, unsigned e) {
  WriteRows<rl::kEcu>({.ecu = ecu}, c, e);
  const unsigned k = ecu[ecur::kNbMsg];
  std::uint32_t link = ReadU32LE(ecu + ecur::kFirstFrame);
  for (unsigned f = 0; f < k; ++f) {
    const std::uint8_t* frame =
        Follow(cfg_, link, frm::kSize, static_cast<int>(c),
               f == 0 ? "first frame link outside the image" : "next frame link outside the image");
    if (frame == nullptr) return;
    WriteRows<rl::kFrame>({.frame = frame}, c, e, f);
    link = ReadU32LE(frame + frm::kNext);
  }
}

bool ResultDecoder::WriteTestHT(const std::uint8_t* cfg, unsigned c, const std::uint8_t* result) {
  const std::uint8_t type = cfg[cfgr::kCfgType];
  WriteRows<rl::kWiring>({.type = type,
                          .cfg = cfg,
                          .result = result,
                          .title = MenuLink(MenuLink(cfg_menu_, menu::kChild), menu::kChild)},
                         c);
  if (type != 1) return true;
  // Passed: loop resistance good (non-zero), no open circuit (zero), no short circuit bit set.
  return result[res::kEtatRL1L2] != 0 && result[res::kEtatCoL1L2] == 0 &&
         (result[res::kEtatCc] & 0x3F) == 0;
}

bool ResultDecoder::WriteTestBlindage(unsigned c, const std::uint8_t* result) {
  WriteRows<rl::kScreening>({.result = result}, c);
  return result[res::kResultBlindage] == 1;
}

bool ResultDecoder::WriteTestST(const std::uint8_t* cfg, unsigned c, const std::uint8_t* result) {
  // The signal titles lie under the configuration's fourth menu entry, two levels down.
  const std::uint8_t* entry = MenuLink(cfg_menu_, menu::kChild);
  for (int i = 0; i < 3; ++i) entry = MenuLink(entry, menu::kNext);
  WriteRows<rl::kSignal>({.type = cfg[cfgr::kCfgType],
                          .cfg = cfg,
                          .result = result,
                          .title = MenuLink(MenuLink(entry, menu::kChild), menu::kChild)},
                         c);
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
  WriteRows<rl::kEcuSignal>(
      {.type = type, .result = result, .ecu_result = ecu_result, .ecu_passed = passed}, c, e);
  return passed;
}

bool ResultDecoder::WriteTestLongueur(unsigned c, const std::uint8_t* result) {
  WriteRows<rl::kLength>({.result = result}, c);
  return result[res::kResultLongueur] == 1;
}

void ResultDecoder::Progress(unsigned count, unsigned position) {
  if (mode_ != Mode::kWrite) return;
  display_.SetProgressRange(0, static_cast<std::uint16_t>(count));
  display_.SetProgressPos(static_cast<std::uint16_t>(position));
}

template <const rl::Table& kTable>
void ResultDecoder::WriteRows(const Sources& sources, unsigned c, unsigned e, unsigned f) {
  if (mode_ != Mode::kWrite) {  // a check only counts the keys
    keys_ += sources.type == 1 ? kTable.rows.size() : RowsForAnyType(kTable.rows);
    return;
  }
  rl::SectionName(kTable, c, e, f, section_);
  // The title entries are walked forward once, however many titles the table holds.
  TitleCursor title{sources.title, 0};
  // Row by row with each row a constant, so that the compiler keeps only the branches the row
  // takes: looping over the table at run time made BM_Convert about 5% slower.
  [&]<std::size_t... kRow>(std::index_sequence<kRow...>) {
    (WriteRow(kTable.rows[kRow], sources, title), ...);
  }
  (std::make_index_sequence<kTable.rows.size()>());
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
    AppendHex(value_, number);
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
