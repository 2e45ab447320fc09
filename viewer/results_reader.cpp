// The seven readers of one upload's results. Results.log is read and parsed once; every key is
// read from that document with the rules of the Windows profile functions and the default
// "Erreur", which marks the key as missing; numbers are parsed with the C library's rules on the
// value text (never with the value as a format).
#include "viewer/results_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <type_traits>
#include <utility>
#include <variant>

#include "formats/results_log_format.h"
#include "platform/read_whole_file.h"
#include "profile/document.h"

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
// (its key and the form it is read with), the table that holds it (and so its section) and a
// field of `Record`.
template <typename Record>
struct KeyField {
  const rl::Table* table;
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
consteval KeyField<Record> Bind(const rl::Table& table, const char* key, Field Record::*field) {
  const std::size_t index = rl::FindKey(table.rows, key);
  if (index == table.rows.size()) NoSuchBinding();
  const Form read = table.rows[index].read;
  const bool fits =
      (read == Form::kText && std::is_same_v<Field, std::string>) ||
      (read == Form::kHex && std::is_same_v<Field, std::uint32_t>) ||
      ((read == Form::kDec || read == Form::kInt) && std::is_same_v<Field, std::int32_t>);
  if (!fits) NoSuchBinding();
  return {&table, &table.rows[index], field};
}

// The keys of one section of the parsed results file.
class SectionReader {
 public:
  // The section of `table` for configuration 0 and ECU `ecu`.
  SectionReader(const profile::Document& file, const rl::Table& table, std::uint32_t ecu = 0)
      : file_(file) {
    rl::SectionName(table, 0, ecu, 0, section_);
  }

