// "Results.log" (formats::kResultsFile), the results file the tool's decoder writes and the results
// application reads: its sections and, for each section, its keys in the order the decoder writes
// them, with the form the value is written in, the form Morvane parses it with, and where the value
// comes from. Both programs walk these tables: a table names its section, so a new result field is
// one row here (plus the field of Morvane's model that receives it, which the reader's build
// demands for every row it reads).
//
// Sections (numbers in upper-case hexadecimal, at least three digits, "%.3X"), with their tables
// below in the order the decoder writes them:
//   Configuration                    the configuration set         kConfiguration
//   CfgRes%.3X                       configuration c               kConfig, kTestsRun, kVerdicts
//   CfgRes%.3X_Uce%.3X               ECU e of configuration c      kEcu, later kEcuSignal
//   CfgRes%.3X_Uce%.3X_Tr%.3X        frame f of that ECU           kFrame
//   CfgRes%.3X<suffix>               one test of configuration c   kWiring, kSignal, kScreening,
//                                                                  kLength
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "formats/config_records.h"
#include "formats/result_records.h"

namespace formats::results_log {

inline constexpr char kConfigurationSection[] = "Configuration";
inline constexpr char kConfigPrefix[] = "CfgRes";
inline constexpr char kEcuInfix[] = "_Uce";
inline constexpr char kFrameInfix[] = "_Tr";
inline constexpr int kIndexDigits = 3;

// A value form. The decoder writes kHex ("%X"), kDec (decimal) or kText (the bytes as they stand);
// Morvane parses with kHex ("%x"), kDec ("%d"), kInt ("%i"), kText, kDate, or not at all (kNone).
// The two differ for some keys (Nb_Msg, Result_Blindage, the states): both are kept as they are.
enum class Form : std::uint8_t { kNone, kHex, kDec, kInt, kText, kDate };

// Where a value comes from: a field of one of the tester's records (at `offset`, `width` bytes: a
// little-endian number of 1, 2 or 4 bytes, or a text field ending at its first NUL), one bit of
// such a byte, or a value the decoder works out.
enum class Source : std::uint8_t {
  kCfgHeader,
  kCfgRecord,
  kEcuRecord,
  kFrameRecord,
  kResultRecord,
  kEcuResultRecord,
  kMenuTitle,       // label of the test's title entry `offset` siblings on (empty when not found)
  kConversionDate,  // the conversion date, "%d%m%Y_%Hh%Mm%S" in local time
  // Pass flags: 1 when the wiring, screening, signal or length test passed, when all four did, or
  // when one ECU's signal test did.
  kWiringVerdict,
  kScreeningVerdict,
  kSignalVerdict,
  kLengthVerdict,
  kAllVerdict,
  kEcuVerdict,
};

// Written only for configurations of type 1 (the others have no such results).
enum class Only : std::uint8_t { kAny, kType1 };

inline constexpr std::int8_t kWholeValue = -1;

struct KeyRow {
  const char* key;
  Form written;
  Form read;
  Source source;
  std::uint16_t offset;           // in the record; siblings on for a title
  std::uint8_t width;             // bytes
  std::int8_t bit = kWholeValue;  // the value is this bit (0 or 1) of the byte at `offset`
  Only only = Only::kAny;
};

// The tables are spelled with short names (the enumerators, the record namespaces) that this
// namespace keeps to itself; the tables are brought up into formats::results_log below.
namespace rows {
using enum Form;
using enum Source;
using enum Only;
namespace hdr = cfg_header;
namespace cfg = cfg_record;
namespace ecu = ecu_record;
namespace frm = frame_record;
namespace res = result_record;
namespace ecures = ecu_result_record;
inline constexpr std::uint8_t kTitleWidth = menu_entry::kTextWidth;
inline constexpr std::int8_t kWhole = kWholeValue;

// [Configuration]
inline constexpr KeyRow kConfigurationKeys[] = {
    {"Nom", kText, kNone, kCfgHeader, hdr::kNom, hdr::kTextWidth},
    {"NomCompl", kText, kNone, kCfgHeader, hdr::kNomCompl, hdr::kTextWidth},
    {"NbrRes", kHex, kNone, kCfgHeader, hdr::kNbrRes, 1},
    {"Date", kText, kDate, kConversionDate, 0, 0},
};

// [CfgRes%.3X], before the configuration's ECU sections.
inline constexpr KeyRow kConfigKeys[] = {
    {"Cfg_Nom", kText, kText, kCfgRecord, cfg::kCfgNom, cfg::kNameWidth},
    {"Cfg_NomComp", kText, kNone, kCfgRecord, cfg::kCfgNomComp, cfg::kNameWidth},
    {"Cfg_Type", kDec, kNone, kCfgRecord, cfg::kCfgType, 1},
    {"SeuilMax_Taux_Err", kHex, kNone, kCfgRecord, cfg::kSeuilMaxTauxErr, 1},
    {"SeuilMin_Taux_Err", kHex, kNone, kCfgRecord, cfg::kSeuilMinTauxErr, 1},
    {"SeuilMax_Taux_Charge", kHex, kNone, kCfgRecord, cfg::kSeuilMaxTauxCharge, 1},
    {"SeuilMin_Taux_Charge", kHex, kNone, kCfgRecord, cfg::kSeuilMinTauxCharge, 1},
    {"SeuilMax_D_L1", kHex, kHex, kCfgRecord, cfg::kSeuilMaxDL1, 1, kWhole, kType1},
    {"SeuilMax_D_L2", kHex, kHex, kCfgRecord, cfg::kSeuilMaxDL2, 1, kWhole, kType1},
    {"SeuilMin_D_L1", kHex, kHex, kCfgRecord, cfg::kSeuilMinDL1, 1, kWhole, kType1},
    {"SeuilMin_D_L2", kHex, kHex, kCfgRecord, cfg::kSeuilMinDL2, 1, kWhole, kType1},
    {"SeuilMax_R_L1", kHex, kHex, kCfgRecord, cfg::kSeuilMaxRL1, 1, kWhole, kType1},
    {"SeuilMax_R_L2", kHex, kHex, kCfgRecord, cfg::kSeuilMaxRL2, 1, kWhole, kType1},
    {"SeuilMin_R_L1", kHex, kHex, kCfgRecord, cfg::kSeuilMinRL1, 1, kWhole, kType1},
    {"SeuilMin_R_L2", kHex, kHex, kCfgRecord, cfg::kSeuilMinRL2, 1, kWhole, kType1},
    {"Cfg_NbrEcu", kHex, kHex, kCfgRecord, cfg::kCfgNbrEcu, 1},
};

// [CfgRes%.3X], after the ECU sections, when the configuration has a result record: which tests
// were run (non-zero), and so which test sections follow.
inline constexpr KeyRow kTestsRunKeys[] = {
    {"Tests_Faisceau", kDec, kDec, kResultRecord, res::kTestsFaisceau, 1},
    {"Tests_Electriques", kDec, kDec, kResultRecord, res::kTestsElectriques, 1},
    {"Test_Longueur", kDec, kDec, kResultRecord, res::kTestLongueur, 1},
    {"Test_Blindage", kDec, kDec, kResultRecord, res::kTestBlindage, 1},
};

// [CfgRes%.3X], last: the pass flags (0 for a test not run).
inline constexpr KeyRow kVerdictKeys[] = {
    {"Result_Tests_Faisceau", kDec, kDec, kWiringVerdict, 0, 0},
    {"Result_Test_Blindage", kDec, kDec, kScreeningVerdict, 0, 0},
    {"Result_Tests_Electriques", kDec, kDec, kSignalVerdict, 0, 0},
    {"Result_Test_Longueur", kDec, kDec, kLengthVerdict, 0, 0},
    {"Result_Tests", kDec, kDec, kAllVerdict, 0, 0},
};

// [CfgRes%.3X_Uce%.3X], with the configuration's ECUs (frame sections follow each ECU).
inline constexpr KeyRow kEcuKeys[] = {
    {"Nom", kText, kText, kEcuRecord, ecu::kNom, ecu::kNomWidth},
    {"Nb_Msg", kHex, kDec, kEcuRecord, ecu::kNbMsg, 1},
};

// [CfgRes%.3X_Uce%.3X_Tr%.3X]
inline constexpr KeyRow kFrameKeys[] = {
    {"Nom", kText, kNone, kFrameRecord, frm::kNom, frm::kNomWidth},
    {"Ident", kHex, kNone, kFrameRecord, frm::kIdent, 4},
};

// [CfgRes%.3X_TESTHT]: states are 0 or 1 as written here, whatever their meaning.
inline constexpr KeyRow kWiringKeys[] = {
    {"Etat_R_L1/L2", kDec, kInt, kResultRecord, res::kEtatRL1L2, 1, kWhole, kType1},
    {"Val_R_L1/L2", kHex, kHex, kResultRecord, res::kValRL1L2, 4, kWhole, kType1},
    {"SeuilBas_R_L1/L2", kHex, kHex, kCfgRecord, cfg::kSeuilBasRL1L2, 2, kWhole, kType1},
    {"SeuilHaut_R_L1/L2", kHex, kHex, kCfgRecord, cfg::kSeuilHautRL1L2, 2, kWhole, kType1},
    {"Titre_R_L1/L2", kText, kText, kMenuTitle, 0, kTitleWidth, kWhole, kType1},
    {"Etat_CO_L1/L2", kDec, kInt, kResultRecord, res::kEtatCoL1L2, 1, kWhole, kType1},
    // One measurement serves both tests: the open-circuit value is the loop resistance.
    {"Val_CO_L1/L2", kHex, kHex, kResultRecord, res::kValRL1L2, 4, kWhole, kType1},
    {"Seuil_CO_L1/L2", kHex, kHex, kCfgRecord, cfg::kSeuilCoL1L2, 4, kWhole, kType1},
    {"Etat_CC_L1/VCC", kDec, kInt, kResultRecord, res::kEtatCc, 1, 0, kType1},
    {"Val_CC_L1/VCC", kHex, kHex, kResultRecord, res::kValCcL1Vcc, 4, kWhole, kType1},
    {"Seuil_CC_L1/VCC", kHex, kHex, kCfgRecord, cfg::kSeuilCcL1Vcc, 1, kWhole, kType1},
    {"Titre_CC_L1/VCC", kText, kText, kMenuTitle, 1, kTitleWidth, kWhole, kType1},
    {"Etat_CC_L2/VCC", kDec, kInt, kResultRecord, res::kEtatCc, 1, 1, kType1},
    {"Val_CC_L2/VCC", kHex, kHex, kResultRecord, res::kValCcL1Vcc + 4, 4, kWhole, kType1},
    {"Seuil_CC_L2/VCC", kHex, kHex, kCfgRecord, cfg::kSeuilCcL1Vcc + 1, 1, kWhole, kType1},
    {"Titre_CC_L2/VCC", kText, kText, kMenuTitle, 2, kTitleWidth, kWhole, kType1},
    {"Etat_CC_L1/GND", kDec, kInt, kResultRecord, res::kEtatCc, 1, 2, kType1},
    {"Val_CC_L1/GND", kHex, kHex, kResultRecord, res::kValCcL1Vcc + 8, 4, kWhole, kType1},
    {"Seuil_CC_L1/GND", kHex, kHex, kCfgRecord, cfg::kSeuilCcL1Vcc + 2, 1, kWhole, kType1},
    {"Titre_CC_L1/GND", kText, kText, kMenuTitle, 3, kTitleWidth, kWhole, kType1},
    {"Etat_CC_L2/GND", kDec, kInt, kResultRecord, res::kEtatCc, 1, 3, kType1},
    {"Val_CC_L2/GND", kHex, kHex, kResultRecord, res::kValCcL1Vcc + 12, 4, kWhole, kType1},
    {"Seuil_CC_L2/GND", kHex, kHex, kCfgRecord, cfg::kSeuilCcL1Vcc + 3, 1, kWhole, kType1},
    {"Titre_CC_L2/GND", kText, kText, kMenuTitle, 4, kTitleWidth, kWhole, kType1},
    {"Etat_CC_L1/SHIELD", kDec, kInt, kResultRecord, res::kEtatCc, 1, 4, kType1},
    {"Val_CC_L1/SHIELD", kHex, kHex, kResultRecord, res::kValCcL1Vcc + 16, 4, kWhole, kType1},
    {"Seuil_CC_L1/SHIELD", kHex, kHex, kCfgRecord, cfg::kSeuilCcL1Vcc + 4, 1, kWhole, kType1},
    {"Titre_CC_L1/SHIELD", kText, kText, kMenuTitle, 5, kTitleWidth, kWhole, kType1},
    {"Etat_CC_L2/SHIELD", kDec, kInt, kResultRecord, res::kEtatCc, 1, 5, kType1},
    {"Val_CC_L2/SHIELD", kHex, kHex, kResultRecord, res::kValCcL1Vcc + 20, 4, kWhole, kType1},
    {"Seuil_CC_L2/SHIELD", kHex, kHex, kCfgRecord, cfg::kSeuilCcL1Vcc + 5, 1, kWhole, kType1},
    {"Titre_CC_L2/SHIELD", kText, kText, kMenuTitle, 6, kTitleWidth, kWhole, kType1},
};

// [CfgRes%.3X_TESTST]
inline constexpr KeyRow kSignalKeys[] = {
    {"Titre_VCC", kText, kText, kCfgRecord, cfg::kTitreVcc, cfg::kTitreVccWidth},
    {"Val_VCC", kHex, kHex, kResultRecord, res::kValVcc, 2, kWhole, kType1},
    {"Titre_Debit", kText, kText, kMenuTitle, 0, kTitleWidth, kWhole, kType1},
    {"Titre_R_L1", kText, kText, kMenuTitle, 1, kTitleWidth, kWhole, kType1},
    {"Titre_D_L1", kText, kText, kMenuTitle, 2, kTitleWidth, kWhole, kType1},
    {"Titre_R_L2", kText, kText, kMenuTitle, 3, kTitleWidth, kWhole, kType1},
    {"Titre_D_L2", kText, kText, kMenuTitle, 4, kTitleWidth, kWhole, kType1},
    {"Titre_FM_L1", kText, kText, kMenuTitle, 5, kTitleWidth, kWhole, kType1},
    {"Titre_FD_L1", kText, kText, kMenuTitle, 6, kTitleWidth, kWhole, kType1},
    {"Titre_FM_L2", kText, kText, kMenuTitle, 7, kTitleWidth, kWhole, kType1},
    {"Titre_FD_L2", kText, kText, kMenuTitle, 8, kTitleWidth, kWhole, kType1},
};

// [CfgRes%.3X_Uce%.3X] again, after the test sections of configuration c: one ECU's signal test.
// States are the ECU result's pass bits.
inline constexpr KeyRow kEcuSignalKeys[] = {
    {"Etat_TestST", kDec, kDec, kEcuResultRecord, ecures::kEtat, 1, ecures::kBitTestSt, kType1},
    {"Etat_Debit", kDec, kInt, kEcuResultRecord, ecures::kEtat, 1, ecures::kBitDebit, kType1},
    {"Val_Debit", kHex, kHex, kEcuResultRecord, ecures::kValDebit, 2, kWhole, kType1},
    {"Val_Debit_Conf", kHex, kHex, kResultRecord, res::kValDebitConf, 2, kWhole, kType1},
    {"Tol_Debit", kHex, kHex, kResultRecord, res::kTolDebit, 2, kWhole, kType1},
    {"Etat_D_L1", kDec, kInt, kEcuResultRecord, ecures::kEtat, 1, ecures::kBitDL1, kType1},
    {"Val_D_L1", kHex, kHex, kEcuResultRecord, ecures::kValDL1, 1, kWhole, kType1},
    {"Etat_D_L2", kDec, kInt, kEcuResultRecord, ecures::kEtat, 1, ecures::kBitDL2, kType1},
    {"Val_D_L2", kHex, kHex, kEcuResultRecord, ecures::kValDL2, 1, kWhole, kType1},
    {"Etat_R_L1", kDec, kInt, kEcuResultRecord, ecures::kEtat, 1, ecures::kBitRL1, kType1},
    {"Val_R_L1", kHex, kHex, kEcuResultRecord, ecures::kValRL1, 1, kWhole, kType1},
    {"Etat_R_L2", kDec, kInt, kEcuResultRecord, ecures::kEtat, 1, ecures::kBitRL2, kType1},
    {"Val_R_L2", kHex, kHex, kEcuResultRecord, ecures::kValRL2, 1, kWhole, kType1},
    {"Val_Rise_L1", kHex, kHex, kEcuResultRecord, ecures::kValRiseL1, 2, kWhole, kType1},
    {"Val_Rise_L2", kHex, kHex, kEcuResultRecord, ecures::kValRiseL2, 2, kWhole, kType1},
    {"Val_Down_L1", kHex, kHex, kEcuResultRecord, ecures::kValDownL1, 2, kWhole, kType1},
    {"Val_Down_L2", kHex, kHex, kEcuResultRecord, ecures::kValDownL2, 2, kWhole, kType1},
    {"Val_%Osc_L1", kHex, kHex, kEcuResultRecord, ecures::kValOscL1, 1, kWhole, kType1},
    {"Val_%Osc_L2", kHex, kHex, kEcuResultRecord, ecures::kValOscL2, 1, kWhole, kType1},
    {"Val_ErrMesR_L1", kHex, kHex, kEcuResultRecord, ecures::kValErrMesRL1, 2, kWhole, kType1},
    {"Val_ErrMesR_L2", kHex, kHex, kEcuResultRecord, ecures::kValErrMesRL2, 2, kWhole, kType1},
    {"Val_ErrMesD_L1", kHex, kHex, kEcuResultRecord, ecures::kValErrMesDL1, 2, kWhole, kType1},
    {"Val_ErrMesD_L2", kHex, kHex, kEcuResultRecord, ecures::kValErrMesDL2, 2, kWhole, kType1},
    {"Result_TestST", kDec, kInt, kEcuVerdict, 0, 0, kWhole, kType1},
};

// [CfgRes%.3X_TESTBLINDAGE]
inline constexpr KeyRow kScreeningKeys[] = {
    {"Seuil_Co_Blindage", kHex, kHex, kResultRecord, res::kSeuilCoBlindage, 4},
    {"Mes_Co_Blindage", kHex, kHex, kResultRecord, res::kMesCoBlindage, 4},
    {"Result_Blindage", kHex, kInt, kResultRecord, res::kResultBlindage, 1},
};

// [CfgRes%.3X_TESTLONGUEUR]
inline constexpr KeyRow kLengthKeys[] = {
    {"Longueur_Max", kHex, kHex, kResultRecord, res::kLongueurMax, 2},
    {"Longueur_Mes", kHex, kHex, kResultRecord, res::kLongueurMes, 2},
    {"Debit", kHex, kHex, kResultRecord, res::kDebit, 2},
    {"Vitesse", kHex, kHex, kResultRecord, res::kVitesse, 1},
    {"Result_Longueur", kDec, kInt, kResultRecord, res::kResultLongueur, 1},
};
}  // namespace rows

// Which section a table's rows go to: the configuration set's, or the one named after
// configuration c (then ECU e, then frame f) followed by the table's suffix.
enum class Place : std::uint8_t { kSet, kConfig, kEcu, kFrame };

struct Table {
  Place place;
  const char* suffix;  // after the configuration's name (the test sections); "" for the others
  std::span<const KeyRow> rows;
};

inline constexpr Table kConfiguration{Place::kSet, "", rows::kConfigurationKeys};
inline constexpr Table kConfig{Place::kConfig, "", rows::kConfigKeys};
inline constexpr Table kTestsRun{Place::kConfig, "", rows::kTestsRunKeys};
inline constexpr Table kVerdicts{Place::kConfig, "", rows::kVerdictKeys};
inline constexpr Table kEcu{Place::kEcu, "", rows::kEcuKeys};
inline constexpr Table kFrame{Place::kFrame, "", rows::kFrameKeys};
inline constexpr Table kWiring{Place::kConfig, "_TESTHT", rows::kWiringKeys};
inline constexpr Table kSignal{Place::kConfig, "_TESTST", rows::kSignalKeys};
inline constexpr Table kEcuSignal{Place::kEcu, "", rows::kEcuSignalKeys};
inline constexpr Table kScreening{Place::kConfig, "_TESTBLINDAGE", rows::kScreeningKeys};
inline constexpr Table kLength{Place::kConfig, "_TESTLONGUEUR", rows::kLengthKeys};

// Every table, for checks that must cover them all.
inline constexpr const Table* kTables[] = {&kConfiguration, &kConfig,    &kTestsRun, &kVerdicts,
                                           &kEcu,           &kFrame,     &kWiring,   &kSignal,
                                           &kEcuSignal,     &kScreening, &kLength};

// Whether two tables' rows go to the same section.
constexpr bool SameSection(const Table& a, const Table& b) {
  if (a.place != b.place) return false;
  const char* x = a.suffix;
  const char* y = b.suffix;
  while (*x != '\0' && *x == *y) ++x, ++y;
  return *x == *y;
}

// Appends the upper-case hexadecimal digits of `value`, at least kIndexDigits of them.
inline void AppendIndex(std::string& out, std::uint32_t value) {
  char digits[8];
  int n = 0;
  do {
    digits[n++] = "0123456789ABCDEF"[value & 0xF];
    value >>= 4;
  } while (value != 0);
  for (int pad = kIndexDigits - n; pad > 0; --pad) out += '0';
  while (n > 0) out += digits[--n];
}

// The name of `table`'s section for configuration c, ECU e and frame f (the indices its place does
// not use are ignored), in `out`.
inline void SectionName(const Table& table, std::uint32_t c, std::uint32_t e, std::uint32_t f,
                        std::string& out) {
  if (table.place == Place::kSet) {
    out.assign(kConfigurationSection);
    return;
  }
  out.assign(kConfigPrefix);
  AppendIndex(out, c);
  if (table.place != Place::kConfig) {
    out.append(kEcuInfix);
    AppendIndex(out, e);
  }
  if (table.place == Place::kFrame) {
    out.append(kFrameInfix);
    AppendIndex(out, f);
  }
  out.append(table.suffix);
}

// The index of the row of `key` in `table`, for code that names one key of a table (compile-time
// lookups); table.size() when the table has no such key.
constexpr std::size_t FindKey(std::span<const KeyRow> table, const char* key) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    const char* a = table[i].key;
    const char* b = key;
    while (*a != '\0' && *a == *b) ++a, ++b;
    if (*a == *b) return i;
  }
  return table.size();
}

}  // namespace formats::results_log
