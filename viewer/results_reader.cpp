// The seven readers of one upload's results. Every key goes through the profile reader with the
// default "Erreur", which marks the key as missing; numbers are parsed with the C library's rules
// on the value text (never with the value as a format).
#include "viewer/results_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <span>
#include <type_traits>
#include <utility>
#include <variant>

#include "formats/results_log_format.h"
#include "platform/native_path.h"
#include "platform/profile_snapshot.h"

namespace viewer {

// The model's parts (report/result_model.h), which the reader fills.
using report::AcquisitionBuffer;
using report::EcuSignalRecord;
using report::LengthResult;
using report::ScreeningResult;
using report::SignalTitles;
using report::WiringTest;
namespace {

constexpr const char* kMissing = "Erreur";
constexpr std::size_t kValueBufferSize = 100;  // values are cut to 99 bytes
constexpr std::size_t kTextRoom = 99;
constexpr std::size_t kConfigurationNameRoom = 29;

namespace rl = formats::results_log;
using rl::Form;
using rl::KeyRow;

// Parses the leading number of `text` with strtoll/strtoull, which skip leading white space and
// take an optional sign and prefix as the scanf conversions do. Both are 64-bit on every platform,
// so an out-of-range value truncates to the same 32 bits on both builds. Returns false when the
// text holds no leading number.
bool ParseNumber(const std::string& text, Form form, std::uint32_t& bits) {
  const char* begin = text.c_str();
  char* end = nullptr;
  if (form == Form::kHex) {
    const unsigned long long value = std::strtoull(begin, &end, 16);
    bits = static_cast<std::uint32_t>(value);
  } else {
    const long long value = std::strtoll(begin, &end, form == Form::kInt ? 0 : 10);
    bits = static_cast<std::uint32_t>(value);
  }
  return end != begin;
}

template <typename Record>
using FieldOf =
    std::variant<std::uint32_t Record::*, std::int32_t Record::*, std::string Record::*>;

// Where one row of the results file goes in the model: a row of formats/results_log_format.h
// (its key and the form it is read with) and a field of `Record`.
template <typename Record>
struct KeyField {
  const KeyRow* row;
  FieldOf<Record> field;
};

// Not constexpr on purpose: Bind reaching it at compile time is a compile error, so a binding that
// names no row of its table, or whose field cannot hold the row's read form, does not build.
void NoSuchBinding() {}

// Binds the row of `key` in `table` to `field`; evaluated at compile time, so that the key must be
// one of the table's and the field's type must fit its read form (text into a string, "%x" into an
// unsigned pattern, "%d" and "%i" into a signed integer).
template <typename Record, typename Field>
consteval KeyField<Record> Bind(std::span<const KeyRow> table, const char* key,
                                Field Record::*field) {
  const std::size_t index = rl::FindKey(table, key);
  if (index == table.size()) NoSuchBinding();
  const Form read = table[index].read;
  const bool fits =
      (read == Form::kText && std::is_same_v<Field, std::string>) ||
      (read == Form::kHex && std::is_same_v<Field, std::uint32_t>) ||
      ((read == Form::kDec || read == Form::kInt) && std::is_same_v<Field, std::int32_t>);
  if (!fits) NoSuchBinding();
  return {&table[index], field};
}

class SectionReader {
 public:
  SectionReader(std::string section, const ResultFiles& files)
      : section_(std::move(section)), file_(platform::ProfileSnapshot::Of(files.results_log)) {}

  // The raw value, or false when the key is missing. The one place the readers ask the profile
  // reader for a value.
  bool Value(const char* key, std::string& value) const {
    value = file_->Read(section_, key, kMissing, kValueBufferSize);
    return value != kMissing;
  }

  bool Text(const char* key, std::string& field, std::size_t room = kTextRoom) const {
    std::string value;
    if (!Value(key, value)) return false;
    field = value.substr(0, room);
    return true;
  }

