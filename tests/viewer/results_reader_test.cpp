#include "viewer/results_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/fakes/temp_folder.h"

namespace viewer {
namespace {

using report::EcuSignalRecord;
using report::kAcquisitionBufferSize;
using report::WiringTest;

using Keys = std::vector<std::pair<std::string, std::string>>;

// A results file as the tool writes it, built section by section so that a test can change,
// remove or add keys before writing it.
class ResultsLog {
 public:
  void Add(const std::string& section, Keys keys) {
    sections_.push_back({section, std::move(keys)});
  }

  void Set(const std::string& section, const std::string& key, const std::string& value) {
    for (auto& [name, keys] : sections_) {
      if (name != section) continue;
      for (auto& entry : keys) {
        if (entry.first == key) {
          entry.second = value;
          return;
        }
      }
      keys.emplace_back(key, value);
      return;
    }
    Add(section, {{key, value}});
  }

  void Remove(const std::string& section, const std::string& key) {
    for (auto& [name, keys] : sections_) {
      if (name != section) continue;
      std::erase_if(keys, [&key](const auto& entry) { return entry.first == key; });
    }
  }

  std::string Text() const {
    std::string text;
    for (const auto& [name, keys] : sections_) {
      text += "[" + name + "]\r\n";
      for (const auto& [key, value] : keys) text += key + "=" + value + "\r\n";
    }
    return text;
  }

