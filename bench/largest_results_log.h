// The largest results file the decoder can write (255 configurations, each with four ECUs and
// every test section: what fits the tester's 64 KiB configuration area), for the report benchmarks.
#pragma once

#include <cstdio>
#include <string>

namespace bench_data {

constexpr int kConfigurations = 255;
constexpr int kEcusPerConfiguration = 4;

inline void Section(std::string& text, const std::string& name) { text += "[" + name + "]\r\n"; }
inline void Key(std::string& text, const std::string& key, const std::string& value) {
  text += key + "=" + value + "\r\n";
}

inline std::string Name(const char* format, int a, int b = 0) {
  char name[64];
  std::snprintf(name, sizeof name, format, a, b);
  return name;
}

// The sections and keys in the decoder's order; the profile writer puts keys added later to a
// section at its end, so each section is written whole here.
inline std::string LargestResultsLog() {
  std::string text;
  Section(text, "Configuration");
  Key(text, "Nom", "Bench set");
  Key(text, "NomCompl", "Bench set, largest");
  Key(text, "NbrRes", "FF");
  Key(text, "Date", "06122026_18h21m56");
  for (int c = 0; c < kConfigurations; ++c) {
    Section(text, Name("CfgRes%.3X", c));
    Key(text, "Cfg_Nom", Name("Config %d", c));
    Key(text, "Cfg_NomComp", Name("Configuration %d", c));
    Key(text, "Cfg_Type", "1");
    for (const char* key :
         {"SeuilMax_Taux_Err", "SeuilMin_Taux_Err", "SeuilMax_Taux_Charge", "SeuilMin_Taux_Charge",
          "SeuilMax_D_L1", "SeuilMax_D_L2", "SeuilMin_D_L1", "SeuilMin_D_L2", "SeuilMax_R_L1",
          "SeuilMax_R_L2", "SeuilMin_R_L1", "SeuilMin_R_L2"}) {
      Key(text, key, "1E");
    }
    Key(text, "Cfg_NbrEcu", Name("%X", kEcusPerConfiguration));
    for (const char* key :
         {"Tests_Faisceau", "Tests_Electriques", "Test_Longueur", "Test_Blindage"}) {
      Key(text, key, "1");
    }
    for (const char* key : {"Result_Tests_Faisceau", "Result_Test_Blindage",
                            "Result_Tests_Electriques", "Result_Test_Longueur", "Result_Tests"}) {
      Key(text, key, "0");
    }
    for (int e = 0; e < kEcusPerConfiguration; ++e) {
      Section(text, Name("CfgRes%.3X_Uce%.3X", c, e));
      Key(text, "Nom", Name("ECU %d", e));
      Key(text, "Nb_Msg", "0");
      for (const char* key : {"Etat_TestST", "Etat_Debit"}) Key(text, key, "1");
      for (const char* key : {"Val_Debit", "Val_Debit_Conf", "Tol_Debit"}) Key(text, key, "1388");
      for (const char* key : {"Etat_D_L1", "Val_D_L1", "Etat_D_L2", "Val_D_L2", "Etat_R_L1",
                              "Val_R_L1", "Etat_R_L2", "Val_R_L2"}) {
        Key(text, key, "1");
      }
      for (const char* key : {"Val_Rise_L1", "Val_Rise_L2", "Val_Down_L1", "Val_Down_L2",
                              "Val_%Osc_L1", "Val_%Osc_L2", "Val_ErrMesR_L1", "Val_ErrMesR_L2",
                              "Val_ErrMesD_L1", "Val_ErrMesD_L2"}) {
        Key(text, key, "0");
      }
      Key(text, "Result_TestST", "1");
    }
    Section(text, Name("CfgRes%.3X_TESTHT", c));
    Key(text, "Etat_R_L1/L2", "1");
    Key(text, "Val_R_L1/L2", "3E8");
    Key(text, "SeuilBas_R_L1/L2", "1F4");
    Key(text, "SeuilHaut_R_L1/L2", "4B0");
    Key(text, "Titre_R_L1/L2", "Loop resistance");
    Key(text, "Etat_CO_L1/L2", "0");
    Key(text, "Val_CO_L1/L2", "3E8");
    Key(text, "Seuil_CO_L1/L2", "2710");
    for (const char* pair : {"L1/VCC", "L2/VCC", "L1/GND", "L2/GND", "L1/SHIELD", "L2/SHIELD"}) {
      const std::string p = pair;
      Key(text, "Etat_CC_" + p, "0");
      Key(text, "Val_CC_" + p, "2710");
      Key(text, "Seuil_CC_" + p, "A");
      Key(text, "Titre_CC_" + p, "Short " + p);
    }
    Section(text, Name("CfgRes%.3X_TESTBLINDAGE", c));
    Key(text, "Seuil_Co_Blindage", "3E8");
    Key(text, "Mes_Co_Blindage", "64");
    Key(text, "Result_Blindage", "1");
    Section(text, Name("CfgRes%.3X_TESTST", c));
    Key(text, "Titre_VCC", "VCC");
    Key(text, "Val_VCC", "78");
    for (const char* key : {"Titre_Debit", "Titre_R_L1", "Titre_D_L1", "Titre_R_L2", "Titre_D_L2",
                            "Titre_FM_L1", "Titre_FD_L1", "Titre_FM_L2", "Titre_FD_L2"}) {
      Key(text, key, std::string(key).substr(6));
    }
    Section(text, Name("CfgRes%.3X_TESTLONGUEUR", c));
    Key(text, "Longueur_Max", "1F4");
    Key(text, "Longueur_Mes", "7B");
    Key(text, "Debit", "1388");
    Key(text, "Vitesse", "32");
    Key(text, "Result_Longueur", "1");
  }
  return text;
}

}  // namespace bench_data