  template <typename Integer>
  bool Number(const char* key, Form form, Integer& field) const {
    std::string value;
    if (!Value(key, value)) return false;
    std::uint32_t bits = 0;
    if (ParseNumber(value, form, bits)) field = static_cast<Integer>(bits);
    return true;
  }

  // Reads one row into its field of `record`; false when the key is missing.
  template <typename Record>
  bool Field(const KeyField<Record>& entry, Record& record) const {
    if (const auto* text = std::get_if<std::string Record::*>(&entry.field)) {
      return Text(entry.row->key, record.**text);
    }
    if (const auto* hex = std::get_if<std::uint32_t Record::*>(&entry.field)) {
      return Number(entry.row->key, entry.row->read, record.**hex);
    }
    return Number(entry.row->key, entry.row->read,
                  record.*std::get<std::int32_t Record::*>(entry.field));
  }

  // Reads the fields in table order; stops at the first missing key.
  template <typename Record, std::size_t N>
  bool Fields(const KeyField<Record> (&table)[N], Record& record) const {
    for (const KeyField<Record>& entry : table) {
      if (!Field(entry, record)) return false;
    }
    return true;
  }

 private:
  std::string section_;
  // Results.log parsed once for all the readers, not once per key.
  std::shared_ptr<const platform::ProfileSnapshot> file_;
};

// Only configuration 0 is read.
std::string SectionName(const char* suffix) {
  char name[32];
  std::snprintf(name, sizeof name, "%s%.3X", rl::kConfigPrefix, 0u);
  return name + std::string(suffix);
}

std::string EcuSectionName(std::uint32_t ecu) {
  char number[16];
  std::snprintf(number, sizeof number, "%.3X", static_cast<unsigned>(ecu));
  return SectionName(rl::kEcuInfix) + number;
}

// DDMMYYYY_HHhMMmSS becomes DD/MM/YYYY HH:MM:SS, cut by character position; a shorter value gives
// shorter or empty pieces.
std::string FormatDate(const std::string& value) {
  const auto piece = [&value](std::size_t position, std::size_t length) {
    return position < value.size() ? value.substr(position, length) : std::string();
  };
  return piece(0, 2) + "/" + piece(2, 2) + "/" + piece(4, 4) + " " + piece(9, 2) + ":" +
         piece(12, 2) + ":" + piece(15, 2);
}

int Status(bool ok) { return ok ? 0 : -1; }

using M = ResultModel;
constexpr KeyField<M> kConfigurationFields[] = {
    Bind(rl::kConfigKeys, "SeuilMax_D_L1", &M::seuil_max_d_l1),
    Bind(rl::kConfigKeys, "SeuilMax_D_L2", &M::seuil_max_d_l2),
    Bind(rl::kConfigKeys, "SeuilMin_D_L1", &M::seuil_min_d_l1),
    Bind(rl::kConfigKeys, "SeuilMin_D_L2", &M::seuil_min_d_l2),
    Bind(rl::kConfigKeys, "SeuilMax_R_L1", &M::seuil_max_r_l1),
    Bind(rl::kConfigKeys, "SeuilMax_R_L2", &M::seuil_max_r_l2),
    Bind(rl::kConfigKeys, "SeuilMin_R_L1", &M::seuil_min_r_l1),
    Bind(rl::kConfigKeys, "SeuilMin_R_L2", &M::seuil_min_r_l2),
    Bind(rl::kConfigKeys, "Cfg_NbrEcu", &M::cfg_nbr_ecu),
    Bind(rl::kTestsRunKeys, "Tests_Faisceau", &M::tests_faisceau),
    Bind(rl::kTestsRunKeys, "Tests_Electriques", &M::tests_electriques),
    Bind(rl::kTestsRunKeys, "Test_Longueur", &M::test_longueur),
    Bind(rl::kTestsRunKeys, "Test_Blindage", &M::test_blindage),
    // Read in another order than the tool writes them; kept, as it decides which fields a file
    // cut among these keys leaves filled.
    Bind(rl::kVerdictKeys, "Result_Tests_Faisceau", &M::result_tests_faisceau),
    Bind(rl::kVerdictKeys, "Result_Tests_Electriques", &M::result_tests_electriques),
    Bind(rl::kVerdictKeys, "Result_Test_Longueur", &M::result_test_longueur),
    Bind(rl::kVerdictKeys, "Result_Test_Blindage", &M::result_test_blindage),
    Bind(rl::kVerdictKeys, "Result_Tests", &M::result_tests),
};

// Wiring rows in reading order, each with the number of the entry it fills.
struct WiringField {
  int entry;
  KeyField<WiringTest> key;
};

using W = WiringTest;
constexpr auto kWiring = std::span<const KeyRow>(rl::kWiringKeys);
constexpr WiringField kWiringFields[] = {
    {7, Bind(kWiring, "Etat_R_L1/L2", &W::state)},
    {7, Bind(kWiring, "Val_R_L1/L2", &W::value)},
    {7, Bind(kWiring, "SeuilBas_R_L1/L2", &W::threshold)},
    {7, Bind(kWiring, "SeuilHaut_R_L1/L2", &W::threshold_high)},
    {7, Bind(kWiring, "Titre_R_L1/L2", &W::title)},
    {6, Bind(kWiring, "Etat_CO_L1/L2", &W::state)},
    {6, Bind(kWiring, "Val_CO_L1/L2", &W::value)},
    {6, Bind(kWiring, "Seuil_CO_L1/L2", &W::threshold)},
    {5, Bind(kWiring, "Etat_CC_L1/VCC", &W::state)},
    {5, Bind(kWiring, "Val_CC_L1/VCC", &W::value)},
    {5, Bind(kWiring, "Seuil_CC_L1/VCC", &W::threshold)},
    {5, Bind(kWiring, "Titre_CC_L1/VCC", &W::title)},
    {4, Bind(kWiring, "Etat_CC_L2/VCC", &W::state)},
    {4, Bind(kWiring, "Val_CC_L2/VCC", &W::value)},
    {4, Bind(kWiring, "Seuil_CC_L2/VCC", &W::threshold)},
    {4, Bind(kWiring, "Titre_CC_L2/VCC", &W::title)},
    {3, Bind(kWiring, "Etat_CC_L1/GND", &W::state)},
    {3, Bind(kWiring, "Val_CC_L1/GND", &W::value)},
    {3, Bind(kWiring, "Seuil_CC_L1/GND", &W::threshold)},
    {3, Bind(kWiring, "Titre_CC_L1/GND", &W::title)},
    {2, Bind(kWiring, "Etat_CC_L2/GND", &W::state)},
    {2, Bind(kWiring, "Val_CC_L2/GND", &W::value)},
    {2, Bind(kWiring, "Seuil_CC_L2/GND", &W::threshold)},
    {2, Bind(kWiring, "Titre_CC_L2/GND", &W::title)},
    {1, Bind(kWiring, "Etat_CC_L1/SHIELD", &W::state)},
    {1, Bind(kWiring, "Val_CC_L1/SHIELD", &W::value)},
    {1, Bind(kWiring, "Seuil_CC_L1/SHIELD", &W::threshold)},
    {1, Bind(kWiring, "Titre_CC_L1/SHIELD", &W::title)},
    {0, Bind(kWiring, "Etat_CC_L2/SHIELD", &W::state)},
    {0, Bind(kWiring, "Val_CC_L2/SHIELD", &W::value)},
    {0, Bind(kWiring, "Seuil_CC_L2/SHIELD", &W::threshold)},
    {0, Bind(kWiring, "Titre_CC_L2/SHIELD", &W::title)},
};

using S = SignalTitles;
constexpr auto kSignal = std::span<const KeyRow>(rl::kSignalKeys);
constexpr KeyField<S> kSignalFields[] = {
    Bind(kSignal, "Titre_VCC", &S::titre_vcc),     Bind(kSignal, "Val_VCC", &S::val_vcc),
    Bind(kSignal, "Titre_Debit", &S::titre_debit), Bind(kSignal, "Titre_R_L1", &S::titre_r_l1),
    Bind(kSignal, "Titre_D_L1", &S::titre_d_l1),   Bind(kSignal, "Titre_R_L2", &S::titre_r_l2),
    Bind(kSignal, "Titre_D_L2", &S::titre_d_l2),   Bind(kSignal, "Titre_FM_L1", &S::titre_fm_l1),
    Bind(kSignal, "Titre_FD_L1", &S::titre_fd_l1), Bind(kSignal, "Titre_FM_L2", &S::titre_fm_l2),
    Bind(kSignal, "Titre_FD_L2", &S::titre_fd_l2),
};

using E = EcuSignalRecord;
constexpr auto kEcuSignal = std::span<const KeyRow>(rl::kEcuSignalKeys);
constexpr KeyField<E> kEcuFields[] = {
    Bind(rl::kEcuKeys, "Nom", &E::nom),
    Bind(rl::kEcuKeys, "Nb_Msg", &E::nb_msg),
    Bind(kEcuSignal, "Etat_TestST", &E::etat_test_st),
    Bind(kEcuSignal, "Etat_Debit", &E::etat_debit),
    Bind(kEcuSignal, "Val_Debit", &E::val_debit),
    Bind(kEcuSignal, "Val_Debit_Conf", &E::val_debit_conf),
    Bind(kEcuSignal, "Tol_Debit", &E::tol_debit),
    Bind(kEcuSignal, "Etat_D_L1", &E::etat_d_l1),
    Bind(kEcuSignal, "Val_D_L1", &E::val_d_l1),
    Bind(kEcuSignal, "Etat_D_L2", &E::etat_d_l2),
    Bind(kEcuSignal, "Val_D_L2", &E::val_d_l2),
    Bind(kEcuSignal, "Etat_R_L1", &E::etat_r_l1),
    Bind(kEcuSignal, "Val_R_L1", &E::val_r_l1),
    Bind(kEcuSignal, "Etat_R_L2", &E::etat_r_l2),
    Bind(kEcuSignal, "Val_R_L2", &E::val_r_l2),
    Bind(kEcuSignal, "Val_Rise_L1", &E::val_rise_l1),
    Bind(kEcuSignal, "Val_Rise_L2", &E::val_rise_l2),
    Bind(kEcuSignal, "Val_Down_L1", &E::val_down_l1),
    Bind(kEcuSignal, "Val_Down_L2", &E::val_down_l2),
    Bind(kEcuSignal, "Val_%Osc_L1", &E::val_osc_l1),
    Bind(kEcuSignal, "Val_%Osc_L2", &E::val_osc_l2),
    Bind(kEcuSignal, "Val_ErrMesR_L1", &E::val_err_mes_r_l1),
    Bind(kEcuSignal, "Val_ErrMesR_L2", &E::val_err_mes_r_l2),
    Bind(kEcuSignal, "Val_ErrMesD_L1", &E::val_err_mes_d_l1),
    Bind(kEcuSignal, "Val_ErrMesD_L2", &E::val_err_mes_d_l2),
    Bind(kEcuSignal, "Result_TestST", &E::result_test_st),
};

using L = LengthResult;
constexpr auto kLength = std::span<const KeyRow>(rl::kLengthKeys);
constexpr KeyField<L> kLengthFields[] = {
    Bind(kLength, "Longueur_Max", &L::longueur_max),
    Bind(kLength, "Longueur_Mes", &L::longueur_mes),
    Bind(kLength, "Debit", &L::debit),
    Bind(kLength, "Vitesse", &L::vitesse),
    Bind(kLength, "Result_Longueur", &L::result_longueur),
};

using B = ScreeningResult;
constexpr auto kScreening = std::span<const KeyRow>(rl::kScreeningKeys);
constexpr KeyField<B> kScreeningFields[] = {
    Bind(kScreening, "Seuil_Co_Blindage", &B::seuil_co_blindage),
    Bind(kScreening, "Mes_Co_Blindage", &B::mes_co_blindage),
    Bind(kScreening, "Result_Blindage", &B::result_blindage),
};

// The header reader's two rows: the configuration name (kept to 29 bytes) and the date (a key
// the table lacks makes these fail to compile).
constexpr const KeyRow& kConfigurationName =
    rl::kConfigKeys[rl::FindKey(rl::kConfigKeys, "Cfg_Nom")];
constexpr const KeyRow& kDate = rl::kConfigurationKeys[rl::FindKey(rl::kConfigurationKeys, "Date")];
static_assert(kConfigurationName.read == Form::kText);
static_assert(kDate.read == Form::kDate);

// 0xFF bytes, then as much of the acquisition image as it holds, up to the buffer's size.
void LoadAcquisition(const std::string& path, AcquisitionBuffer& buffer) {
  buffer.fill(0xFF);
  std::ifstream file(platform::NativePath(path), std::ios::binary);
  if (!file) return;
  file.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(buffer.size()));
}

}  // namespace