 private:
  std::vector<std::pair<std::string, Keys>> sections_;
};

// The signal keys of one ECU, each numeric key with its own value so that a swapped key shows.
Keys EcuKeys(const std::string& name, int base) {
  auto hex = [base](int offset) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", base + offset);
    return std::string(text);
  };
  return {{"Nom", name},
          {"Nb_Msg", "1"},
          {"Etat_TestST", "1"},
          {"Etat_Debit", "1"},
          {"Val_Debit", hex(1)},
          {"Val_Debit_Conf", hex(2)},
          {"Tol_Debit", hex(3)},
          {"Etat_D_L1", "1"},
          {"Val_D_L1", hex(4)},
          {"Etat_D_L2", "0"},
          {"Val_D_L2", hex(5)},
          {"Etat_R_L1", "1"},
          {"Val_R_L1", hex(6)},
          {"Etat_R_L2", "0"},
          {"Val_R_L2", hex(7)},
          {"Val_Rise_L1", hex(8)},
          {"Val_Rise_L2", hex(9)},
          {"Val_Down_L1", hex(10)},
          {"Val_Down_L2", hex(11)},
          {"Val_%Osc_L1", hex(12)},
          {"Val_%Osc_L2", hex(13)},
          {"Val_ErrMesR_L1", hex(14)},
          {"Val_ErrMesR_L2", hex(15)},
          {"Val_ErrMesD_L1", hex(16)},
          {"Val_ErrMesD_L2", hex(17)},
          {"Result_TestST", "0"}};
}

ResultsLog FullLog() {
  ResultsLog log;
  log.Add(
      "Configuration",
      {{"Nom", "Set"}, {"NomCompl", "Set full"}, {"NbrRes", "1"}, {"Date", "06122026_18h21m56"}});
  log.Add("CfgRes000", {{"Cfg_Nom", "Line 4 body CAN"},
                        {"Cfg_NomComp", "Line 4 body CAN bus"},
                        {"Cfg_Type", "1"},
                        {"SeuilMax_D_L1", "21"},
                        {"SeuilMax_D_L2", "22"},
                        {"SeuilMin_D_L1", "23"},
                        {"SeuilMin_D_L2", "24"},
                        {"SeuilMax_R_L1", "25"},
                        {"SeuilMax_R_L2", "26"},
                        {"SeuilMin_R_L1", "27"},
                        {"SeuilMin_R_L2", "28"},
                        {"Cfg_NbrEcu", "2"}});
  log.Add("CfgRes000_Uce000", EcuKeys("Engine", 0x100));
  log.Add("CfgRes000_Uce000_Tr000", {{"Nom", "Frame"}, {"Ident", "1A0"}});
  log.Add("CfgRes000_Uce001", EcuKeys("Gearbox", 0x200));
  for (const char* key :
       {"Tests_Faisceau", "Tests_Electriques", "Test_Longueur", "Test_Blindage"}) {
    log.Set("CfgRes000", key, "1");
  }
  log.Add("CfgRes000_TESTHT", {{"Etat_R_L1/L2", "1"},       {"Val_R_L1/L2", "3E8"},
                               {"SeuilBas_R_L1/L2", "1F4"}, {"SeuilHaut_R_L1/L2", "4B0"},
                               {"Titre_R_L1/L2", "Loop"},   {"Etat_CO_L1/L2", "0"},
                               {"Val_CO_L1/L2", "3E8"},     {"Seuil_CO_L1/L2", "2710"},
                               {"Etat_CC_L1/VCC", "0"},     {"Val_CC_L1/VCC", "A1"},
                               {"Seuil_CC_L1/VCC", "A"},    {"Titre_CC_L1/VCC", "L1-VCC"},
                               {"Etat_CC_L2/VCC", "0"},     {"Val_CC_L2/VCC", "A2"},
                               {"Seuil_CC_L2/VCC", "B"},    {"Titre_CC_L2/VCC", "L2-VCC"},
                               {"Etat_CC_L1/GND", "0"},     {"Val_CC_L1/GND", "A3"},
                               {"Seuil_CC_L1/GND", "C"},    {"Titre_CC_L1/GND", "L1-GND"},
                               {"Etat_CC_L2/GND", "1"},     {"Val_CC_L2/GND", "A4"},
                               {"Seuil_CC_L2/GND", "D"},    {"Titre_CC_L2/GND", "L2-GND"},
                               {"Etat_CC_L1/SHIELD", "0"},  {"Val_CC_L1/SHIELD", "A5"},
                               {"Seuil_CC_L1/SHIELD", "E"}, {"Titre_CC_L1/SHIELD", "L1-SH"},
                               {"Etat_CC_L2/SHIELD", "0"},  {"Val_CC_L2/SHIELD", "A0000006"},
                               {"Seuil_CC_L2/SHIELD", "F"}, {"Titre_CC_L2/SHIELD", "L2-SH"}});
  log.Add(
      "CfgRes000_TESTBLINDAGE",
      {{"Seuil_Co_Blindage", "3E8"}, {"Mes_Co_Blindage", "2000000A"}, {"Result_Blindage", "1"}});
  log.Add("CfgRes000_TESTST", {{"Titre_VCC", "VCC"},
                               {"Val_VCC", "78"},
                               {"Titre_Debit", "Bit rate"},
                               {"Titre_R_L1", "R L1"},
                               {"Titre_D_L1", "D L1"},
                               {"Titre_R_L2", "R L2"},
                               {"Titre_D_L2", "D L2"},
                               {"Titre_FM_L1", "Rise L1"},
                               {"Titre_FD_L1", "Fall L1"},
                               {"Titre_FM_L2", "Rise L2"},
                               {"Titre_FD_L2", "Fall L2"}});
  log.Add("CfgRes000_TESTLONGUEUR", {{"Longueur_Max", "1F4"},
                                     {"Longueur_Mes", "7B"},
                                     {"Debit", "1388"},
                                     {"Vitesse", "32"},
                                     {"Result_Longueur", "1"}});
  for (const char* key : {"Result_Tests_Faisceau", "Result_Tests_Electriques",
                          "Result_Test_Longueur", "Result_Test_Blindage", "Result_Tests"}) {
    log.Set("CfgRes000", key, "0");
  }
  return log;
}

class ResultsReaderTest : public ::testing::Test {
 protected:
  int ReadAll(const ResultsLog& log) {
    folder_.Write("Results.log", log.Text());
    return ReadAllResults(model_, Files());
  }
  ResultFiles Files() const { return {folder_.File("Results.log"), folder_.File("AcqBin.zel")}; }

