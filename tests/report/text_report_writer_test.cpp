#include "report/text_report_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "report/language_tables.h"
#include "tests/fakes/temp_folder.h"

namespace report {
namespace {

// The expected texts below are written with line feeds; the report stores each as CR LF.
std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string Report(const ResultModel& model, int language) { return TextReport(model, language); }

void SetEntry(ResultModel& model, std::size_t k, std::uint8_t marker_low, std::uint8_t marker_high,
              std::uint8_t scale, std::uint8_t level) {
  std::uint8_t* entry = &model.length.acquisition[k * kAcquisitionEntrySize];
  entry[0] = marker_low;
  entry[1] = marker_high;
  entry[2] = scale;
  entry[3] = level;
}

EcuSignalRecord Ecu(const std::string& name, int etat_test_st) {
  EcuSignalRecord ecu;
  ecu.nom = name;
  ecu.etat_test_st = etat_test_st;
  return ecu;
}

// One model that runs into every rule of the report: verdict polarities, all eight mark formats,
// unscaled short-circuit thresholds, numbering gaps, level 255, measurement errors, and a curve
// whose scale comes from an entry after the first empty one.
ResultModel EdgeModel() {
  ResultModel model;
  model.Clear();
  model.upload_date = "06/12/2026 18:21:56";
  model.seuil_min_d_l1 = 20;
  model.seuil_max_d_l1 = 40;
  model.seuil_min_d_l2 = 5;
  model.seuil_max_d_l2 = 25;
  model.seuil_min_r_l1 = 0;
  model.seuil_max_r_l1 = 10;
  model.seuil_min_r_l2 = 3;
  model.seuil_max_r_l2 = 15;
  model.tests_faisceau = model.tests_electriques = model.test_longueur = model.test_blindage = 1;

  auto wiring = [&model](int entry, const char* title, int state, std::uint32_t threshold,
                         std::uint32_t value) {
    model.wiring[entry] = {state, value, threshold, 0, title};
  };
  wiring(7, "Resistance loop L1/L2 measured", 2, 500, 0xA0000000u | 100);
  model.wiring[7].threshold_high = 1200;
  wiring(6, "never printed", 1, 77, 999);
  wiring(5, "L1-VCC", 0, 10, 0x40000000u | 55);
  wiring(4, "Short circuit L2 against VCC line", 2, 11, 123);
  wiring(3, "L1-GND", 1, 12, 0x20000000u | 7);
  wiring(2, "L2-GND", 0, 13, 0x60000000u | 1000);
  wiring(1, "L1-SHIELD", 0, 14, 0xC0000000u);
  wiring(0, "L2-SHIELD", 0, 255, 0xFFFFFFFFu);

  model.screening = {1000, 0x80000000u | 42, 2};

  model.signal.titre_debit = "Bit rate";
  model.signal.titre_d_l1 = "D level L1";
  model.signal.titre_d_l2 = "D level L2";
  model.signal.titre_r_l1 = "R level L1";
  model.signal.titre_r_l2 = "R level L2";
  model.signal.titre_fm_l1 = "Rise L1";
  model.signal.titre_fm_l2 = "Rise L2";
  model.signal.titre_fd_l1 = "Fall L1";
  model.signal.titre_fd_l2 = "Fall L2";

  EcuSignalRecord engine = Ecu("Engine", 1);
  engine.result_test_st = 1;
  engine.etat_debit = 1;
  engine.val_debit_conf = 5000;
  engine.tol_debit = 1000;
  engine.val_debit = 4995;
  engine.etat_d_l1 = engine.etat_d_l2 = engine.etat_r_l1 = engine.etat_r_l2 = 1;
  engine.val_d_l1 = 255;
  engine.val_d_l2 = 254;
  engine.val_r_l1 = 0;
  engine.val_r_l2 = 7;
  engine.val_rise_l1 = 120;
  engine.val_rise_l2 = 130;
  engine.val_down_l1 = 140;
  engine.val_down_l2 = 150;

  EcuSignalRecord door = Ecu("Door module", 1);
  door.val_debit_conf = 1250;
  door.tol_debit = 20;
  door.val_debit = 1300;
  door.etat_d_l1 = 1;
  door.val_err_mes_d_l1 = 3;
  door.val_d_l1 = 30;
  door.val_d_l2 = 12;
  door.val_err_mes_r_l1 = 1;
  door.val_r_l1 = 255;
  door.etat_r_l2 = 2;
  door.val_r_l2 = 1;
  door.val_rise_l2 = 65535;
  door.val_down_l1 = 7;
  door.val_down_l2 = 1000;

  model.ecus = {engine, Ecu("Gateway", 0), door, Ecu("Seat", 2)};

  model.length.debit = 5000;
  model.length.vitesse = 50;
  model.length.longueur_mes = 27;
  const std::uint8_t plotted[12] = {0, 20, 40, 101, 100, 200, 150, 3, 255, 60, 101, 10};
  for (std::size_t k = 0; k < 12; ++k) SetEntry(model, k, 0x00, 0x10, 150 - k, plotted[k]);
  SetEntry(model, 1, 0xFF, 0x00, 3, plotted[1]);  // only 0xFFFF marks an empty entry
  SetEntry(model, 2, 0x00, 0xFF, 3, plotted[2]);
  SetEntry(model, 20, 0x00, 0x00, 200, 0);  // after the first empty entry, sets the scale
  return model;
}

const char kEnglishEdgeReport[] =
    "===========================================================\n"
    "=   Date of upload : 06/12/2026 18:21:56\n"
    "===========================================================\n"
    "1) Results of Connection Test : \n\n"
    "\t1.1 Resistance loop L1/L2 measured\tERROR\n\n"
    "\t  Minimum Value   : 50.00 Ohm\n"
    "\t  Maximum Value   : 120.00 Ohm\n"
    "\t  Measured Value  : >10.00D Ohm\n\n"
    "\t1.2 L1-VCC                        \tOK\n\n"
    "\t  Threshold Value : 10.00 Ohm\n"
    "\t  Measured Value  : 5.50C Ohm\n\n"
    "\t1.3 Short circuit L2 against VCC line\tOK\n\n"
    "\t  Threshold Value : 11.00 Ohm\n"
    "\t  Measured Value  : 12.30 Ohm\n\n"
    "\t1.4 L1-GND                        \tERROR\n\n"
    "\t  Threshold Value : 12.00 Ohm\n"
    "\t  Measured Value  : >0.70 Ohm\n\n"
    "\t1.5 L2-GND                        \tOK\n\n"
    "\t  Threshold Value : 13.00 Ohm\n"
    "\t  Measured Value  : >100.00C Ohm\n\n"
    "\t1.6 L1-SHIELD                     \tOK\n\n"
    "\t  Threshold Value : 14.00 Ohm\n"
    "\t  Measured Value  : 0.00DC Ohm\n\n"
    "\t1.7 L2-SHIELD                     \tOK\n\n"
    "\t  Threshold Value : 255.00 Ohm\n"
    "\t  Measured Value  : >53687091.10DC Ohm\n\n"
    "2) Results of the Screening Tests : \n\n"
    "\tOL CAN_SHLD\t\tERROR\n\n"
    "\tThreshold value : 100.00 Ohm\n"
    "\tMeasured value  : 4.20D Ohm\n\n"
    "3) Results of Signal Test : \n\n"
    "\t3.1 Engine                            \tOK\n\n"
    "\t  3.1.1 Bit rate                      \tOK\n\n"
    "\t\tTransmission rate selected  : 500.00 kBit/s\n"
    "\t\tTransmission rate tolerance : +-1.00 kBit/s\n"
    "\t\tTransmission rate measured  : 499.50 kBit/s\n\n"
    "\t  3.1.2 D level L1                    \tOK\n\n"
    "\t\tMinimum Value   : 2.00 V\n"
    "\t\tMaximum Value   : 4.00 V\n"
    "\t\tMeasured Value  : 25.50 V *\n\n"
    "\t  3.1.3 D level L2                    \tOK\n\n"
    "\t\tMinimum Value   : 0.50 V\n"
    "\t\tMaximum Value   : 2.50 V\n"
    "\t\tMeasured Value  : 25.40 V\n\n"
    "\t  3.1.4 R level L1                    \tOK\n\n"
    "\t\tMinimum Value   : 0.00 V\n"
    "\t\tMaximum Value   : 1.00 V\n"
    "\t\tMeasured Value  : 0.00 V\n\n"
    "\t  3.1.5 R level L2                    \tOK\n\n"
    "\t\tMinimum Value   : 0.30 V\n"
    "\t\tMaximum Value   : 1.50 V\n"
    "\t\tMeasured Value  : 0.70 V\n\n"
    "\t  3.1.6 Rise L1 : 120 ns\n"
    "\t  3.1.7 Rise L2 : 130 ns\n"
    "\t  3.1.8 Fall L1 : 140 ns\n"
    "\t  3.1.9 Fall L2 : 150 ns\n\n"
    "\t3.3 Door module                       \tERROR\n\n"
    "\t  3.3.1 Bit rate                      \tERROR\n\n"
    "\t\tTransmission rate selected  : 125.00 kBit/s\n"
    "\t\tTransmission rate tolerance : +-0.02 kBit/s\n"
    "\t\tTransmission rate measured  : 130.00 kBit/s\n\n"
    "\t  3.3.2 D level L1                    \tProblem L2\n\n"
    "\t\tMinimum Value   : 2.00 V\n"
    "\t\tMaximum Value   : 4.00 V\n"
    "\t\tMeasured Value  : 3.00 V\n\n"
    "\t  3.3.3 D level L2                    \tERROR\n\n"
    "\t\tMinimum Value   : 0.50 V\n"
    "\t\tMaximum Value   : 2.50 V\n"
    "\t\tMeasured Value  : 1.20 V\n\n"
    "\t  3.3.4 R level L1                    \tProblem L2\n\n"
    "\t\tMinimum Value   : 0.00 V\n"
    "\t\tMaximum Value   : 1.00 V\n"
    "\t\tMeasured Value  : 25.50 V *\n\n"
    "\t  3.3.5 R level L2                    \tERROR\n\n"
    "\t\tMinimum Value   : 0.30 V\n"
    "\t\tMaximum Value   : 1.50 V\n"
    "\t\tMeasured Value  : 0.10 V\n\n"
    "\t  3.3.6 Rise L1 : 0 ns\n"
    "\t  3.3.7 Rise L2 : 65535 ns\n"
    "\t  3.3.8 Fall L1 : 7 ns\n"
    "\t  3.3.9 Fall L2 : 1000 ns\n\n"
    "4) Results of Length measurement : \n\n"
    "\t4.1 Parameters : \n\n"
    "\t  Transmission rate : 500.00 kBit/s\n"
    "\t  Signal runtime    : 5.00 ns/m\n\n"
    "\t4.2 Length : \n\n"
    "\t  Cursor position : 27 m\n\n"
    "\t4.3 Measured values\n\n"
    "\t  Cursor position : 0027 , 050 \n\n"
    "\t  Length[m],value| :\n\n\t  "
    "0000,000|0002,010|0005,020|0008,050|0011,050|0013,100|0016,075|0019,001|0022,127|0024,030|"
    "\n\t  "
    "0027,050|0030,005|";

const char kFrenchEdgeReport[] =
    "===========================================================\n"
    "=   Date du upload : 06/12/2026 18:21:56\n"
    "===========================================================\n"
    "1) R\xE9sultats du Test Connexion : \n\n"
    "\t1.1 Resistance loop L1/L2 measured\tERREUR\n\n"
    "\t  Valeur minimum  : 50.00 Ohm\n"
    "\t  Valeur maximum  : 120.00 Ohm\n"
    "\t  Valeur mesur\xE9"
    "e  : >10.00D Ohm\n\n"
    "\t1.2 L1-VCC                        \tOK\n\n"
    "\t  Valeur de seuil : 10.00 Ohm\n"
    "\t  Valeur mesur\xE9"
    "e  : 5.50C Ohm\n\n"
    "\t1.3 Short circuit L2 against VCC line\tOK\n\n"
    "\t  Valeur de seuil : 11.00 Ohm\n"
    "\t  Valeur mesur\xE9"
    "e  : 12.30 Ohm\n\n"
    "\t1.4 L1-GND                        \tERREUR\n\n"
    "\t  Valeur de seuil : 12.00 Ohm\n"
    "\t  Valeur mesur\xE9"
    "e  : >0.70 Ohm\n\n"
    "\t1.5 L2-GND                        \tOK\n\n"
    "\t  Valeur de seuil : 13.00 Ohm\n"
    "\t  Valeur mesur\xE9"
    "e  : >100.00C Ohm\n\n"
    "\t1.6 L1-SHIELD                     \tOK\n\n"
    "\t  Valeur de seuil : 14.00 Ohm\n"
    "\t  Valeur mesur\xE9"
    "e  : 0.00DC Ohm\n\n"
    "\t1.7 L2-SHIELD                     \tOK\n\n"
    "\t  Valeur de seuil : 255.00 Ohm\n"
    "\t  Valeur mesur\xE9"
    "e  : >53687091.10DC Ohm\n\n"
    "2) R\xE9sultats du Test blindage : \n\n"
    "\tOL CAN_SHLD\t\tERREUR\n\n"
    "\tValeur de seuil : 100.00 Ohm\n"
    "\tValeur mesur\xE9"
    "e  : 4.20D Ohm\n\n"
    "3) R\xE9sultats du Test Signal : \n\n"
    "\t3.1 Engine                            \tOK\n\n"
    "\t  3.1.1 Bit rate                      \tOK\n\n"
    "\t\tD\xE9"
    "bit s\xE9lectionn\xE9 : 500.00 kBit/s\n"
    "\t\tTolerance d\xE9"
    "bit   : +-1.00 kBit/s\n"
    "\t\tD\xE9"
    "bit mesur\xE9      : 499.50 kBit/s\n\n"
    "\t  3.1.2 D level L1                    \tOK\n\n"
    "\t\tValeur minimum  : 2.00 V\n"
    "\t\tValeur maximum  : 4.00 V\n"
    "\t\tValeur mesur\xE9"
    "e  : 25.50 V *\n\n"
    "\t  3.1.3 D level L2                    \tOK\n\n"
    "\t\tValeur minimum  : 0.50 V\n"
    "\t\tValeur maximum  : 2.50 V\n"
    "\t\tValeur mesur\xE9"
    "e  : 25.40 V\n\n"
    "\t  3.1.4 R level L1                    \tOK\n\n"
    "\t\tValeur minimum  : 0.00 V\n"
    "\t\tValeur maximum  : 1.00 V\n"
    "\t\tValeur mesur\xE9"
    "e  : 0.00 V\n\n"
    "\t  3.1.5 R level L2                    \tOK\n\n"
    "\t\tValeur minimum  : 0.30 V\n"
    "\t\tValeur maximum  : 1.50 V\n"
    "\t\tValeur mesur\xE9"
    "e  : 0.70 V\n\n"
    "\t  3.1.6 Rise L1 : 120 ns\n"
    "\t  3.1.7 Rise L2 : 130 ns\n"
    "\t  3.1.8 Fall L1 : 140 ns\n"
    "\t  3.1.9 Fall L2 : 150 ns\n\n"
    "\t3.3 Door module                       \tERREUR\n\n"
    "\t  3.3.1 Bit rate                      \tERREUR\n\n"
    "\t\tD\xE9"
    "bit s\xE9lectionn\xE9 : 125.00 kBit/s\n"
    "\t\tTolerance d\xE9"
    "bit   : +-0.02 kBit/s\n"
    "\t\tD\xE9"
    "bit mesur\xE9      : 130.00 kBit/s\n\n"
    "\t  3.3.2 D level L1                    \tProbl\xE8me L2\n\n"
    "\t\tValeur minimum  : 2.00 V\n"
    "\t\tValeur maximum  : 4.00 V\n"
    "\t\tValeur mesur\xE9"
    "e  : 3.00 V\n\n"
    "\t  3.3.3 D level L2                    \tERREUR\n\n"
    "\t\tValeur minimum  : 0.50 V\n"
    "\t\tValeur maximum  : 2.50 V\n"
    "\t\tValeur mesur\xE9"
    "e  : 1.20 V\n\n"
    "\t  3.3.4 R level L1                    \tProbl\xE8me L2\n\n"
    "\t\tValeur minimum  : 0.00 V\n"
    "\t\tValeur maximum  : 1.00 V\n"
    "\t\tValeur mesur\xE9"
    "e  : 25.50 V *\n\n"
    "\t  3.3.5 R level L2                    \tERREUR\n\n"
    "\t\tValeur minimum  : 0.30 V\n"
    "\t\tValeur maximum  : 1.50 V\n"
    "\t\tValeur mesur\xE9"
    "e  : 0.10 V\n\n"
    "\t  3.3.6 Rise L1 : 0 ns\n"
    "\t  3.3.7 Rise L2 : 65535 ns\n"
    "\t  3.3.8 Fall L1 : 7 ns\n"
    "\t  3.3.9 Fall L2 : 1000 ns\n\n"
    "4) R\xE9sultats du Test Longueur c\xE2"
    "ble : \n\n"
    "\t4.1 Param\xE8tres : \n\n"
    "\t  D\xE9"
    "bit r\xE9seau           : 500.00 kBit/s\n"
    "\t  Vitesse de propagation : 5.00 ns/m\n\n"
    "\t4.2 Longueur : \n\n"
    "\t  Position curseur : 27 m\n\n"
    "\t4.3 Valeurs mesur\xE9"
    "es\n\n"
    "\t  Position curseur : 0027 , 050 \n\n"
    "\t  Longueur[m], valeurs de mesur\xE9"
    "e| :\n\n\t  "
    "0000,000|0002,010|0005,020|0008,050|0011,050|0013,100|0016,075|0019,001|0022,127|0024,030|"
    "\n\t  "
    "0027,050|0030,005|";

const char kGermanEdgeReport[] =
    "===========================================================\n"
    "=   Datum des Upload : 06/12/2026 18:21:56\n"
    "===========================================================\n"
    "1) Ergebnisse des Verdrahtungstests : \n\n"
    "\t1.1 Resistance loop L1/L2 measured\tFehler\n\n"
    "\t  Unterer Grenzwert : 50.00 Ohm\n"
    "\t  Oberer Grenzwert  : 120.00 Ohm\n"
    "\t  Gemessener Wert   : >10.00D Ohm\n\n"
    "\t1.2 L1-VCC                        \tOK\n\n"
    "\t  Grenzwert         : 10.00 Ohm\n"
    "\t  Gemessener Wert   : 5.50C Ohm\n\n"
    "\t1.3 Short circuit L2 against VCC line\tOK\n\n"
    "\t  Grenzwert         : 11.00 Ohm\n"
    "\t  Gemessener Wert   : 12.30 Ohm\n\n"
    "\t1.4 L1-GND                        \tFehler\n\n"
    "\t  Grenzwert         : 12.00 Ohm\n"
    "\t  Gemessener Wert   : >0.70 Ohm\n\n"
    "\t1.5 L2-GND                        \tOK\n\n"
    "\t  Grenzwert         : 13.00 Ohm\n"
    "\t  Gemessener Wert   : >100.00C Ohm\n\n"
    "\t1.6 L1-SHIELD                     \tOK\n\n"
    "\t  Grenzwert         : 14.00 Ohm\n"
    "\t  Gemessener Wert   : 0.00DC Ohm\n\n"
    "\t1.7 L2-SHIELD                     \tOK\n\n"
    "\t  Grenzwert         : 255.00 Ohm\n"
    "\t  Gemessener Wert   : >53687091.10DC Ohm\n\n"
    "2) Ergebnis des Kabelschirmtests : \n\n"
    "\tUB CAN_SHLD\t\tFehler\n\n"
    "\tGrenzwert       : 100.00 Ohm\n"
    "\tGemessener Wert : 4.20D Ohm\n\n"
    "3) Ergebnisse der Signaltests : \n\n"
    "\t3.1 Engine                            \tOK\n\n"
    "\t  3.1.1 Bit rate                      \tOK\n\n"
    "\t\tGew\xE4hlte \xDC"
    "bertragungsrate     : 500.00 kBit/s\n"
    "\t\tToleranz der \xDC"
    "bertragungsrate : +-1.00 kBit/s\n"
    "\t\tGemessene \xDC"
    "bertragungsrate    : 499.50 kBit/s\n\n"
    "\t  3.1.2 D level L1                    \tOK\n\n"
    "\t\tUnterer Grenzwert : 2.00 V\n"
    "\t\tOberer Grenzwert  : 4.00 V\n"
    "\t\tGemessener Wert   : 25.50 V *\n\n"
    "\t  3.1.3 D level L2                    \tOK\n\n"
    "\t\tUnterer Grenzwert : 0.50 V\n"
    "\t\tOberer Grenzwert  : 2.50 V\n"
    "\t\tGemessener Wert   : 25.40 V\n\n"
    "\t  3.1.4 R level L1                    \tOK\n\n"
    "\t\tUnterer Grenzwert : 0.00 V\n"
    "\t\tOberer Grenzwert  : 1.00 V\n"
    "\t\tGemessener Wert   : 0.00 V\n\n"
    "\t  3.1.5 R level L2                    \tOK\n\n"
    "\t\tUnterer Grenzwert : 0.30 V\n"
    "\t\tOberer Grenzwert  : 1.50 V\n"
    "\t\tGemessener Wert   : 0.70 V\n\n"
    "\t  3.1.6 Rise L1 : 120 ns\n"
    "\t  3.1.7 Rise L2 : 130 ns\n"
    "\t  3.1.8 Fall L1 : 140 ns\n"
    "\t  3.1.9 Fall L2 : 150 ns\n\n"
    "\t3.3 Door module                       \tFehler\n\n"
    "\t  3.3.1 Bit rate                      \tFehler\n\n"
    "\t\tGew\xE4hlte \xDC"
    "bertragungsrate     : 125.00 kBit/s\n"
    "\t\tToleranz der \xDC"
    "bertragungsrate : +-0.02 kBit/s\n"
    "\t\tGemessene \xDC"
    "bertragungsrate    : 130.00 kBit/s\n\n"
    "\t  3.3.2 D level L1                    \tProblem L2\n\n"
    "\t\tUnterer Grenzwert : 2.00 V\n"
    "\t\tOberer Grenzwert  : 4.00 V\n"
    "\t\tGemessener Wert   : 3.00 V\n\n"
    "\t  3.3.3 D level L2                    \tFehler\n\n"
    "\t\tUnterer Grenzwert : 0.50 V\n"
    "\t\tOberer Grenzwert  : 2.50 V\n"
    "\t\tGemessener Wert   : 1.20 V\n\n"
    "\t  3.3.4 R level L1                    \tProblem L2\n\n"
    "\t\tUnterer Grenzwert : 0.00 V\n"
    "\t\tOberer Grenzwert  : 1.00 V\n"
    "\t\tGemessener Wert   : 25.50 V *\n\n"
    "\t  3.3.5 R level L2                    \tFehler\n\n"
    "\t\tUnterer Grenzwert : 0.30 V\n"
    "\t\tOberer Grenzwert  : 1.50 V\n"
    "\t\tGemessener Wert   : 0.10 V\n\n"
    "\t  3.3.6 Rise L1 : 0 ns\n"
    "\t  3.3.7 Rise L2 : 65535 ns\n"
    "\t  3.3.8 Fall L1 : 7 ns\n"
    "\t  3.3.9 Fall L2 : 1000 ns\n\n"
    "4) Ergebnis der L\xE4ngenmessung : \n\n"
    "\t4.1 Parameter : \n\n"
    "\t  \xDC"
    "bertragungsrate : 500.00 kBit/s\n"
    "\t  Signallaufzeit   : 5.00 ns/m\n\n"
    "\t4.2 L\xE4nge : \n\n"
    "\t  Cursor Position : 27 m\n\n"
    "\t4.3 Gemessene Werte\n\n"
    "\t  Cursor Position : 0027 , 050 \n\n"
    "\t  L\xE4nge[m], Messwert| :\n\n\t  "
    "0000,000|0002,010|0005,020|0008,050|0011,050|0013,100|0016,075|0019,001|0022,127|0024,030|"
    "\n\t  "
    "0027,050|0030,005|";

TEST(ReportWriterTest, EveryRuleInEachLanguage) {
  const std::pair<int, const char*> cases[] = {
      {kEnglish, kEnglishEdgeReport}, {kFrench, kFrenchEdgeReport}, {kGerman, kGermanEdgeReport}};
  for (const auto& [language, expected] : cases) {
    ResultModel model = EdgeModel();
    EXPECT_EQ(Report(model, language), Crlf(expected)) << "language " << language;
  }
}

TEST(ReportWriterTest, TestsNotRunGiveOneLineEach) {
  const std::pair<int, const char*> cases[] = {
      {kEnglish,
       "===========================================================\n"
       "=   Date of upload : 01/02/2027 03:04:05\n"
       "===========================================================\n"
       "1) Results of Connection Test : \tTest not done\n\n"
       "2) Results of the Screening Tests : \tTest not done\n\n"
       "3) Results of Signal Test : \tTest not done\n\n"
       "4) Results of Length measurement : \tTest not done\n\n"},
      {kFrench,
       "===========================================================\n"
       "=   Date du upload : 01/02/2027 03:04:05\n"
       "===========================================================\n"
       "1) R\xE9sultats du Test Connexion : \tTest non effectu\xE9\n\n"
       "2) R\xE9sultats du Test blindage : \tTest non effectu\xE9\n\n"
       "3) R\xE9sultats du Test Signal : \tTest non effectu\xE9\n\n"
       "4) R\xE9sultats du Test Longueur c\xE2"
       "ble : \tTest non effectu\xE9\n\n"},
      {kGerman,
       "===========================================================\n"
       "=   Datum des Upload : 01/02/2027 03:04:05\n"
       "===========================================================\n"
       "1) Ergebnisse des Verdrahtungstests : \tTests wurde nicht durchgef\xFChrt\n\n"
       "2) Ergebnis des Kabelschirmtests : \tTests wurde nicht durchgef\xFChrt\n\n"
       "3) Ergebnisse der Signaltests : \tTests wurde nicht durchgef\xFChrt\n\n"
       "4) Ergebnis der L\xE4ngenmessung : \tTests wurde nicht durchgef\xFChrt\n\n"},
  };
  for (const auto& [language, expected] : cases) {
    ResultModel model;
    model.Clear();
    model.upload_date = "01/02/2027 03:04:05";
    // Only a flag of exactly 1 runs a section.
    model.tests_faisceau = 0;
    model.test_blindage = 2;
    model.tests_electriques = -1;
    model.test_longueur = 0;
    model.ecus.push_back(Ecu("Engine", 1));
    EXPECT_EQ(Report(model, language), Crlf(expected)) << "language " << language;
  }
}

TEST(ReportWriterTest, EveryLineEndIsCrLf) {
  ResultModel model = EdgeModel();
  const std::string report = Report(model, kEnglish);
  ASSERT_FALSE(report.empty());
  for (std::size_t i = 0; i < report.size(); ++i) {
    if (report[i] == '\n') {
      ASSERT_TRUE(i > 0 && report[i - 1] == '\r') << "bare line feed at " << i;
    }
    if (report[i] == '\r') {
      ASSERT_TRUE(i + 1 < report.size() && report[i + 1] == '\n') << "bare return at " << i;
    }
  }
}

// Ties at the third decimal round to even on both builds, so the reports stay byte-identical.
TEST(ReportWriterTest, RoundingIsTheSameOnEveryPlatform) {
  const std::pair<std::uint32_t, const char*> cases[] = {{125, "+-0.12 kBit/s"},
                                                         {375, "+-0.38 kBit/s"},
                                                         {2625, "+-2.62 kBit/s"},
                                                         {5, "+-0.01 kBit/s"}};
  for (const auto& [tolerance, expected] : cases) {
    ResultModel model;
    model.Clear();
    model.tests_electriques = 1;
    model.ecus.push_back(Ecu("Engine", 1));
    model.ecus[0].tol_debit = tolerance;
    const std::string report = Report(model, kEnglish);
    EXPECT_NE(report.find(std::string(": ") + expected + "\r\n"), std::string::npos) << tolerance;
  }
}

// The length section on its own: the other three sections are not run.
class LengthSectionTest : public ::testing::Test {
 protected:
  LengthSectionTest() {
    model_.Clear();
    model_.test_longueur = 1;
    model_.length.debit = 1250;
    model_.length.vitesse = 50;
  }

