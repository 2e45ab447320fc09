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
#include <utility>
#include <variant>

#include "platform/native_path.h"
#include "platform/profile_snapshot.h"

namespace viewer {
namespace {

constexpr const char* kMissing = "Erreur";
constexpr std::size_t kValueBufferSize = 100;  // values are cut to 99 bytes
constexpr std::size_t kTextRoom = 99;
constexpr std::size_t kConfigurationNameRoom = 29;

// The value forms: "%x" into a 32-bit pattern, "%d", "%i" and plain text.
enum class Form { kHex, kDec, kInt, kText };

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

// One key to read into a field of `Record`; the field's type follows from the form (text into a
// string, hexadecimal into an unsigned pattern, decimal and "%i" into a signed integer).
template <typename Record>
struct KeyField {
  const char* key;
  Form form;
  std::variant<std::uint32_t Record::*, std::int32_t Record::*, std::string Record::*> field;
};

class SectionReader {
 public:
  SectionReader(std::string section, const ResultFiles& files)
      : section_(std::move(section)), file_(platform::ProfileSnapshot::Of(files.results_log)) {}

  // The raw value, or false when the key is missing.
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

  // Reads the fields in table order; stops at the first missing key.
  template <typename Record, std::size_t N>
  bool Fields(const KeyField<Record> (&table)[N], Record& record) const {
    for (const KeyField<Record>& entry : table) {
      bool present = false;
      if (const auto* text = std::get_if<std::string Record::*>(&entry.field)) {
        present = Text(entry.key, record.**text);
      } else if (const auto* hex = std::get_if<std::uint32_t Record::*>(&entry.field)) {
        present = Number(entry.key, entry.form, record.**hex);
      } else {
        present =
            Number(entry.key, entry.form, record.*std::get<std::int32_t Record::*>(entry.field));
      }
      if (!present) return false;
    }
    return true;
  }