  // The raw value, or false when the key is missing. The one place the readers ask the document
  // for a value.
  bool Value(const char* key, std::string& value) const {
    value = file_.Read(section_, key, kMissing, kValueBufferSize);
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
  const profile::Document& file_;
  std::string section_;
};

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
    Bind(rl::kConfig, "SeuilMax_D_L1", &M::seuil_max_d_l1),
    Bind(rl::kConfig, "SeuilMax_D_L2", &M::seuil_max_d_l2),
    Bind(rl::kConfig, "SeuilMin_D_L1", &M::seuil_min_d_l1),
    Bind(rl::kConfig, "SeuilMin_D_L2", &M::seuil_min_d_l2),
    Bind(rl::kConfig, "SeuilMax_R_L1", &M::seuil_max_r_l1),
    Bind(rl::kConfig, "SeuilMax_R_L2", &M::seuil_max_r_l2),
    Bind(rl::kConfig, "SeuilMin_R_L1", &M::seuil_min_r_l1),
    Bind(rl::kConfig, "SeuilMin_R_L2", &M::seuil_min_r_l2),
    Bind(rl::kConfig, "Cfg_NbrEcu", &M::cfg_nbr_ecu),
    Bind(rl::kTestsRun, "Tests_Faisceau", &M::tests_faisceau),
    Bind(rl::kTestsRun, "Tests_Electriques", &M::tests_electriques),
    Bind(rl::kTestsRun, "Test_Longueur", &M::test_longueur),
    Bind(rl::kTestsRun, "Test_Blindage", &M::test_blindage),
    // Read in another order than the tool writes them; kept, as it decides which fields a file
    // cut among these keys leaves filled.
    Bind(rl::kVerdicts, "Result_Tests_Faisceau", &M::result_tests_faisceau),
    Bind(rl::kVerdicts, "Result_Tests_Electriques", &M::result_tests_electriques),
    Bind(rl::kVerdicts, "Result_Test_Longueur", &M::result_test_longueur),
    Bind(rl::kVerdicts, "Result_Test_Blindage", &M::result_test_blindage),
    Bind(rl::kVerdicts, "Result_Tests", &M::result_tests),
};

// Wiring rows in reading order, each with the number of the entry it fills.
struct WiringField {
  int entry;
  KeyField<WiringTest> key;
};

using W = WiringTest;
constexpr WiringField kWiringFields[] = {
    {7, Bind(rl::kWiring, "Etat_R_L1/L2", &W::state)},
    {7, Bind(rl::kWiring, "Val_R_L1/L2", &W::value)},
    {7, Bind(rl::kWiring, "SeuilBas_R_L1/L2", &W::threshold)},
    {7, Bind(rl::kWiring, "SeuilHaut_R_L1/L2", &W::threshold_high)},
    {7, Bind(rl::kWiring, "Titre_R_L1/L2", &W::title)},
    {6, Bind(rl::kWiring, "Etat_CO_L1/L2", &W::state)},
    {6, Bind(rl::kWiring, "Val_CO_L1/L2", &W::value)},
    {6, Bind(rl::kWiring, "Seuil_CO_L1/L2", &W::threshold)},
    {5, Bind(rl::kWiring, "Etat_CC_L1/VCC", &W::state)},
    {5, Bind(rl::kWiring, "Val_CC_L1/VCC", &W::value)},
    {5, Bind(rl::kWiring, "Seuil_CC_L1/VCC", &W::threshold)},
    {5, Bind(rl::kWiring, "Titre_CC_L1/VCC", &W::title)},
    {4, Bind(rl::kWiring, "Etat_CC_L2/VCC", &W::state)},
    {4, Bind(rl::kWiring, "Val_CC_L2/VCC", &W::value)},
    {4, Bind(rl::kWiring, "Seuil_CC_L2/VCC", &W::threshold)},
    {4, Bind(rl::kWiring, "Titre_CC_L2/VCC", &W::title)},
    {3, Bind(rl::kWiring, "Etat_CC_L1/GND", &W::state)},
    {3, Bind(rl::kWiring, "Val_CC_L1/GND", &W::value)},
    {3, Bind(rl::kWiring, "Seuil_CC_L1/GND", &W::threshold)},
    {3, Bind(rl::kWiring, "Titre_CC_L1/GND", &W::title)},
    {2, Bind(rl::kWiring, "Etat_CC_L2/GND", &W::state)},
    {2, Bind(rl::kWiring, "Val_CC_L2/GND", &W::value)},
    {2, Bind(rl::kWiring, "Seuil_CC_L2/GND", &W::threshold)},
    {2, Bind(rl::kWiring, "Titre_CC_L2/GND", &W::title)},
    {1, Bind(rl::kWiring, "Etat_CC_L1/SHIELD", &W::state)},
    {1, Bind(rl::kWiring, "Val_CC_L1/SHIELD", &W::value)},
    {1, Bind(rl::kWiring, "Seuil_CC_L1/SHIELD", &W::threshold)},
    {1, Bind(rl::kWiring, "Titre_CC_L1/SHIELD", &W::title)},
    {0, Bind(rl::kWiring, "Etat_CC_L2/SHIELD", &W::state)},
    {0, Bind(rl::kWiring, "Val_CC_L2/SHIELD", &W::value)},
    {0, Bind(rl::kWiring, "Seuil_CC_L2/SHIELD", &W::threshold)},
    {0, Bind(rl::kWiring, "Titre_CC_L2/SHIELD", &W::title)},
};

using S = SignalTitles;
constexpr KeyField<S> kSignalFields[] = {
    Bind(rl::kSignal, "Titre_VCC", &S::titre_vcc),
    Bind(rl::kSignal, "Val_VCC", &S::val_vcc),
    Bind(rl::kSignal, "Titre_Debit", &S::titre_debit),
    Bind(rl::kSignal, "Titre_R_L1", &S::titre_r_l1),
    Bind(rl::kSignal, "Titre_D_L1", &S::titre_d_l1),
    Bind(rl::kSignal, "Titre_R_L2", &S::titre_r_l2),
    Bind(rl::kSignal, "Titre_D_L2", &S::titre_d_l2),
    Bind(rl::kSignal, "Titre_FM_L1", &S::titre_fm_l1),
    Bind(rl::kSignal, "Titre_FD_L1", &S::titre_fd_l1),
    Bind(rl::kSignal, "Titre_FM_L2", &S::titre_fm_l2),
    Bind(rl::kSignal, "Titre_FD_L2", &S::titre_fd_l2),
};

using E = EcuSignalRecord;
constexpr KeyField<E> kEcuFields[] = {
    Bind(rl::kEcu, "Nom", &E::nom),
    Bind(rl::kEcu, "Nb_Msg", &E::nb_msg),
    Bind(rl::kEcuSignal, "Etat_TestST", &E::etat_test_st),
    Bind(rl::kEcuSignal, "Etat_Debit", &E::etat_debit),
    Bind(rl::kEcuSignal, "Val_Debit", &E::val_debit),
    Bind(rl::kEcuSignal, "Val_Debit_Conf", &E::val_debit_conf),
    Bind(rl::kEcuSignal, "Tol_Debit", &E::tol_debit),
    Bind(rl::kEcuSignal, "Etat_D_L1", &E::etat_d_l1),
    Bind(rl::kEcuSignal, "Val_D_L1", &E::val_d_l1),
    Bind(rl::kEcuSignal, "Etat_D_L2", &E::etat_d_l2),
    Bind(rl::kEcuSignal, "Val_D_L2", &E::val_d_l2),
    Bind(rl::kEcuSignal, "Etat_R_L1", &E::etat_r_l1),
    Bind(rl::kEcuSignal, "Val_R_L1", &E::val_r_l1),
    Bind(rl::kEcuSignal, "Etat_R_L2", &E::etat_r_l2),
    Bind(rl::kEcuSignal, "Val_R_L2", &E::val_r_l2),
    Bind(rl::kEcuSignal, "Val_Rise_L1", &E::val_rise_l1),
    Bind(rl::kEcuSignal, "Val_Rise_L2", &E::val_rise_l2),
    Bind(rl::kEcuSignal, "Val_Down_L1", &E::val_down_l1),
    Bind(rl::kEcuSignal, "Val_Down_L2", &E::val_down_l2),
    Bind(rl::kEcuSignal, "Val_%Osc_L1", &E::val_osc_l1),
    Bind(rl::kEcuSignal, "Val_%Osc_L2", &E::val_osc_l2),
    Bind(rl::kEcuSignal, "Val_ErrMesR_L1", &E::val_err_mes_r_l1),
    Bind(rl::kEcuSignal, "Val_ErrMesR_L2", &E::val_err_mes_r_l2),
    Bind(rl::kEcuSignal, "Val_ErrMesD_L1", &E::val_err_mes_d_l1),
    Bind(rl::kEcuSignal, "Val_ErrMesD_L2", &E::val_err_mes_d_l2),
    Bind(rl::kEcuSignal, "Result_TestST", &E::result_test_st),
};

using L = LengthResult;
constexpr KeyField<L> kLengthFields[] = {
    Bind(rl::kLength, "Longueur_Max", &L::longueur_max),
    Bind(rl::kLength, "Longueur_Mes", &L::longueur_mes),
    Bind(rl::kLength, "Debit", &L::debit),
    Bind(rl::kLength, "Vitesse", &L::vitesse),
    Bind(rl::kLength, "Result_Longueur", &L::result_longueur),
};

using B = ScreeningResult;
constexpr KeyField<B> kScreeningFields[] = {
    Bind(rl::kScreening, "Seuil_Co_Blindage", &B::seuil_co_blindage),
    Bind(rl::kScreening, "Mes_Co_Blindage", &B::mes_co_blindage),
    Bind(rl::kScreening, "Result_Blindage", &B::result_blindage),
};

// The header reader's two rows: the configuration name (kept to 29 bytes) and the date (a key
// the table lacks makes these fail to compile).
constexpr const KeyRow& kConfigurationName =
    rl::kConfig.rows[rl::FindKey(rl::kConfig.rows, "Cfg_Nom")];
constexpr const KeyRow& kDate =
    rl::kConfiguration.rows[rl::FindKey(rl::kConfiguration.rows, "Date")];
static_assert(kConfigurationName.read == Form::kText);
static_assert(kDate.read == Form::kDate);

// A list of bindings is read from one section: the section of its first binding's table.
template <typename Record, std::size_t N>
consteval bool OneSection(const KeyField<Record> (&fields)[N]) {
  for (const KeyField<Record>& f : fields) {
    if (!rl::SameSection(*f.table, *fields[0].table)) return false;
  }
  return true;
}
static_assert(OneSection(kConfigurationFields) && OneSection(kSignalFields) &&
              OneSection(kEcuFields) && OneSection(kLengthFields) && OneSection(kScreeningFields));
static_assert(rl::SameSection(*kConfigurationFields[0].table, rl::kConfig));

// Whether a binding reads `row` of `table`. By section and key, not by address: the sanitizer
// build does not take the addresses of two tables as constants to compare.
constexpr bool Reads(const rl::Table& bound_table, const KeyRow& bound_row, const rl::Table& table,
                     const KeyRow& row) {
  return rl::SameSection(bound_table, table) &&
         rl::FindKey(std::span<const KeyRow>(&bound_row, 1), row.key) == 0;
}

template <typename Record, std::size_t N>
consteval int TimesIn(const rl::Table& table, const KeyRow& row,
                      const KeyField<Record> (&fields)[N]) {
  int n = 0;
  for (const KeyField<Record>& f : fields) n += Reads(*f.table, *f.row, table, row) ? 1 : 0;
  return n;
}

// How many bindings of this file read `row` of `table`.
consteval int TimesBound(const rl::Table& table, const KeyRow& row) {
  int n = (Reads(rl::kConfig, kConfigurationName, table, row) ? 1 : 0) +
          (Reads(rl::kConfiguration, kDate, table, row) ? 1 : 0);
  n += TimesIn(table, row, kConfigurationFields) + TimesIn(table, row, kSignalFields) +
       TimesIn(table, row, kEcuFields) + TimesIn(table, row, kLengthFields) +
       TimesIn(table, row, kScreeningFields);
  for (const WiringField& w : kWiringFields)
    n += Reads(*w.key.table, *w.key.row, table, row) ? 1 : 0;
  return n;
}

// The key of the first row that Morvane must read (its read form is not kNone) and that has no
// binding here, or two; nullptr when every such row is bound once.
consteval const char* BadlyBoundKey() {
  for (const rl::Table* table : rl::kTables) {
    for (const KeyRow& row : table->rows) {
      if (TimesBound(*table, row) != (row.read == Form::kNone ? 0 : 1)) return row.key;
    }
  }
  return nullptr;
}
// A row added to formats/results_log_format.h with a read form stops the build here until a
// field of the model is bound to it above.
static_assert(BadlyBoundKey() == nullptr, "a readable row of Results.log is not bound once");

// 0xFF bytes, then as much of the acquisition image as it holds, up to the buffer's size.
void LoadAcquisition(const std::string& path, AcquisitionBuffer& buffer) {
  buffer.fill(0xFF);
  const std::optional<std::string> bytes = platform::ReadWholeFile(path, buffer.size());
  if (bytes) std::copy(bytes->begin(), bytes->end(), buffer.begin());
}

int ReadConfigurationHeader(ResultModel& model, const profile::Document& file) {
  if (!SectionReader(file, rl::kConfig)
           .Text(kConfigurationName.key, model.configuration_name, kConfigurationNameRoom)) {
    return -1;
  }
  std::string date;
  if (!SectionReader(file, rl::kConfiguration).Value(kDate.key, date)) return -1;
  model.upload_date = FormatDate(date);
  return 0;
}

int ReadConfigurationRecord(ResultModel& model, const profile::Document& file) {
  return Status(
      SectionReader(file, *kConfigurationFields[0].table).Fields(kConfigurationFields, model));
}

int ReadWiringTests(ResultModel& model, const profile::Document& file) {
  const SectionReader reader(file, rl::kWiring);
  for (const WiringField& field : kWiringFields) {
    if (!reader.Field(field.key, model.wiring[field.entry])) return -1;
  }
  return 0;
}

int ReadSignalTitles(ResultModel& model, const profile::Document& file) {
  return Status(SectionReader(file, *kSignalFields[0].table).Fields(kSignalFields, model.signal));
}

int ReadEcuRecords(ResultModel& model, const profile::Document& file) {
  model.ecus.clear();
  // The count comes from the file: reserve only what the section names can address (three hex
  // digits), never a hostile 32-bit count.
  model.ecus.reserve(std::min<std::uint32_t>(model.cfg_nbr_ecu, 0x1000));
  for (std::uint32_t ecu = 0; ecu < model.cfg_nbr_ecu; ++ecu) {
    EcuSignalRecord record;
    if (!SectionReader(file, *kEcuFields[0].table, ecu).Fields(kEcuFields, record)) return -1;
    model.ecus.push_back(std::move(record));
  }
  return 0;
}

int ReadLengthResults(ResultModel& model, const profile::Document& file,
                      const std::string& acquisition) {
  if (!SectionReader(file, *kLengthFields[0].table).Fields(kLengthFields, model.length)) {
    return -1;
  }
  LoadAcquisition(acquisition, model.length.acquisition);
  return 0;
}

int ReadScreeningResults(ResultModel& model, const profile::Document& file) {
  return Status(
      SectionReader(file, *kScreeningFields[0].table).Fields(kScreeningFields, model.screening));
}

}  // namespace

int ReadAllResults(ResultModel& model, const ResultFiles& files) {
  model.Clear();
  // Parsed once for all the readers; a missing file reads as one without keys.
  const profile::Document file =
      profile::Document::Parse(platform::ReadWholeFile(files.results_log).value_or(std::string()));
  bool ok = ReadConfigurationHeader(model, file) == 0;
  ok = ReadConfigurationRecord(model, file) == 0 && ok;
  if (model.tests_faisceau == 1) ok = ReadWiringTests(model, file) == 0 && ok;
  if (model.tests_electriques == 1) {
    ok = ReadSignalTitles(model, file) == 0 && ok;
    ok = ReadEcuRecords(model, file) == 0 && ok;
  }
  if (model.test_longueur == 1) ok = ReadLengthResults(model, file, files.acquisition) == 0 && ok;
  if (model.test_blindage == 1) ok = ReadScreeningResults(model, file) == 0 && ok;
  return Status(ok);
}

}  // namespace viewer