  // What follows the "4.2" part: the curve's heading, cursor line and points.
  std::string Curve() {
    const std::string report = Report(model_, kEnglish);
    const std::string cursor_head = "\t  Cursor position : ";
    const std::size_t length_line = report.find(cursor_head);
    if (length_line == std::string::npos) return "(no length line)";
    const std::size_t end = report.find("\r\n\r\n", length_line);
    return report.substr(end + 4);
  }

  ResultModel model_;
};

TEST_F(LengthSectionTest, SectionHeadAndNoCurveWhenEveryEntryIsEmpty) {
  model_.length.longueur_mes = 123;
  const std::string report = Report(model_, kEnglish);
  const std::string expected =
      "4) Results of Length measurement : \n\n"
      "\t4.1 Parameters : \n\n"
      "\t  Transmission rate : 125.00 kBit/s\n"
      "\t  Signal runtime    : 5.00 ns/m\n\n"
      "\t4.2 Length : \n\n"
      "\t  Cursor position : 123 m\n\n";
  ASSERT_GE(report.size(), Crlf(expected).size());
  EXPECT_EQ(report.substr(report.size() - Crlf(expected).size()), Crlf(expected));
}

TEST_F(LengthSectionTest, CurveEdgeCases) {
  struct Case {
    const char* name;
    std::function<void(ResultModel&)> setup;
    const char* expected;
  };
  const char* head = "\t4.3 Measured values\n\n";
  const Case cases[] = {
      {"no speed: distances 0",
       [](ResultModel& m) {
         m.length.vitesse = 0;
         m.length.longueur_mes = 5;
         for (std::size_t k = 0; k < 3; ++k) SetEntry(m, k, 0, 0, 200, 100);
       },
       "\t  Cursor position : 0005 , -001 \n\n"
       "\t  Length[m],value| :\n\n\t  "
       "0000,050|0000,050|0000,050|"},
      {"scale 0: every level 0",
       [](ResultModel& m) {
         m.length.longueur_mes = 2;
         for (std::size_t k = 0; k < 3; ++k) SetEntry(m, k, 0, 0, 0, 90);
       },
       "\t  Cursor position : 0002 , 000 \n\n"
       "\t  Length[m],value| :\n\n\t  "
       "0000,000|0002,000|0005,000|"},
      {"levels keep their low 8 bits",
       [](ResultModel& m) {
         m.length.longueur_mes = 0;
         SetEntry(m, 0, 0, 0, 1, 254);  // 254 x 100 / 1 = 25400 = 0x6338
         SetEntry(m, 1, 0, 0, 0, 3);    // 2 x 100 / 1
       },
       "\t  Cursor position : 0000 , 056 \n\n"
       "\t  Length[m],value| :\n\n\t  "
       "0000,056|0002,200|"},
      {"exactly ten points end with the line break",
       [](ResultModel& m) {
         m.length.longueur_mes = 1000;
         for (std::size_t k = 0; k < 10; ++k) SetEntry(m, k, 0, 0, 200, 101);
       },
       "\t  Cursor position : 1000 , -001 \n\n"
       "\t  Length[m],value| :\n\n\t  "
       "0000,050|0002,050|0005,050|0008,050|0011,050|0013,050|0016,050|0019,050|0022,050|"
       "0024,050|\n\t  "},
      {"empty first entry: cursor from a later entry, no points",
       [](ResultModel& m) {
         m.length.longueur_mes = 20;
         SetEntry(m, 5, 0, 0, 200, 40);
         SetEntry(m, 9, 0, 0, 100, 40);
       },
       "\t  Cursor position : 0020 , 020 \n\n"
       "\t  Length[m],value| :\n\n\t  "},
  };
  for (const Case& c : cases) {
    model_.length.acquisition.fill(0xFF);
    model_.length.vitesse = 50;
    c.setup(model_);
    EXPECT_EQ(Curve(), Crlf(std::string(head) + c.expected)) << c.name;
  }
}

TEST_F(LengthSectionTest, FullBufferHasNoFinalLineBreak) {
  for (std::size_t k = 0; k < kAcquisitionEntryCount; ++k) SetEntry(model_, k, 0, 0, 100, 100);
  model_.length.longueur_mes = 39700;
  const std::string curve = Curve();
  // 14336 points, ten to a line: 1434 lines, the last holding six points.
  EXPECT_EQ(std::count(curve.begin(), curve.end(), '|'), 14336 + 1);  // the heading holds one
  EXPECT_EQ(std::count(curve.begin(), curve.end(), '\n'), 6 + 1433);
  const std::string last_line = curve.substr(curve.rfind("\n\t  ") + 4);
  EXPECT_EQ(last_line.size(), 6 * std::string("39707,100|").size());
  EXPECT_EQ(last_line.substr(last_line.size() - 10), "39707,100|");
  EXPECT_NE(curve.find("Cursor position : 39700 , 100 "), std::string::npos);
}

}  // namespace
}  // namespace report
