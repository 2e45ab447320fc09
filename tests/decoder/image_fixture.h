// Builds the five tester images of an upload in code, from a readable description of the
// configurations, their ECUs and frames, their results and the menu titles. Tests describe what
// they need, build, corrupt single fields through the recorded offsets, and write the files.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "formats/bytes.h"
#include "formats/config_records.h"
#include "formats/result_records.h"

namespace decoder_test {

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

// The image file names, in the order the decoder opens them.
inline const char* const kImageFiles[] = {"VersionTr.zel", "ResBin.zel", "MenuBin.zel",
                                          "CfgBin.zel", "AcqBin.zel"};

namespace fixture_detail {

namespace cfgh = formats::cfg_header;
namespace cfgr = formats::cfg_record;
namespace ecur = formats::ecu_record;
namespace frm = formats::frame_record;
namespace menu = formats::menu_entry;
namespace res = formats::result_record;
namespace ecures = formats::ecu_result_record;

// A link past the end of every fixture image: the last record of a result chain carries it, since
// the decoder reads that link but must never follow it.
inline constexpr std::uint32_t kNeverFollowed = 0x12345678;

inline void PutText(std::vector<std::uint8_t>& image, std::size_t offset, const std::string& text,
                    std::size_t width) {
  std::copy_n(text.begin(), std::min(text.size(), width), image.begin() + offset);
}
inline void PutU16(std::vector<std::uint8_t>& image, std::size_t offset, std::uint16_t value) {
  formats::WriteU16LE(image.data() + offset, value);
}
inline void PutU32(std::vector<std::uint8_t>& image, std::size_t offset, std::uint32_t value) {
  formats::WriteU32LE(image.data() + offset, value);
}
inline std::size_t Grow(std::vector<std::uint8_t>& image, std::size_t size, std::uint8_t fill = 0) {
  std::size_t at = image.size();
  image.resize(at + size, fill);
  return at;
}

// Links each record to the next and previous one, circularly.
inline void Ring(std::vector<std::uint8_t>& image, const std::vector<std::size_t>& at,
                 std::size_t next, std::size_t prev) {
  for (std::size_t i = 0; i < at.size(); ++i) {
    PutU32(image, at[i] + next, static_cast<std::uint32_t>(at[(i + 1) % at.size()]));
    PutU32(image, at[i] + prev, static_cast<std::uint32_t>(at[(i + at.size() - 1) % at.size()]));
  }
}

inline void BuildCfg(const ImageSetSpec& spec, Images& out) {
  std::vector<std::uint8_t>& cfg = out.cfg;
  Grow(cfg, cfgh::kSize);
  PutText(cfg, cfgh::kFirstText, "CFG", cfgh::kTextWidth);
  PutText(cfg, cfgh::kNom, spec.nom, cfgh::kTextWidth);
  PutText(cfg, cfgh::kNomCompl, spec.nom_compl, cfgh::kTextWidth);
  cfg[cfgh::kNbrRes] = static_cast<std::uint8_t>(
      spec.nbr_res >= 0 ? spec.nbr_res : static_cast<int>(spec.configs.size()));
  PutU32(cfg, cfgh::kFirstCfg, spec.configs.empty() ? kNone : cfgh::kSize);

  for (std::size_t c = 0; c < spec.configs.size(); ++c) {
    out.cfg_at.push_back(Grow(cfg, cfgr::kSize, 0xFF));
  }
  Ring(cfg, out.cfg_at, cfgr::kNext, cfgr::kPrev);

  for (std::size_t c = 0; c < spec.configs.size(); ++c) {
    const ConfigSpec& config = spec.configs[c];
    const std::size_t at = out.cfg_at[c];
    const auto k = static_cast<std::uint8_t>(c);
    std::fill_n(cfg.begin() + at, cfgr::kCfgNbrEcu + 1, std::uint8_t{0});  // texts NUL-padded
    PutText(cfg, at + cfgr::kCfgNom, config.nom, cfgr::kNameWidth);
    PutText(cfg, at + cfgr::kCfgNomComp, config.nom_comp, cfgr::kNameWidth);
    cfg[at + cfgr::kCfgType] = config.type;
    PutText(cfg, at + cfgr::kTitreVcc, config.titre_vcc, cfgr::kTitreVccWidth);
    cfg[at + cfgr::kCfgNbrEcu] = static_cast<std::uint8_t>(
        config.nbr_ecu >= 0 ? config.nbr_ecu : static_cast<int>(config.ecus.size()));
    cfg[at + cfgr::kSeuilMinTauxCharge] = 0x0A + k;
    cfg[at + cfgr::kSeuilMaxTauxCharge] = 0x50 + k;
    cfg[at + cfgr::kSeuilMinTauxErr] = 0x01 + k;
    cfg[at + cfgr::kSeuilMaxTauxErr] = 0x05 + k;
    for (std::size_t i = 0; i < 8; ++i) cfg[at + cfgr::kSeuilMinRL1 + i] = 0x20 + i + k;
    for (std::size_t i = 0; i < 6; ++i) cfg[at + cfgr::kSeuilCcL1Vcc + i] = 0x30 + i + k;
    PutU32(cfg, at + cfgr::kSeuilCoL1L2, 125000 + k);
    PutU16(cfg, at + cfgr::kSeuilBasRL1L2, 40 + k);
    PutU16(cfg, at + cfgr::kSeuilHautRL1L2, 70 + k);

    std::vector<std::size_t> ecus;
    for (std::size_t e = 0; e < config.ecus.size(); ++e)
      ecus.push_back(Grow(cfg, ecur::kSize, 0xFF));
    Ring(cfg, ecus, ecur::kNext, ecur::kPrev);
    PutU32(cfg, at + cfgr::kFirstEcu, ecus.empty() ? kNone : static_cast<std::uint32_t>(ecus[0]));
    out.frame_at.emplace_back();
    for (std::size_t e = 0; e < config.ecus.size(); ++e) {
      const EcuSpec& ecu = config.ecus[e];
      std::fill_n(cfg.begin() + ecus[e], ecur::kNbMsg, std::uint8_t{0});
      PutText(cfg, ecus[e] + ecur::kNom, ecu.name, ecur::kNomWidth);
      cfg[ecus[e] + ecur::kNbMsg] = static_cast<std::uint8_t>(
          ecu.nb_msg >= 0 ? ecu.nb_msg : static_cast<int>(ecu.frames.size()));
      std::vector<std::size_t> frames;
      // Only type-1 configurations carry frame records.
      if (config.type == 1) {
        for (const FrameSpec& frame : ecu.frames) {
          std::size_t f = Grow(cfg, frm::kSize);
          PutU32(cfg, f + frm::kIdent, frame.ident);
          PutText(cfg, f + frm::kNom, frame.name, frm::kNomWidth);
          frames.push_back(f);
        }
      }
      Ring(cfg, frames, frm::kNext, frm::kPrev);
      PutU32(cfg, ecus[e] + ecur::kFirstFrame,
             frames.empty() ? kNone : static_cast<std::uint32_t>(frames[0]));
      out.frame_at.back().push_back(frames);
    }
    out.ecu_at.push_back(ecus);
  }
}

inline void BuildRes(const ImageSetSpec& spec, Images& out) {
  std::vector<std::uint8_t>& image = out.res;
  const std::uint32_t base = spec.result_base;
  // The first record lies at offset 80, after bytes the decoder does not use.
  Grow(image, 80, 0xEE);
  for (std::size_t c = 0; c < spec.configs.size(); ++c) {
    out.result_at.push_back(Grow(image, res::kUsedSize, 0xEE));
  }
  PutU32(image, formats::kFirstResultRecord,
         out.result_at.empty() ? kNone : base + static_cast<std::uint32_t>(out.result_at[0]));
  for (std::size_t c = 0; c < spec.configs.size(); ++c) {
    const ConfigSpec& config = spec.configs[c];
    const ResultSpec& r = config.result;
    const std::size_t at = out.result_at[c];
    const auto k = static_cast<std::uint16_t>(c);
    PutU16(image, at + res::kValVcc, 0x0C80 + k);
    PutU16(image, at + res::kValDebitConf, 0x01F4);
    PutU16(image, at + res::kTolDebit, 5 + k);
    for (std::size_t i = 0; i < 6; ++i) {
      PutU32(image, at + res::kValCcL1Vcc + 4 * i, 0x1000 * static_cast<std::uint32_t>(i + 1) + k);
    }
    image[at + res::kEtatCc] = r.etat_cc;
    PutU32(image, at + res::kValRL1L2, 0x3C + k);
    image[at + res::kEtatCoL1L2] = r.etat_co;
    image[at + res::kEtatRL1L2] = r.etat_r;
    PutU16(image, at + res::kLongueurMax, 10000);
    PutU16(image, at + res::kDebit, 250);
    PutU16(image, at + res::kLongueurMes, 488 + k);
    image[at + res::kVitesse] = 0x42;
    image[at + res::kResultLongueur] = r.result_longueur;
    PutU32(image, at + res::kSeuilCoBlindage, 125000);
    PutU32(image, at + res::kMesCoBlindage, 100 + k);
    image[at + res::kResultBlindage] = r.result_blindage;
    image[at + res::kTestsFaisceau] = r.tests_faisceau;
    image[at + res::kTestsElectriques] = r.tests_electriques;
    image[at + res::kTestLongueur] = r.test_longueur;
    image[at + res::kTestBlindage] = r.test_blindage;
    PutU32(image, at + res::kNext,
           c + 1 < spec.configs.size() ? base + static_cast<std::uint32_t>(out.result_at[c + 1])
                                       : kNeverFollowed);

    std::vector<std::size_t> ecu_results;
    if (config.type == 1) {
      for (std::size_t e = 0; e < config.ecus.size(); ++e) {
        ecu_results.push_back(Grow(image, ecures::kUsedSize, 0xEE));
      }
    }
    // Other types have no chain: the field is never read, so it holds a link nothing lies at.
    PutU32(
        image, at + res::kFirstEcuResult,
        ecu_results.empty() ? kNeverFollowed : base + static_cast<std::uint32_t>(ecu_results[0]));
    for (std::size_t e = 0; e < ecu_results.size(); ++e) {
      const std::size_t er = ecu_results[e];
      const auto n = static_cast<std::uint8_t>(e);
      image[er + ecures::kValRL1] = 0x50 + n;
      image[er + ecures::kValRL2] = 0x51 + n;
      image[er + ecures::kValDL1] = 0x60 + n;
      image[er + ecures::kValDL2] = 0x61 + n;
      for (std::size_t i = 0; i < 4; ++i) {
        PutU16(image, er + ecures::kValRiseL1 + 2 * i,
               static_cast<std::uint16_t>(0x100 + 0x10 * i + n));
        PutU16(image, er + ecures::kValErrMesRL1 + 2 * i,
               static_cast<std::uint16_t>(0x200 + 0x10 * i + n));
      }
      image[er + ecures::kValOscL1] = 0x0A + n;
      image[er + ecures::kValOscL2] = 0x0B + n;
      PutU16(image, er + ecures::kValDebit, 0x1F0 + n);
      image[er + ecures::kEtat] = config.ecus[e].etat;
      PutU32(image, er + ecures::kNext,
             e + 1 < ecu_results.size() ? base + static_cast<std::uint32_t>(ecu_results[e + 1])
                                        : kNeverFollowed);
    }
    out.ecu_result_at.push_back(ecu_results);
  }
}

// The menu tree as the configuration tool builds it for the first configuration; only the links
// and labels the decoder walks are filled in.
inline void BuildMenu(const ImageSetSpec& spec, Images& out) {
  const std::vector<EcuSpec> none;
  const std::vector<EcuSpec>& ecus = spec.configs.empty() ? none : spec.configs[0].ecus;
  const std::size_t e_count = ecus.size();
  const std::size_t ecu_entries = e_count < 8 ? e_count : e_count + 1;
  const std::size_t first_ecu = 35, first_test = first_ecu + ecu_entries;
  const std::size_t first_trailing = first_test + 10 * e_count;
  const std::size_t total = first_trailing + 5;

  std::vector<std::uint8_t>& image = out.menu;
  image.assign(total * menu::kSize, 0);
  auto link = [](std::size_t entry) { return static_cast<std::uint32_t>(entry * menu::kSize); };
  for (std::size_t i = 0; i < total; ++i) {
    const std::size_t at = i * menu::kSize;
    for (std::size_t field : {menu::kParent, menu::kPrev, menu::kNext, menu::kChild}) {
      PutU32(image, at + field, kNone);
    }
    PutU16(image, at + menu::kIndex, static_cast<std::uint16_t>(i));
  }
  auto label = [&](std::size_t entry, const std::string& text) {
    PutText(image, entry * menu::kSize + menu::kLabel, text, menu::kTextWidth);
  };
  auto ring = [&](std::size_t first, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
      PutU32(image, (first + i) * menu::kSize + menu::kNext, link(first + (i + 1) % count));
      PutU32(image, (first + i) * menu::kSize + menu::kPrev, link(first + (i + count - 1) % count));
    }
  };
  auto child = [&](std::size_t entry, std::size_t target) {
    PutU32(image, entry * menu::kSize + menu::kChild, link(target));
  };