  fakes::TempFolder folder_;
  ResultModel model_;
};

TEST_F(ResultsReaderTest, FullFileFillsEveryGroup) {
  ASSERT_EQ(ReadAll(FullLog()), 0);
  EXPECT_EQ(model_.configuration_name, "Line 4 body CAN");
  EXPECT_EQ(model_.upload_date, "06/12/2026 18:21:56");
  const std::uint32_t thresholds[] = {
      model_.seuil_max_d_l1, model_.seuil_max_d_l2, model_.seuil_min_d_l1, model_.seuil_min_d_l2,
      model_.seuil_max_r_l1, model_.seuil_max_r_l2, model_.seuil_min_r_l1, model_.seuil_min_r_l2};
  for (std::uint32_t i = 0; i < 8; ++i) EXPECT_EQ(thresholds[i], 0x21 + i) << i;
  EXPECT_EQ(model_.cfg_nbr_ecu, 2u);
  EXPECT_EQ(model_.tests_faisceau + model_.tests_electriques + model_.test_longueur +
                model_.test_blindage,
            4);

  const WiringTest& loop = model_.wiring[7];
  EXPECT_EQ(loop.state, 1);
  EXPECT_EQ(loop.value, 1000u);
  EXPECT_EQ(loop.threshold, 500u);
  EXPECT_EQ(loop.threshold_high, 1200u);
  EXPECT_EQ(loop.title, "Loop");
  EXPECT_EQ(model_.wiring[6].threshold, 10000u);
  const char* titles[] = {"L2-SH", "L1-SH", "L2-GND", "L1-GND", "L2-VCC", "L1-VCC"};
  for (int entry = 0; entry <= 5; ++entry) {
    EXPECT_EQ(model_.wiring[entry].title, titles[entry]) << entry;
    EXPECT_EQ(model_.wiring[entry].threshold, 15u - entry) << entry;
  }
  EXPECT_EQ(model_.wiring[2].state, 1);
  EXPECT_EQ(model_.wiring[0].value, 0xA0000006u);  // mark bits kept

  EXPECT_EQ(model_.signal.titre_vcc, "VCC");
  EXPECT_EQ(model_.signal.val_vcc, 0x78u);
  EXPECT_EQ(model_.signal.titre_debit, "Bit rate");
  EXPECT_EQ(model_.signal.titre_fd_l2, "Fall L2");

  ASSERT_EQ(model_.ecus.size(), 2u);
  const EcuSignalRecord& ecu = model_.ecus[1];
  EXPECT_EQ(ecu.nom, "Gearbox");
  const std::uint32_t values[] = {ecu.val_debit,        ecu.val_debit_conf,   ecu.tol_debit,
                                  ecu.val_d_l1,         ecu.val_d_l2,         ecu.val_r_l1,
                                  ecu.val_r_l2,         ecu.val_rise_l1,      ecu.val_rise_l2,
                                  ecu.val_down_l1,      ecu.val_down_l2,      ecu.val_osc_l1,
                                  ecu.val_osc_l2,       ecu.val_err_mes_r_l1, ecu.val_err_mes_r_l2,
                                  ecu.val_err_mes_d_l1, ecu.val_err_mes_d_l2};
  for (std::uint32_t i = 0; i < 17; ++i) EXPECT_EQ(values[i], 0x201 + i) << i;
  EXPECT_EQ(ecu.etat_d_l1 * 1000 + ecu.etat_d_l2 * 100 + ecu.etat_r_l1 * 10 + ecu.etat_r_l2, 1010);
  EXPECT_EQ(ecu.result_test_st, 0);
  EXPECT_EQ(model_.ecus[0].nom, "Engine");

  EXPECT_EQ(model_.screening.seuil_co_blindage, 1000u);
  EXPECT_EQ(model_.screening.mes_co_blindage, 0x2000000Au);
  EXPECT_EQ(model_.screening.result_blindage, 1);
  EXPECT_EQ(model_.length.longueur_max, 500u);
  EXPECT_EQ(model_.length.longueur_mes, 123u);
  EXPECT_EQ(model_.length.debit, 5000u);
  EXPECT_EQ(model_.length.vitesse, 50u);
  EXPECT_EQ(model_.length.result_longueur, 1);
}

// Values are parsed like the C library's conversions; a value without a leading number leaves its
// field at 0 but counts as present.
TEST_F(ResultsReaderTest, ValueForms) {
  struct Case {
    std::string section, key, value;
    std::function<std::int64_t(const ResultModel&)> field;
    std::int64_t expected;
  };
  auto hex = [](const ResultModel& m) -> std::int64_t { return m.seuil_max_d_l1; };
  auto dec = [](const ResultModel& m) -> std::int64_t { return m.ecus.at(0).nb_msg; };
  auto in = [](const ResultModel& m) -> std::int64_t { return m.screening.result_blindage; };
  auto text = [](const ResultModel& m) -> std::int64_t {
    return static_cast<std::int64_t>(m.signal.titre_debit.size());
  };
  const Case cases[] = {
      {"CfgRes000", "SeuilMax_D_L1", "1F", hex, 31},
      {"CfgRes000", "SeuilMax_D_L1", "0x1f", hex, 31},
      {"CfgRes000", "SeuilMax_D_L1", "12C V", hex, 300},
      {"CfgRes000", "SeuilMax_D_L1", "-1", hex, 0xFFFFFFFF},
      {"CfgRes000", "SeuilMax_D_L1", "", hex, 0},
      {"CfgRes000", "SeuilMax_D_L1", "zz", hex, 0},
      {"CfgRes000_Uce000", "Nb_Msg", "010", dec, 10},
      {"CfgRes000_Uce000", "Nb_Msg", "0x10", dec, 0},
      {"CfgRes000_Uce000", "Nb_Msg", "-3abc", dec, -3},
      {"CfgRes000_TESTBLINDAGE", "Result_Blindage", "010", in, 8},
      {"CfgRes000_TESTBLINDAGE", "Result_Blindage", "0X1a", in, 26},
      {"CfgRes000_TESTBLINDAGE", "Result_Blindage", "1", in, 1},
      {"CfgRes000_TESTBLINDAGE", "Result_Blindage", "", in, 0},
      {"CfgRes000_TESTST", "Titre_Debit", "", text, 0},
      {"CfgRes000_TESTST", "Titre_Debit", std::string(120, 'x'), text, 99},
  };
  for (const Case& c : cases) {
    ResultsLog log = FullLog();
    log.Set(c.section, c.key, c.value);
    ASSERT_EQ(ReadAll(log), 0) << c.key << "=" << c.value;
    EXPECT_EQ(c.field(model_), c.expected) << c.key << "=" << c.value;
  }
}

// A key is missing when the profile reader returns "Erreur": absent key or section, or that very
// value. The reader stops there; the readers after it still run.
TEST_F(ResultsReaderTest, MissingKeyFailsItsReaderOnly) {
  struct Case {
    std::string section, key;
    bool remove;  // else the value is "Erreur"
  };
  const Case cases[] = {
      {"Configuration", "Date", true},
      {"Configuration", "Date", false},
      {"CfgRes000", "Result_Tests", true},
      {"CfgRes000_TESTHT", "Titre_CC_L2/SHIELD", true},
      {"CfgRes000_TESTHT", "Seuil_CO_L1/L2", false},
      {"CfgRes000_TESTST", "Titre_VCC", true},
      {"CfgRes000_Uce001", "Result_TestST", true},
      {"CfgRes000_TESTLONGUEUR", "Vitesse", false},
      {"CfgRes000_TESTBLINDAGE", "Result_Blindage", true},
  };
  for (const Case& c : cases) {
    ResultsLog log = FullLog();
    if (c.remove) {
      log.Remove(c.section, c.key);
    } else {
      log.Set(c.section, c.key, "Erreur");
    }
    EXPECT_EQ(ReadAll(log), -1) << c.section << " " << c.key;
    // Every reader ran: the last key of the screening section is read unless it is the one missing.
    if (c.key != "Result_Blindage") {
      EXPECT_EQ(model_.screening.result_blindage, 1) << c.key;
    }
    EXPECT_EQ(model_.ecus.size(), c.key == "Result_TestST" ? 1u : 2u) << c.key;
  }

  // Only the exact word counts: "erreur" is an ordinary text.
  ResultsLog log = FullLog();
  log.Set("CfgRes000", "Cfg_Nom", "erreur");
  EXPECT_EQ(ReadAll(log), 0);
  EXPECT_EQ(model_.configuration_name, "erreur");
}

TEST_F(ResultsReaderTest, FieldsBeforeAMissingKeyStayFilled) {
  ResultsLog log = FullLog();
  log.Remove("CfgRes000_TESTLONGUEUR", "Debit");
  ASSERT_EQ(ReadAll(log), -1);
  EXPECT_EQ(model_.length.longueur_mes, 123u);
  EXPECT_EQ(model_.length.vitesse, 0u);
}

TEST_F(ResultsReaderTest, MissingFileOrOtherConfigurationTypeFails) {
  EXPECT_EQ(ReadAllResults(model_, Files()), -1);

  // A configuration of another type has no level thresholds.
  ResultsLog log = FullLog();
  log.Set("CfgRes000", "Cfg_Type", "2");
  log.Remove("CfgRes000", "SeuilMin_R_L2");
  EXPECT_EQ(ReadAll(log), -1);
}

TEST_F(ResultsReaderTest, TestSectionsAreReadOnlyWhenTheirFlagIsOne) {
  ResultsLog log;
  ResultsLog full = FullLog();
  // Only the configuration-set and configuration sections: every test flag 0, 2 or absent value.
  log.Add("Configuration", {{"Date", "06122026_18h21m56"}});
  log.Add("CfgRes000", {{"Cfg_Nom", "X"}});
  for (const char* key : {"SeuilMax_D_L1", "SeuilMax_D_L2", "SeuilMin_D_L1", "SeuilMin_D_L2",
                          "SeuilMax_R_L1", "SeuilMax_R_L2", "SeuilMin_R_L1", "SeuilMin_R_L2",
                          "Result_Tests_Faisceau", "Result_Tests_Electriques",
                          "Result_Test_Longueur", "Result_Test_Blindage", "Result_Tests"}) {
    log.Set("CfgRes000", key, "0");
  }
  log.Set("CfgRes000", "Cfg_NbrEcu", "3");
  log.Set("CfgRes000", "Tests_Faisceau", "0");
  log.Set("CfgRes000", "Tests_Electriques", "2");
  log.Set("CfgRes000", "Test_Longueur", "0");
  log.Set("CfgRes000", "Test_Blindage", "");
  EXPECT_EQ(ReadAll(log), 0);
  EXPECT_TRUE(model_.ecus.empty());
}

TEST_F(ResultsReaderTest, EcuCountIsHexadecimal) {
  ResultsLog log = FullLog();
  log.Set("CfgRes000", "Cfg_NbrEcu", "A");
  for (int ecu = 2; ecu <= 10; ++ecu) {
    char section[32];
    std::snprintf(section, sizeof section, "CfgRes000_Uce%.3X", ecu);
    log.Add(section, EcuKeys("ECU " + std::to_string(ecu), 0));
  }
  ASSERT_EQ(ReadAll(log), 0);
  ASSERT_EQ(model_.ecus.size(), 10u);
  EXPECT_EQ(model_.ecus[9].nom, "ECU 9");

  // A count of 0 leaves the list empty and reads no ECU section.
  log.Set("CfgRes000", "Cfg_NbrEcu", "0");
  log.Remove("CfgRes000_Uce000", "Nom");
  EXPECT_EQ(ReadAll(log), 0);
  EXPECT_TRUE(model_.ecus.empty());
}

TEST_F(ResultsReaderTest, DateIsCutByPosition) {
  const std::pair<std::string, std::string> cases[] = {
      {"06122026_18h21m56", "06/12/2026 18:21:56"},
      {"31012027_01h02m03 extra", "31/01/2027 01:02:03"},
      {"0612", "06/12/ ::"},
      {"", "// ::"},
  };
  for (const auto& [value, expected] : cases) {
    ResultsLog log = FullLog();
    log.Set("Configuration", "Date", value);
    ASSERT_EQ(ReadAll(log), 0);
    EXPECT_EQ(model_.upload_date, expected) << value;
  }
  ResultsLog log = FullLog();
  log.Set("CfgRes000", "Cfg_Nom", std::string(40, 'n'));
  ASSERT_EQ(ReadAll(log), 0);
  EXPECT_EQ(model_.configuration_name, std::string(29, 'n'));
}

TEST_F(ResultsReaderTest, AcquisitionImageFillsTheBufferFromItsStart) {
  const ResultsLog log = FullLog();
  ASSERT_EQ(ReadAll(log), 0);  // no image: every entry empty
  EXPECT_EQ(std::count(model_.length.acquisition.begin(), model_.length.acquisition.end(), 0xFF),
            static_cast<std::ptrdiff_t>(kAcquisitionBufferSize));

  folder_.Write("AcqBin.zel", std::string("\x00\x01\x02\x03\x04\x05", 6));
  ASSERT_EQ(ReadAll(log), 0);
  EXPECT_EQ(model_.length.acquisition[5], 5);
  EXPECT_EQ(model_.length.acquisition[6], 0xFF);
  EXPECT_EQ(model_.length.acquisition.back(), 0xFF);

  std::string large(kAcquisitionBufferSize + 100, '\x11');
  large[kAcquisitionBufferSize - 1] = '\x22';
  folder_.Write("AcqBin.zel", large);
  ASSERT_EQ(ReadAll(log), 0);
  EXPECT_EQ(model_.length.acquisition.front(), 0x11);
  EXPECT_EQ(model_.length.acquisition.back(), 0x22);
}

}  // namespace
}  // namespace viewer