int ReadConfigurationHeader(ResultModel& model, const ResultFiles& files) {
  if (!SectionReader(SectionName(""), files)
           .Text(kConfigurationName.key, model.configuration_name, kConfigurationNameRoom)) {
    return -1;
  }
  std::string date;
  if (!SectionReader(rl::kConfigurationSection, files).Value(kDate.key, date)) return -1;
  model.upload_date = FormatDate(date);
  return 0;
}

int ReadConfigurationRecord(ResultModel& model, const ResultFiles& files) {
  return Status(SectionReader(SectionName(""), files).Fields(kConfigurationFields, model));
}

int ReadWiringTests(ResultModel& model, const ResultFiles& files) {
  const SectionReader reader(SectionName(rl::kWiringSuffix), files);
  for (const WiringField& field : kWiringFields) {
    if (!reader.Field(field.key, model.wiring[field.entry])) return -1;
  }
  return 0;
}

int ReadSignalTitles(ResultModel& model, const ResultFiles& files) {
  return Status(
      SectionReader(SectionName(rl::kSignalSuffix), files).Fields(kSignalFields, model.signal));
}

int ReadEcuRecords(ResultModel& model, const ResultFiles& files) {
  model.ecus.clear();
  // The count comes from the file: reserve only what the section names can address (three hex
  // digits), never a hostile 32-bit count.
  model.ecus.reserve(std::min<std::uint32_t>(model.cfg_nbr_ecu, 0x1000));
  for (std::uint32_t ecu = 0; ecu < model.cfg_nbr_ecu; ++ecu) {
    EcuSignalRecord record;
    if (!SectionReader(EcuSectionName(ecu), files).Fields(kEcuFields, record)) return -1;
    model.ecus.push_back(std::move(record));
  }
  return 0;
}