  ring(21, 2);
  child(21, 23);
  child(22, first_trailing);
  label(21, spec.configs.empty() ? "" : spec.configs[0].nom);
  label(22, "Reglages");
  ring(23, 5);
  child(23, 28);
  ring(28, 7);
  for (std::size_t i = 0; i < 7 && i < spec.wiring_titles.size(); ++i)
    label(28 + i, spec.wiring_titles[i]);
  if (e_count > 0) {
    child(26, first_ecu);
    ring(first_ecu, ecu_entries);
    for (std::size_t j = 0; j < e_count; ++j) {
      label(first_ecu + j, ecus[j].name);
      const std::size_t tests = first_test + 10 * j;
      child(first_ecu + j, tests);
      ring(tests, 10);
      for (std::size_t k = 0; k < 9 && k < spec.signal_titles.size(); ++k) {
        label(tests + k, spec.signal_titles[k]);
      }
      label(tests + 9, "Retour");
    }
    if (ecu_entries > e_count) label(first_ecu + e_count, "Retour");
  }
  ring(first_trailing, 5);
  for (std::size_t i = 0; i < 5; ++i) label(first_trailing + i, "T" + std::to_string(i));
}

}  // namespace fixture_detail

inline void Images::PutU32(std::vector<std::uint8_t>& image, std::size_t offset,
                           std::uint32_t value) {
  fixture_detail::PutU32(image, offset, value);
}

