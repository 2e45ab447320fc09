// What the results application knows of one upload: the first configuration's thresholds, test
// flags, wiring, signal, screening and length results and the acquisition curve. Filled by the
// results reader (viewer/results_reader.h), printed by the report writers.
//
// Numbers read in hexadecimal are kept as 32-bit patterns (std::uint32_t); numbers read in decimal
// or with the C "%i" rule as signed 32-bit integers. Texts are Windows-1252 bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace report {

// Wiring entries by the number the report walks them with.
inline constexpr int kWiringLoopResistance = 7;  // L1/L2 loop resistance, passed when state is 1
inline constexpr int kWiringOpenCircuit = 6;     // read but never printed
inline constexpr int kWiringTestCount = 8;       // 5 to 0: short circuits

struct WiringTest {
  std::int32_t state = 0;
  std::uint32_t value = 0;           // bits 0-28 tenths of an ohm; bits 29-31 the marks > C D
  std::uint32_t threshold = 0;       // the low threshold of the loop resistance
  std::uint32_t threshold_high = 0;  // loop resistance only
  std::string title;
};

// The part of the signal test common to every ECU.
struct SignalTitles {
  std::string titre_vcc;
  std::uint32_t val_vcc = 0;
  std::string titre_debit, titre_r_l1, titre_d_l1, titre_r_l2, titre_d_l2;
  std::string titre_fm_l1, titre_fd_l1, titre_fm_l2, titre_fd_l2;
};

// The signal test of one ECU, one field per key of its section.
struct EcuSignalRecord {
  std::string nom;
  std::int32_t nb_msg = 0;
  std::int32_t etat_test_st = 0;
  std::int32_t etat_debit = 0;
  std::uint32_t val_debit = 0;
  std::uint32_t val_debit_conf = 0;
  std::uint32_t tol_debit = 0;
  std::int32_t etat_d_l1 = 0;
  std::uint32_t val_d_l1 = 0;
  std::int32_t etat_d_l2 = 0;
  std::uint32_t val_d_l2 = 0;
  std::int32_t etat_r_l1 = 0;
  std::uint32_t val_r_l1 = 0;
  std::int32_t etat_r_l2 = 0;
  std::uint32_t val_r_l2 = 0;
  std::uint32_t val_rise_l1 = 0;
  std::uint32_t val_rise_l2 = 0;
  std::uint32_t val_down_l1 = 0;
  std::uint32_t val_down_l2 = 0;
  std::uint32_t val_osc_l1 = 0;
  std::uint32_t val_osc_l2 = 0;
  std::uint32_t val_err_mes_r_l1 = 0;
  std::uint32_t val_err_mes_r_l2 = 0;
  std::uint32_t val_err_mes_d_l1 = 0;
  std::uint32_t val_err_mes_d_l2 = 0;
  std::int32_t result_test_st = 0;
};

struct ScreeningResult {
  std::uint32_t seuil_co_blindage = 0;  // tenths of an ohm
  std::uint32_t mes_co_blindage = 0;    // same marks as a wiring value
  std::int32_t result_blindage = 0;     // 1 = passed
};

// The acquisition image: 14336 entries of 4 bytes. Bytes 0-1 of an entry are 0xFFFF when it holds
// no sample; byte 2 scales the curve, byte 3 (lowest bit ignored) is plotted.
inline constexpr std::size_t kAcquisitionBufferSize = 0xE000;
inline constexpr std::size_t kAcquisitionEntrySize = 4;
inline constexpr std::size_t kAcquisitionEntryCount =
    kAcquisitionBufferSize / kAcquisitionEntrySize;
using AcquisitionBuffer = std::array<std::uint8_t, kAcquisitionBufferSize>;

struct LengthResult {
  std::uint32_t longueur_max = 0;  // kept, not printed
  std::uint32_t longueur_mes = 0;  // metres
  std::uint32_t debit = 0;         // tenths of kbit/s
  std::uint32_t vitesse = 0;       // tenths of ns/m
  std::int32_t result_longueur = 0;
  AcquisitionBuffer acquisition{};
};

// The measured length as every report reads it: the text report prints the field as a signed
// number, so a hostile 0xFFFFFFFF reads -1 m in each format alike.
inline int MeasuredMetres(const LengthResult& length) {
  return static_cast<int>(length.longueur_mes);
}

struct ResultModel {
  // Configuration header.
  std::string configuration_name;  // at most 29 bytes
  std::string upload_date;         // DD/MM/YYYY HH:MM:SS

  // Configuration record of configuration 0: level thresholds in tenths of a volt.
  std::uint32_t seuil_max_d_l1 = 0, seuil_max_d_l2 = 0;
  std::uint32_t seuil_min_d_l1 = 0, seuil_min_d_l2 = 0;
  std::uint32_t seuil_max_r_l1 = 0, seuil_max_r_l2 = 0;
  std::uint32_t seuil_min_r_l1 = 0, seuil_min_r_l2 = 0;
  std::uint32_t cfg_nbr_ecu = 0;
  // Test flags: 1 means the test was run and is read and printed.
  std::int32_t tests_faisceau = 0;
  std::int32_t tests_electriques = 0;
  std::int32_t test_longueur = 0;
  std::int32_t test_blindage = 0;
  std::int32_t result_tests_faisceau = 0;
  std::int32_t result_tests_electriques = 0;
  std::int32_t result_test_longueur = 0;
  std::int32_t result_test_blindage = 0;
  std::int32_t result_tests = 0;

  std::array<WiringTest, kWiringTestCount> wiring{};
  SignalTitles signal;
  std::vector<EcuSignalRecord> ecus;  // in ECU order
  ScreeningResult screening;
  LengthResult length;

  // Numbers 0, texts empty, no ECUs, every acquisition entry empty (0xFF bytes).
  void Clear();
};

}  // namespace report
