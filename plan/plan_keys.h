// The key names of the plan text, shared by its reader, its writer and the source's field map.
#pragma once

#include <array>

#include "plan/plan_model.h"

namespace plan::keys {

// By their order in the model.
inline constexpr std::array<const char*, kShortCircuitCount> kShortCircuit = {
    "short_circuit_l1_vcc_ohm", "short_circuit_l2_vcc_ohm",    "short_circuit_l1_gnd_ohm",
    "short_circuit_l2_gnd_ohm", "short_circuit_l1_shield_ohm", "short_circuit_l2_shield_ohm"};
inline constexpr std::array<const char*, kLevelCount> kLevels = {
    "r_level_l1_min_volt", "r_level_l1_max_volt", "d_level_l1_min_volt", "d_level_l1_max_volt",
    "r_level_l2_min_volt", "r_level_l2_max_volt", "d_level_l2_min_volt", "d_level_l2_max_volt"};
inline constexpr std::array<const char*, 3> kMessageGroups = {"messages_200", "messages_0",
                                                              "messages_100"};

// What each test title names, for the comments of the text and for `show`.
inline constexpr std::array<const char*, kWiringTitleCount> kWiringTitles = {
    "loop resistance L1/L2",  "short circuit L1-VCC", "short circuit L2-VCC",
    "short circuit L1-GND",   "short circuit L2-GND", "short circuit L1-SHIELD",
    "short circuit L2-SHIELD"};
inline constexpr std::array<const char*, kSignalTitleCount> kSignalTitles = {
    "bit rate",          "R level L1",        "D level L1",        "R level L2",       "D level L2",
    "signal test FM L1", "signal test FD L1", "signal test FM L2", "signal test FD L2"};

}  // namespace plan::keys
