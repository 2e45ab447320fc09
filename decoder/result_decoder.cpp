#include "decoder/result_decoder.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>

#include "formats/bytes.h"
#include "formats/config_records.h"
#include "platform/error_text.h"
#include "platform/message_box.h"
#include "platform/native_path.h"
#include "formats/result_records.h"
#include "tool/version_record.h"

namespace decoder {
namespace {

using formats::ReadU16LE;
using formats::ReadU32LE;
namespace cfgh = formats::cfg_header;
namespace cfgr = formats::cfg_record;
namespace ecur = formats::ecu_record;
namespace frm = formats::frame_record;
namespace menu = formats::menu_entry;
namespace res = formats::result_record;
namespace ecures = formats::ecu_result_record;

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
const char kResultsPath[] = ".\\Results.log";
const char kStatusPath[] = ".\\Tr.ini";

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
  std::FILE* file = std::fopen(platform::NativePath("VersionTr.zel").c_str(), "rb");
  if (file == nullptr) return false;
  version_.fill(0);  // a short record reads as zeros
  (void)std::fread(version_.data(), 1, version_.size(), file);
  bool ok = std::ferror(file) == 0;
  std::fclose(file);
  if (!ok) return false;
  res_.set_base_address(ReadU32LE(version_.data() + kResultBaseOffset));

  if (!LoadFile("ResBin.zel", res_, kImageLimit)) return false;

  file = std::fopen(platform::NativePath("MenuBin.zel").c_str(), "rb");
  if (file == nullptr) return false;
  std::uint8_t count_bytes[2] = {0, 0};
  std::size_t count_read = std::fread(count_bytes, 1, 2, file);
  std::size_t count = count_read == 2 ? ReadU16LE(count_bytes) : 0;
  ok = std::ferror(file) == 0 &&
       menu_.LoadFrom(file, std::min(count, kMenuMaxEntries) * menu::kSize);
  std::fclose(file);
  if (!ok) return false;

  return LoadFile("CfgBin.zel", cfg_, kImageLimit) && LoadFile("AcqBin.zel", acq_, kImageLimit);
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