 private:
  std::string section_;
  // Results.log parsed once for all the readers, not once per key.
  std::shared_ptr<const platform::ProfileSnapshot> file_;
};

std::string SectionName(const char* suffix) { return std::string("CfgRes000") + suffix; }

std::string EcuSectionName(std::uint32_t ecu) {
  char name[32];
  std::snprintf(name, sizeof name, "CfgRes%.3X_Uce%.3X", 0u, static_cast<unsigned>(ecu));
  return name;
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

const KeyField<ResultModel> kConfigurationFields[] = {
    {"SeuilMax_D_L1", Form::kHex, &ResultModel::seuil_max_d_l1},
    {"SeuilMax_D_L2", Form::kHex, &ResultModel::seuil_max_d_l2},
    {"SeuilMin_D_L1", Form::kHex, &ResultModel::seuil_min_d_l1},
    {"SeuilMin_D_L2", Form::kHex, &ResultModel::seuil_min_d_l2},
    {"SeuilMax_R_L1", Form::kHex, &ResultModel::seuil_max_r_l1},
    {"SeuilMax_R_L2", Form::kHex, &ResultModel::seuil_max_r_l2},
    {"SeuilMin_R_L1", Form::kHex, &ResultModel::seuil_min_r_l1},
    {"SeuilMin_R_L2", Form::kHex, &ResultModel::seuil_min_r_l2},
    {"Cfg_NbrEcu", Form::kHex, &ResultModel::cfg_nbr_ecu},
    {"Tests_Faisceau", Form::kDec, &ResultModel::tests_faisceau},
    {"Tests_Electriques", Form::kDec, &ResultModel::tests_electriques},
    {"Test_Longueur", Form::kDec, &ResultModel::test_longueur},
    {"Test_Blindage", Form::kDec, &ResultModel::test_blindage},
    {"Result_Tests_Faisceau", Form::kDec, &ResultModel::result_tests_faisceau},
    {"Result_Tests_Electriques", Form::kDec, &ResultModel::result_tests_electriques},
    {"Result_Test_Longueur", Form::kDec, &ResultModel::result_test_longueur},
    {"Result_Test_Blindage", Form::kDec, &ResultModel::result_test_blindage},
    {"Result_Tests", Form::kDec, &ResultModel::result_tests},
};

// Wiring entries in reading order; entry 7 has two thresholds, entry 6 no title.
struct WiringKeys {
  int entry;
  const char* state;
  const char* value;
  const char* threshold;
  const char* threshold_high;
  const char* title;
};

const WiringKeys kWiringKeys[] = {
    {7, "Etat_R_L1/L2", "Val_R_L1/L2", "SeuilBas_R_L1/L2", "SeuilHaut_R_L1/L2", "Titre_R_L1/L2"},
    {6, "Etat_CO_L1/L2", "Val_CO_L1/L2", "Seuil_CO_L1/L2", nullptr, nullptr},
    {5, "Etat_CC_L1/VCC", "Val_CC_L1/VCC", "Seuil_CC_L1/VCC", nullptr, "Titre_CC_L1/VCC"},
    {4, "Etat_CC_L2/VCC", "Val_CC_L2/VCC", "Seuil_CC_L2/VCC", nullptr, "Titre_CC_L2/VCC"},
    {3, "Etat_CC_L1/GND", "Val_CC_L1/GND", "Seuil_CC_L1/GND", nullptr, "Titre_CC_L1/GND"},
    {2, "Etat_CC_L2/GND", "Val_CC_L2/GND", "Seuil_CC_L2/GND", nullptr, "Titre_CC_L2/GND"},
    {1, "Etat_CC_L1/SHIELD", "Val_CC_L1/SHIELD", "Seuil_CC_L1/SHIELD", nullptr,
     "Titre_CC_L1/SHIELD"},
    {0, "Etat_CC_L2/SHIELD", "Val_CC_L2/SHIELD", "Seuil_CC_L2/SHIELD", nullptr,
     "Titre_CC_L2/SHIELD"},
};

const KeyField<SignalTitles> kSignalFields[] = {
    {"Titre_VCC", Form::kText, &SignalTitles::titre_vcc},
    {"Val_VCC", Form::kHex, &SignalTitles::val_vcc},
    {"Titre_Debit", Form::kText, &SignalTitles::titre_debit},
    {"Titre_R_L1", Form::kText, &SignalTitles::titre_r_l1},
    {"Titre_D_L1", Form::kText, &SignalTitles::titre_d_l1},
    {"Titre_R_L2", Form::kText, &SignalTitles::titre_r_l2},
    {"Titre_D_L2", Form::kText, &SignalTitles::titre_d_l2},
    {"Titre_FM_L1", Form::kText, &SignalTitles::titre_fm_l1},
    {"Titre_FD_L1", Form::kText, &SignalTitles::titre_fd_l1},
    {"Titre_FM_L2", Form::kText, &SignalTitles::titre_fm_l2},
    {"Titre_FD_L2", Form::kText, &SignalTitles::titre_fd_l2},
};

const KeyField<EcuSignalRecord> kEcuFields[] = {
    {"Nom", Form::kText, &EcuSignalRecord::nom},
    {"Nb_Msg", Form::kDec, &EcuSignalRecord::nb_msg},
    {"Etat_TestST", Form::kDec, &EcuSignalRecord::etat_test_st},
    {"Etat_Debit", Form::kInt, &EcuSignalRecord::etat_debit},
    {"Val_Debit", Form::kHex, &EcuSignalRecord::val_debit},
    {"Val_Debit_Conf", Form::kHex, &EcuSignalRecord::val_debit_conf},
    {"Tol_Debit", Form::kHex, &EcuSignalRecord::tol_debit},
    {"Etat_D_L1", Form::kInt, &EcuSignalRecord::etat_d_l1},
    {"Val_D_L1", Form::kHex, &EcuSignalRecord::val_d_l1},
    {"Etat_D_L2", Form::kInt, &EcuSignalRecord::etat_d_l2},
    {"Val_D_L2", Form::kHex, &EcuSignalRecord::val_d_l2},
    {"Etat_R_L1", Form::kInt, &EcuSignalRecord::etat_r_l1},
    {"Val_R_L1", Form::kHex, &EcuSignalRecord::val_r_l1},
    {"Etat_R_L2", Form::kInt, &EcuSignalRecord::etat_r_l2},
    {"Val_R_L2", Form::kHex, &EcuSignalRecord::val_r_l2},
    {"Val_Rise_L1", Form::kHex, &EcuSignalRecord::val_rise_l1},
    {"Val_Rise_L2", Form::kHex, &EcuSignalRecord::val_rise_l2},
    {"Val_Down_L1", Form::kHex, &EcuSignalRecord::val_down_l1},
    {"Val_Down_L2", Form::kHex, &EcuSignalRecord::val_down_l2},
    {"Val_%Osc_L1", Form::kHex, &EcuSignalRecord::val_osc_l1},
    {"Val_%Osc_L2", Form::kHex, &EcuSignalRecord::val_osc_l2},
    {"Val_ErrMesR_L1", Form::kHex, &EcuSignalRecord::val_err_mes_r_l1},
    {"Val_ErrMesR_L2", Form::kHex, &EcuSignalRecord::val_err_mes_r_l2},
    {"Val_ErrMesD_L1", Form::kHex, &EcuSignalRecord::val_err_mes_d_l1},
    {"Val_ErrMesD_L2", Form::kHex, &EcuSignalRecord::val_err_mes_d_l2},
    {"Result_TestST", Form::kInt, &EcuSignalRecord::result_test_st},
};

const KeyField<LengthResult> kLengthFields[] = {
    {"Longueur_Max", Form::kHex, &LengthResult::longueur_max},
    {"Longueur_Mes", Form::kHex, &LengthResult::longueur_mes},
    {"Debit", Form::kHex, &LengthResult::debit},
    {"Vitesse", Form::kHex, &LengthResult::vitesse},
    {"Result_Longueur", Form::kInt, &LengthResult::result_longueur},
};

const KeyField<ScreeningResult> kScreeningFields[] = {
    {"Seuil_Co_Blindage", Form::kHex, &ScreeningResult::seuil_co_blindage},
    {"Mes_Co_Blindage", Form::kHex, &ScreeningResult::mes_co_blindage},
    {"Result_Blindage", Form::kInt, &ScreeningResult::result_blindage},
};

// 0xFF bytes, then as much of the acquisition image as it holds, up to the buffer's size.
void LoadAcquisition(const std::string& path, AcquisitionBuffer& buffer) {
  buffer.fill(0xFF);
  std::ifstream file(platform::NativePath(path), std::ios::binary);
  if (!file) return;
  file.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(buffer.size()));
}

}  // namespace

int ReadConfigurationHeader(ResultModel& model, const ResultFiles& files) {
  if (!SectionReader("CfgRes000", files)
           .Text("Cfg_Nom", model.configuration_name, kConfigurationNameRoom)) {
    return -1;
  }
  std::string date;
  if (!SectionReader("Configuration", files).Value("Date", date)) return -1;
  model.upload_date = FormatDate(date);
  return 0;
}

int ReadConfigurationRecord(ResultModel& model, const ResultFiles& files) {
  return Status(SectionReader("CfgRes000", files).Fields(kConfigurationFields, model));
}

int ReadWiringTests(ResultModel& model, const ResultFiles& files) {
  const SectionReader reader(SectionName("_TESTHT"), files);
  for (const WiringKeys& keys : kWiringKeys) {
    WiringTest& test = model.wiring[keys.entry];
    if (!reader.Number(keys.state, Form::kInt, test.state) ||
        !reader.Number(keys.value, Form::kHex, test.value) ||
        !reader.Number(keys.threshold, Form::kHex, test.threshold) ||
        (keys.threshold_high &&
         !reader.Number(keys.threshold_high, Form::kHex, test.threshold_high)) ||
        (keys.title && !reader.Text(keys.title, test.title))) {
      return -1;
    }
  }
  return 0;
}

int ReadSignalTitles(ResultModel& model, const ResultFiles& files) {
  return Status(SectionReader(SectionName("_TESTST"), files).Fields(kSignalFields, model.signal));
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
  if (!SectionReader(SectionName("_TESTLONGUEUR"), files).Fields(kLengthFields, model.length)) {
    return -1;
  }
  LoadAcquisition(files.acquisition, model.length.acquisition);
  return 0;
}

int ReadScreeningResults(ResultModel& model, const ResultFiles& files) {
  return Status(
      SectionReader(SectionName("_TESTBLINDAGE"), files).Fields(kScreeningFields, model.screening));
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
