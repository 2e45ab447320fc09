// The names of the files the two programs exchange in their folder, as the programs spell them
// (with ".\" where they open them relative to the current folder). Who writes and who reads each
// is listed in docs/architecture.md.
#pragma once

namespace formats {

inline constexpr char kTranslationFile[] = "InfoTrfTR.zel";  // message texts, both programs
inline constexpr char kVersionFile[] = "VersionTr.zel";      // layout: version_record_format.h
inline constexpr char kStatusFile[] = ".\\Tr.ini";           // keys: tr_ini_format.h
inline constexpr char kStatusFileName[] = "Tr.ini";          // as messages name it
inline constexpr char kResultsFile[] = "Results.log";        // keys: results_log_format.h
inline constexpr char kResultsPath[] = ".\\Results.log";     // as the decoder writes it
inline constexpr char kConfigurationSource[] = "TransfertVersTR.zel";
inline constexpr char kConfigurationImage[] = ".\\MenuCfg.h86";   // Intel HEX, sent by ECRITURE
inline constexpr char kConfigurationImageName[] = "MenuCfg.h86";  // as the ECRITURE job names it

// The image files of a results upload, in the order the tool reads them from the tester.
inline constexpr char kResultsImage[] = "ResBin.zel";
inline constexpr char kConfigurationAreaImage[] = "CfgBin.zel";
inline constexpr char kMenuImage[] = "MenuBin.zel";
inline constexpr char kAcquisitionImage[] = "AcqBin.zel";

}  // namespace formats