  writer_.SetPath(kResultsPath);
  std::FILE* created = std::fopen(platform::NativePath(kResultsPath).c_str(), "wb");
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
  writer_.SetPath(kStatusPath);
  writer_.WriteKey("CheminFichier", "Resultat", writer_.path());
  writer_.Flush();
  writer_.SetPath(results_path);
  return true;
}

const std::uint8_t* ResultDecoder::Follow(const ImageArea& area, std::uint32_t link,
                                          std::size_t size) {
  if (link == formats::kNoLink) return nullptr;
  const std::uint8_t* record = area.Resolve(link, size);
  if (record == nullptr) consistent_ = false;
  return record;
}

const std::uint8_t* ResultDecoder::MenuLink(const std::uint8_t* entry, std::size_t offset) const {
  if (entry == nullptr) return nullptr;
  return menu_.Resolve(ReadU32LE(entry + offset), menu::kSize);
}

void ResultDecoder::Decode(Mode mode) {
  mode_ = mode;
  consistent_ = true;
  keys_ = 0;
  const std::uint8_t* header = cfg_.At(0, cfgh::kSize);
  if (header == nullptr) {
    consistent_ = false;
    return;
  }
  Section("Configuration");
  KeyText("Nom", header + cfgh::kNom, cfgh::kTextWidth);
  KeyText("NomCompl", header + cfgh::kNomCompl, cfgh::kTextWidth);
  Key("NbrRes", header[cfgh::kNbrRes], Form::kHex);
  KeyString("Date", date_);

  const unsigned n = header[cfgh::kNbrRes];
  std::uint32_t link = ReadU32LE(header + cfgh::kFirstCfg);
  const std::uint8_t* result = nullptr;
  for (unsigned c = 0; c < n; ++c) {
    Progress(n, c + 1);
    const std::uint8_t* cfg = Follow(cfg_, link, cfgr::kSize);
    if (cfg == nullptr) return;
    // The c-th record of the result chain holds configuration c; the chain is walked along with
    // the configurations instead of from its start each time.
    if (c == 0) {
      const std::uint8_t* first = res_.At(formats::kFirstResultRecord, 4);
      if (first == nullptr) {
        consistent_ = false;
        return;
      }
      result = Follow(res_, ReadU32LE(first), res::kUsedSize);
    } else if (result != nullptr) {
      result = Follow(res_, ReadU32LE(result + res::kNext), res::kUsedSize);
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
  KeyText("Cfg_Nom", cfg + cfgr::kCfgNom, cfgr::kNameWidth);
  KeyText("Cfg_NomComp", cfg + cfgr::kCfgNomComp, cfgr::kNameWidth);
  Key("Cfg_Type", type, Form::kDecimal);
  Key("SeuilMax_Taux_Err", cfg[cfgr::kSeuilMaxTauxErr], Form::kHex);
  Key("SeuilMin_Taux_Err", cfg[cfgr::kSeuilMinTauxErr], Form::kHex);
  Key("SeuilMax_Taux_Charge", cfg[cfgr::kSeuilMaxTauxCharge], Form::kHex);
  Key("SeuilMin_Taux_Charge", cfg[cfgr::kSeuilMinTauxCharge], Form::kHex);
  if (type == 1) {
    Key("SeuilMax_D_L1", cfg[cfgr::kSeuilMaxDL1], Form::kHex);
    Key("SeuilMax_D_L2", cfg[cfgr::kSeuilMaxDL2], Form::kHex);
    Key("SeuilMin_D_L1", cfg[cfgr::kSeuilMinDL1], Form::kHex);
    Key("SeuilMin_D_L2", cfg[cfgr::kSeuilMinDL2], Form::kHex);
    Key("SeuilMax_R_L1", cfg[cfgr::kSeuilMaxRL1], Form::kHex);
    Key("SeuilMax_R_L2", cfg[cfgr::kSeuilMaxRL2], Form::kHex);
    Key("SeuilMin_R_L1", cfg[cfgr::kSeuilMinRL1], Form::kHex);
    Key("SeuilMin_R_L2", cfg[cfgr::kSeuilMinRL2], Form::kHex);
  }
  Key("Cfg_NbrEcu", cfg[cfgr::kCfgNbrEcu], Form::kHex);

  const unsigned m = cfg[cfgr::kCfgNbrEcu];
  std::uint32_t link = ReadU32LE(cfg + cfgr::kFirstEcu);
  for (unsigned e = 0; e < m; ++e) {
    const std::uint8_t* ecu = Follow(cfg_, link, ecur::kSize);
    if (ecu == nullptr) break;
    Progress(m, e + 1);
    WriteEcu(ecu, c, e);
    if (!consistent_) return;
    link = ReadU32LE(ecu + ecur::kNext);
  }
  if (!consistent_) return;

  // A configuration without a result record (its chain ended early) has no test results: its
  // flags say "not run".
  bool wiring = false, screening = false, signal = false, length = false;
  if (result != nullptr) {
    Section(c);
    Key("Tests_Faisceau", result[res::kTestsFaisceau], Form::kDecimal);
    Key("Tests_Electriques", result[res::kTestsElectriques], Form::kDecimal);
    Key("Test_Longueur", result[res::kTestLongueur], Form::kDecimal);
    Key("Test_Blindage", result[res::kTestBlindage], Form::kDecimal);
    if (result[res::kTestsFaisceau] != 0) wiring = WriteTestHT(cfg, c, result);
    if (result[res::kTestBlindage] != 0) screening = WriteTestBlindage(c, result);
    if (result[res::kTestsElectriques] != 0) {
      signal = WriteTestST(cfg, c, result);
      if (!WriteEcuSignalPass(cfg, c, result)) signal = false;
      if (!consistent_) return;
    }
    if (result[res::kTestLongueur] != 0) length = WriteTestLongueur(c, result);
  }
  Section(c);
  Key("Result_Tests_Faisceau", wiring, Form::kDecimal);
  Key("Result_Test_Blindage", screening, Form::kDecimal);
  Key("Result_Tests_Electriques", signal, Form::kDecimal);
  Key("Result_Test_Longueur", length, Form::kDecimal);
  Key("Result_Tests", wiring && signal && length && screening, Form::kDecimal);
}

void ResultDecoder::WriteEcu(const std::uint8_t* ecu, unsigned c, unsigned e) {
  Section(c, e);
  KeyText("Nom", ecu + ecur::kNom, ecur::kNomWidth);
  Key("Nb_Msg", ecu[ecur::kNbMsg], Form::kHex);
  const unsigned k = ecu[ecur::kNbMsg];
  std::uint32_t link = ReadU32LE(ecu + ecur::kFirstFrame);
  for (unsigned f = 0; f < k; ++f) {
    const std::uint8_t* frame = Follow(cfg_, link, frm::kSize);
    if (frame == nullptr) return;
    WriteFrame(frame, c, e, f);
    link = ReadU32LE(frame + frm::kNext);
  }
}

void ResultDecoder::WriteFrame(const std::uint8_t* frame, unsigned c, unsigned e, unsigned f) {
  Section(c, e, f);
  KeyText("Nom", frame + frm::kNom, frm::kNomWidth);
  Key("Ident", ReadU32LE(frame + frm::kIdent), Form::kHex);
}

bool ResultDecoder::WriteTestHT(const std::uint8_t* cfg, unsigned c, const std::uint8_t* result) {
  if (cfg[cfgr::kCfgType] != 1) return true;
  bool ok = true;
  const std::uint8_t* title = MenuLink(MenuLink(cfg_menu_, menu::kChild), menu::kChild);

  Section(c, "_TESTHT");
  if (result[res::kEtatRL1L2] == 0) ok = false;
  Key("Etat_R_L1/L2", result[res::kEtatRL1L2], Form::kDecimal);
  Key("Val_R_L1/L2", ReadU32LE(result + res::kValRL1L2), Form::kHex);
  Key("SeuilBas_R_L1/L2", ReadU16LE(cfg + cfgr::kSeuilBasRL1L2), Form::kHex);
  Key("SeuilHaut_R_L1/L2", ReadU16LE(cfg + cfgr::kSeuilHautRL1L2), Form::kHex);
  KeyTitle("Titre_R_L1/L2", title);

  title = MenuLink(title, menu::kNext);
  if (result[res::kEtatCoL1L2] != 0) ok = false;
  Key("Etat_CO_L1/L2", result[res::kEtatCoL1L2], Form::kDecimal);
  Key("Val_CO_L1/L2", ReadU32LE(result + res::kValRL1L2), Form::kHex);
  Key("Seuil_CO_L1/L2", ReadU32LE(cfg + cfgr::kSeuilCoL1L2), Form::kHex);

  struct Pair {
    const char* etat;
    const char* val;
    const char* seuil;
    const char* titre;
  };
  static constexpr Pair kPairs[6] = {
      {"Etat_CC_L1/VCC", "Val_CC_L1/VCC", "Seuil_CC_L1/VCC", "Titre_CC_L1/VCC"},
      {"Etat_CC_L2/VCC", "Val_CC_L2/VCC", "Seuil_CC_L2/VCC", "Titre_CC_L2/VCC"},
      {"Etat_CC_L1/GND", "Val_CC_L1/GND", "Seuil_CC_L1/GND", "Titre_CC_L1/GND"},
      {"Etat_CC_L2/GND", "Val_CC_L2/GND", "Seuil_CC_L2/GND", "Titre_CC_L2/GND"},
      {"Etat_CC_L1/SHIELD", "Val_CC_L1/SHIELD", "Seuil_CC_L1/SHIELD", "Titre_CC_L1/SHIELD"},
      {"Etat_CC_L2/SHIELD", "Val_CC_L2/SHIELD", "Seuil_CC_L2/SHIELD", "Titre_CC_L2/SHIELD"},
  };
  for (unsigned i = 0; i < 6; ++i) {
    if (i > 0) title = MenuLink(title, menu::kNext);
    const bool shorted = Bit(result[res::kEtatCc], i);
    if (shorted) ok = false;
    Key(kPairs[i].etat, shorted, Form::kDecimal);
    Key(kPairs[i].val, ReadU32LE(result + res::kValCcL1Vcc + 4 * i), Form::kHex);
    Key(kPairs[i].seuil, cfg[cfgr::kSeuilCcL1Vcc + i], Form::kHex);
    KeyTitle(kPairs[i].titre, title);
  }
  return ok;
}

bool ResultDecoder::WriteTestBlindage(unsigned c, const std::uint8_t* result) {
  Section(c, "_TESTBLINDAGE");
  Key("Seuil_Co_Blindage", ReadU32LE(result + res::kSeuilCoBlindage), Form::kHex);
  Key("Mes_Co_Blindage", ReadU32LE(result + res::kMesCoBlindage), Form::kHex);
  Key("Result_Blindage", result[res::kResultBlindage], Form::kHex);
  return result[res::kResultBlindage] == 1;
}

bool ResultDecoder::WriteTestST(const std::uint8_t* cfg, unsigned c, const std::uint8_t* result) {
  Section(c, "_TESTST");
  KeyText("Titre_VCC", cfg + cfgr::kTitreVcc, cfgr::kTitreVccWidth);
  if (cfg[cfgr::kCfgType] != 1) return true;
  const std::uint8_t* entry = MenuLink(cfg_menu_, menu::kChild);
  for (int i = 0; i < 3; ++i) entry = MenuLink(entry, menu::kNext);

  Key("Val_VCC", ReadU16LE(result + res::kValVcc), Form::kHex);
  static constexpr const char* kTitles[9] = {
      "Titre_Debit", "Titre_R_L1",  "Titre_D_L1",  "Titre_R_L2",  "Titre_D_L2",
      "Titre_FM_L1", "Titre_FD_L1", "Titre_FM_L2", "Titre_FD_L2",
  };
  const std::uint8_t* title = MenuLink(MenuLink(entry, menu::kChild), menu::kChild);
  for (int i = 0; i < 9; ++i) {
    if (i > 0) title = MenuLink(title, menu::kNext);
    KeyTitle(kTitles[i], title);
  }
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
    const std::uint8_t* ecu = Follow(cfg_, link, ecur::kSize);
    if (ecu == nullptr) break;
    Progress(m, e + 1);
    if (type == 1) {
      if (e == 0) {
        ecu_result = Follow(res_, ReadU32LE(result + res::kFirstEcuResult), ecures::kUsedSize);
      } else if (ecu_result != nullptr) {
        ecu_result = Follow(res_, ReadU32LE(ecu_result + ecures::kNext), ecures::kUsedSize);
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
  bool ok = true;
  auto state = [&](const char* key, unsigned bit) {
    const bool passed = Bit(etat, bit);
    if (!passed) ok = false;
    Key(key, passed, Form::kDecimal);
  };
  Section(c, e);
  state("Etat_TestST", ecures::kBitTestSt);
  state("Etat_Debit", ecures::kBitDebit);
  Key("Val_Debit", ReadU16LE(ecu_result + ecures::kValDebit), Form::kHex);
  Key("Val_Debit_Conf", ReadU16LE(result + res::kValDebitConf), Form::kHex);
  Key("Tol_Debit", ReadU16LE(result + res::kTolDebit), Form::kHex);
  state("Etat_D_L1", ecures::kBitDL1);
  Key("Val_D_L1", ecu_result[ecures::kValDL1], Form::kHex);
  state("Etat_D_L2", ecures::kBitDL2);
  Key("Val_D_L2", ecu_result[ecures::kValDL2], Form::kHex);
  state("Etat_R_L1", ecures::kBitRL1);
  Key("Val_R_L1", ecu_result[ecures::kValRL1], Form::kHex);
  state("Etat_R_L2", ecures::kBitRL2);
  Key("Val_R_L2", ecu_result[ecures::kValRL2], Form::kHex);
  Key("Val_Rise_L1", ReadU16LE(ecu_result + ecures::kValRiseL1), Form::kHex);
  Key("Val_Rise_L2", ReadU16LE(ecu_result + ecures::kValRiseL2), Form::kHex);
  Key("Val_Down_L1", ReadU16LE(ecu_result + ecures::kValDownL1), Form::kHex);
  Key("Val_Down_L2", ReadU16LE(ecu_result + ecures::kValDownL2), Form::kHex);
  Key("Val_%Osc_L1", ecu_result[ecures::kValOscL1], Form::kHex);
  Key("Val_%Osc_L2", ecu_result[ecures::kValOscL2], Form::kHex);
  Key("Val_ErrMesR_L1", ReadU16LE(ecu_result + ecures::kValErrMesRL1), Form::kHex);
  Key("Val_ErrMesR_L2", ReadU16LE(ecu_result + ecures::kValErrMesRL2), Form::kHex);
  Key("Val_ErrMesD_L1", ReadU16LE(ecu_result + ecures::kValErrMesDL1), Form::kHex);
  Key("Val_ErrMesD_L2", ReadU16LE(ecu_result + ecures::kValErrMesDL2), Form::kHex);
  Key("Result_TestST", ok, Form::kDecimal);
  return ok;
}

bool ResultDecoder::WriteTestLongueur(unsigned c, const std::uint8_t* result) {
  Section(c, "_TESTLONGUEUR");
  Key("Longueur_Max", ReadU16LE(result + res::kLongueurMax), Form::kHex);
  Key("Longueur_Mes", ReadU16LE(result + res::kLongueurMes), Form::kHex);
  Key("Debit", ReadU16LE(result + res::kDebit), Form::kHex);
  Key("Vitesse", result[res::kVitesse], Form::kHex);
  Key("Result_Longueur", result[res::kResultLongueur], Form::kDecimal);
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
  section_.assign("CfgRes");
  AppendHex(section_, c, 3);
  section_.append(suffix);
}

void ResultDecoder::Section(unsigned c, unsigned e) {
  Section(c, "_Uce");
  if (mode_ == Mode::kWrite) AppendHex(section_, e, 3);
}

void ResultDecoder::Section(unsigned c, unsigned e, unsigned f) {
  Section(c, e);
  if (mode_ != Mode::kWrite) return;
  section_.append("_Tr");
  AppendHex(section_, f, 3);
}

void ResultDecoder::Key(const char* key, std::uint32_t value, Form form) {
  if (mode_ == Mode::kWrite) {
    value_.clear();
    if (form == Form::kHex) {
      AppendHex(value_, value, 1);
    } else {
      char digits[10];
      value_.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    }
  }
  Put(key);
}

void ResultDecoder::KeyText(const char* key, const std::uint8_t* text, std::size_t width) {
  if (mode_ == Mode::kWrite) {
    const std::uint8_t* end = std::find(text, text + width, std::uint8_t{0});
    value_.assign(reinterpret_cast<const char*>(text), static_cast<std::size_t>(end - text));
  }
  Put(key);
}

void ResultDecoder::KeyTitle(const char* key, const std::uint8_t* entry) {
  if (entry != nullptr) {
    KeyText(key, entry + menu::kLabel, menu::kTextWidth);
  } else {
    KeyString(key, std::string());
  }
}

void ResultDecoder::KeyString(const char* key, const std::string& value) {
  if (mode_ == Mode::kWrite) value_.assign(value);
  Put(key);
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
