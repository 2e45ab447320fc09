// The subtests of one ECU's signal test after the bit rate, in the text report's numbering: the
// four levels (numbers 2 to 5) and the four edge times (6 to 9). One table for every report.
#pragma once

#include <cstdint>
#include <string>

#include "report/result_model.h"

namespace report {

// A level the tester could not measure: printed as 25.5 V with a "*".
inline constexpr std::uint32_t kLevelOutOfRange = 255;

struct LevelSubtest {
  int number;
  const char* key;  // the name for programs
  std::string SignalTitles::*title;
  std::int32_t EcuSignalRecord::*state;
  std::uint32_t EcuSignalRecord::*error;
  std::uint32_t ResultModel::*lower;
  std::uint32_t ResultModel::*upper;
  std::uint32_t EcuSignalRecord::*level;
};

inline constexpr LevelSubtest kLevelSubtests[4] = {
    {2, "D_L1", &SignalTitles::titre_d_l1, &EcuSignalRecord::etat_d_l1,
     &EcuSignalRecord::val_err_mes_d_l1, &ResultModel::seuil_min_d_l1, &ResultModel::seuil_max_d_l1,
     &EcuSignalRecord::val_d_l1},
    {3, "D_L2", &SignalTitles::titre_d_l2, &EcuSignalRecord::etat_d_l2,
     &EcuSignalRecord::val_err_mes_d_l2, &ResultModel::seuil_min_d_l2, &ResultModel::seuil_max_d_l2,
     &EcuSignalRecord::val_d_l2},
    {4, "R_L1", &SignalTitles::titre_r_l1, &EcuSignalRecord::etat_r_l1,
     &EcuSignalRecord::val_err_mes_r_l1, &ResultModel::seuil_min_r_l1, &ResultModel::seuil_max_r_l1,
     &EcuSignalRecord::val_r_l1},
    {5, "R_L2", &SignalTitles::titre_r_l2, &EcuSignalRecord::etat_r_l2,
     &EcuSignalRecord::val_err_mes_r_l2, &ResultModel::seuil_min_r_l2, &ResultModel::seuil_max_r_l2,
     &EcuSignalRecord::val_r_l2},
};

struct EdgeSubtest {
  int number;
  const char* key;
  std::string SignalTitles::*title;
  std::uint32_t EcuSignalRecord::*value;  // nanoseconds
};

inline constexpr EdgeSubtest kEdgeSubtests[4] = {
    {6, "Rise_L1", &SignalTitles::titre_fm_l1, &EcuSignalRecord::val_rise_l1},
    {7, "Rise_L2", &SignalTitles::titre_fm_l2, &EcuSignalRecord::val_rise_l2},
    {8, "Down_L1", &SignalTitles::titre_fd_l1, &EcuSignalRecord::val_down_l1},
    {9, "Down_L2", &SignalTitles::titre_fd_l2, &EcuSignalRecord::val_down_l2},
};

}  // namespace report
