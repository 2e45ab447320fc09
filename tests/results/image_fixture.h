// Builds the five tester images of an upload in code, from a readable description of the
// configurations, their ECUs and frames, their results and the menu titles. Tests describe what
// they need, build, corrupt single fields through the recorded offsets, and write the files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace results_test {

struct FrameSpec {
  std::uint32_t ident = 0;
  std::string name;
};

struct EcuSpec {
  std::string name;
  std::vector<FrameSpec> frames;
  int nb_msg = -1;           // Nb_Msg when it differs from frames.size()
  std::uint8_t etat = 0x5F;  // signal state bits: all six set
};

struct ResultSpec {
  std::uint8_t tests_faisceau = 0, tests_electriques = 0, test_longueur = 0, test_blindage = 0;
  std::uint8_t etat_r = 1;   // L1-L2 resistance: non-zero = passed
  std::uint8_t etat_co = 0;  // open circuit: 0 = passed
  std::uint8_t etat_cc = 0;  // short-circuit bits
  std::uint8_t result_blindage = 1, result_longueur = 1;
};

struct ConfigSpec {
  std::string nom, nom_comp, titre_vcc;
  std::uint8_t type = 1;
  int nbr_ecu = -1;  // Cfg_NbrEcu when it differs from ecus.size()
  std::vector<EcuSpec> ecus;
  ResultSpec result;
};

struct ImageSetSpec {
  std::string nom = "Atelier 3", nom_compl = "Ligne de montage";
  int nbr_res = -1;  // NbrRes when it differs from configs.size()
  std::vector<ConfigSpec> configs;
  std::uint32_t result_base = 0x10000;
  // Labels of menu entries 28 to 34 and of the first nine test entries of the first ECU.
  std::vector<std::string> wiring_titles = {"R L1/L2",   "CC L1/VCC",  "CC L2/VCC", "CC L1/GND",
                                            "CC L2/GND", "CC L1/SHLD", "CC L2/SHLD"};
  std::vector<std::string> signal_titles = {"Debit", "R L1",  "D L1",  "R L2", "D L2",
                                            "FM L1", "FD L1", "FM L2", "FD L2"};
};

// Short forms for the descriptions above.
ConfigSpec Config(std::string nom, std::string nom_comp, std::string titre_vcc,
                  std::uint8_t type = 1);
EcuSpec Ecu(std::string name, std::vector<FrameSpec> frames = {}, int nb_msg = -1,
            std::uint8_t etat = 0x5F);
// Every test run, every result passed.
ResultSpec AllRun();

// The images, and where each record went (offsets into the image vectors, the menu without its
// count word) so that tests can damage one field.
struct Images {
  std::vector<std::uint8_t> version, res, cfg, menu, acq;
  std::vector<std::size_t> cfg_at, result_at;
  std::vector<std::vector<std::size_t>> ecu_at, ecu_result_at;
  std::vector<std::vector<std::vector<std::size_t>>> frame_at;

  void PutU32(std::vector<std::uint8_t>& image, std::size_t offset, std::uint32_t value);
  // Writes VersionTr.zel, ResBin.zel, MenuBin.zel (count word, then the entries), CfgBin.zel and
  // AcqBin.zel into `dir`.
  void Write(const std::filesystem::path& dir) const;
};

// The link value in a configuration image no record lies at, and the end of every chain.
inline constexpr std::uint32_t kNone = 0xFFFFFFFF;

Images Build(const ImageSetSpec& spec);

// The image file names, in the order the decoder opens them.
inline const char* const kImageFiles[] = {"VersionTr.zel", "ResBin.zel", "MenuBin.zel",
                                          "CfgBin.zel", "AcqBin.zel"};

}  // namespace results_test
