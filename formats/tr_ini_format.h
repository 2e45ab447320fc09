// The status file ".\Tr.ini" (formats::kStatusFile): the tool's answers to the results
// application. Morvane resets both keys before it starts the tool; the tool sets them.
#pragma once

namespace formats {

// [EtatVersion] Etat: the version check of the last information read.
inline constexpr char kVersionSection[] = "EtatVersion";
inline constexpr char kVersionKey[] = "Etat";
inline constexpr char kVersionNotRead[] = "-1";  // written by Morvane; kept when no reply
inline constexpr char kVersionWrongMajor[] = "0";
inline constexpr char kVersionAccepted[] = "1";
inline constexpr char kVersionWrongIdentity[] = "2";
inline constexpr char kVersionMissingCapability[] = "3";

// [CheminFichier] Resultat: "0" while a results upload runs, then the path of Results.log.
inline constexpr char kResultSection[] = "CheminFichier";
inline constexpr char kResultKey[] = "Resultat";
inline constexpr char kResultPending[] = "0";

}  // namespace formats