int ReadLengthResults(ResultModel& model, const ResultFiles& files) {
  if (!SectionReader(SectionName(rl::kLengthSuffix), files).Fields(kLengthFields, model.length)) {
    return -1;
  }
  LoadAcquisition(files.acquisition, model.length.acquisition);
  return 0;
}

int ReadScreeningResults(ResultModel& model, const ResultFiles& files) {
  return Status(SectionReader(SectionName(rl::kScreeningSuffix), files)
                    .Fields(kScreeningFields, model.screening));
}

int ReadAllResults(ResultModel& model, const ResultFiles& files) {
  model.Clear();
  bool ok = ReadConfigurationHeader(model, files) == 0;
  ok = ReadConfigurationRecord(model, files) == 0 && ok;
  if (model.tests_faisceau == 1) ok = ReadWiringTests(model, files) == 0 && ok;
  if (model.tests_electriques == 1) {
    ok = ReadSignalTitles(model, files) == 0 && ok;
    ok = ReadEcuRecords(model, files) == 0 && ok;
  }
  if (model.test_longueur == 1) ok = ReadLengthResults(model, files) == 0 && ok;
  if (model.test_blindage == 1) ok = ReadScreeningResults(model, files) == 0 && ok;
  return Status(ok);
}

}  // namespace viewer