// Short forms for the descriptions above.
inline ConfigSpec Config(std::string nom, std::string nom_comp, std::string titre_vcc,
                         std::uint8_t type = 1) {
  ConfigSpec config;
  config.nom = std::move(nom);
  config.nom_comp = std::move(nom_comp);
  config.titre_vcc = std::move(titre_vcc);
  config.type = type;
  return config;
}

inline EcuSpec Ecu(std::string name, std::vector<FrameSpec> frames = {}, int nb_msg = -1,
                   std::uint8_t etat = 0x5F) {
  EcuSpec ecu;
  ecu.name = std::move(name);
  ecu.frames = std::move(frames);
  ecu.nb_msg = nb_msg;
  ecu.etat = etat;
  return ecu;
}

// Every test run, every result passed.
inline ResultSpec AllRun() {
  ResultSpec result;
  result.tests_faisceau = result.tests_electriques = result.test_longueur = result.test_blindage =
      1;
  return result;
}

inline Images Build(const ImageSetSpec& spec) {
  Images out;
  fixture_detail::BuildCfg(spec, out);
  fixture_detail::BuildRes(spec, out);
  fixture_detail::BuildMenu(spec, out);
  out.acq = {1, 2, 3, 4, 5, 6, 7, 8};
  out.version.assign(40, 0);
  fixture_detail::PutText(out.version, 0, "TESTEUR", 20);
  fixture_detail::PutU32(out.version, 22, spec.result_base);
  fixture_detail::PutU32(out.version, 26, static_cast<std::uint32_t>(out.res.size()));
  fixture_detail::PutU32(out.version, 34, 0x40000);
  fixture_detail::PutU16(out.version, 38, static_cast<std::uint16_t>(out.acq.size()));
  return out;
}

inline void Images::Write(const std::filesystem::path& dir) const {
  auto write = [&](const char* name, const std::vector<std::uint8_t>& data, bool with_count) {
    std::ofstream file(dir / name, std::ios::binary | std::ios::trunc);
    if (with_count) {
      const auto count = static_cast<std::uint16_t>(data.size() / formats::menu_entry::kSize);
      const char word[2] = {static_cast<char>(count & 0xFF), static_cast<char>(count >> 8)};
      file.write(word, 2);
    }
    file.write(reinterpret_cast<const char*>(data.data()),
               static_cast<std::streamsize>(data.size()));
  };
  write("VersionTr.zel", version, false);
  write("ResBin.zel", res, false);
  write("MenuBin.zel", menu, true);
  write("CfgBin.zel", cfg, false);
  write("AcqBin.zel", acq, false);
}

}  // namespace decoder_test
