#include "decoder/result_decoder.h"

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "formats/config_records.h"
#include "formats/result_records.h"
#include "tests/decoder/decoder_harness.h"
#include "tests/decoder/image_fixture.h"

namespace decoder_test {
namespace {

using Call = fakes::RecordingStatusDisplay::Call;

// Three configurations that between them show most value forms and rules: a type-1 configuration
// with every test run and passed (a title with "%", a 17-character name that runs into the next
// field, a 20-character title, an ECU without frames); a second type-1 configuration whose menu
// titles do not exist, with a short circuit and a failing ECU; a type-2 configuration with failed
// screening and length results (bytes of 2) and an ECU whose frames are not in the image.
ImageSetSpec MixedSpec() {
  ImageSetSpec spec;
  spec.wiring_titles[1] = "Isolement 100%";
  spec.signal_titles[0] = "Debit nominal 500kbs";
  ConfigSpec berline = Config("Berline familiale", "Berline 5 portes", "VCC 12V");
  berline.ecus = {Ecu("Moteur", {{0x123, "Regime"}, {0x1E8480, "Vitesse vehicule"}}),
                  Ecu("Tableau de bord X")};
  berline.result = AllRun();
  ConfigSpec utilitaire = Config("Utilitaire", "", "24V");
  utilitaire.ecus = {Ecu("ABS", {{0x7DF, "Diag"}}, -1, 0x5B)};
  utilitaire.result.tests_faisceau = 1;
  utilitaire.result.tests_electriques = 1;
  utilitaire.result.etat_cc = 0x08;
  ConfigSpec remorque = Config("Remorque", "", "12V", 2);
  remorque.ecus = {Ecu("Feux", {}, 2)};
  remorque.result = AllRun();
  remorque.result.result_blindage = 2;
  remorque.result.result_longueur = 2;
  spec.configs = {berline, utilitaire, remorque};
  return spec;
}

const char kMixedResults[] = R"([Configuration]
Nom=Atelier 3
NomCompl=Ligne de montage
NbrRes=3
Date=DATE
[CfgRes000]
Cfg_Nom=Berline familiale
Cfg_NomComp=Berline 5 portes
Cfg_Type=1
SeuilMax_Taux_Err=5
SeuilMin_Taux_Err=1
SeuilMax_Taux_Charge=50
SeuilMin_Taux_Charge=A
SeuilMax_D_L1=26
SeuilMax_D_L2=27
SeuilMin_D_L1=24
SeuilMin_D_L2=25
SeuilMax_R_L1=22
SeuilMax_R_L2=23
SeuilMin_R_L1=20
SeuilMin_R_L2=21
Cfg_NbrEcu=2
Tests_Faisceau=1
Tests_Electriques=1
Test_Longueur=1
Test_Blindage=1
Result_Tests_Faisceau=1
Result_Test_Blindage=1
Result_Tests_Electriques=1
Result_Test_Longueur=1
Result_Tests=1
[CfgRes000_Uce000]
Nom=Moteur
Nb_Msg=2
Etat_TestST=1
Etat_Debit=1
Val_Debit=1F0
Val_Debit_Conf=1F4
Tol_Debit=5
Etat_D_L1=1
Val_D_L1=60
Etat_D_L2=1
Val_D_L2=61
Etat_R_L1=1
Val_R_L1=50
Etat_R_L2=1
Val_R_L2=51
Val_Rise_L1=100
Val_Rise_L2=110
Val_Down_L1=120
Val_Down_L2=130
Val_%Osc_L1=A
Val_%Osc_L2=B
Val_ErrMesR_L1=200
Val_ErrMesR_L2=210
Val_ErrMesD_L1=220
Val_ErrMesD_L2=230
Result_TestST=1
[CfgRes000_Uce000_Tr000]
Nom=Regime
Ident=123
[CfgRes000_Uce000_Tr001]
Nom=Vitesse vehicule
Ident=1E8480
[CfgRes000_Uce001]
Nom=Tableau de bord X
Nb_Msg=0
Etat_TestST=1
Etat_Debit=1
Val_Debit=1F1
Val_Debit_Conf=1F4
Tol_Debit=5
Etat_D_L1=1
Val_D_L1=61
Etat_D_L2=1
Val_D_L2=62
Etat_R_L1=1
Val_R_L1=51
Etat_R_L2=1
Val_R_L2=52
Val_Rise_L1=101
Val_Rise_L2=111
Val_Down_L1=121
Val_Down_L2=131
Val_%Osc_L1=B
Val_%Osc_L2=C
Val_ErrMesR_L1=201
Val_ErrMesR_L2=211
Val_ErrMesD_L1=221
Val_ErrMesD_L2=231
Result_TestST=1
[CfgRes000_TESTHT]
Etat_R_L1/L2=1
Val_R_L1/L2=3C
SeuilBas_R_L1/L2=28
SeuilHaut_R_L1/L2=46
Titre_R_L1/L2=R L1/L2
Etat_CO_L1/L2=0
Val_CO_L1/L2=3C
Seuil_CO_L1/L2=1E848
Etat_CC_L1/VCC=0
Val_CC_L1/VCC=1000
Seuil_CC_L1/VCC=30
Titre_CC_L1/VCC=Isolement 100%
Etat_CC_L2/VCC=0
Val_CC_L2/VCC=2000
Seuil_CC_L2/VCC=31
Titre_CC_L2/VCC=CC L2/VCC
Etat_CC_L1/GND=0
Val_CC_L1/GND=3000
Seuil_CC_L1/GND=32
Titre_CC_L1/GND=CC L1/GND
Etat_CC_L2/GND=0
Val_CC_L2/GND=4000
Seuil_CC_L2/GND=33
Titre_CC_L2/GND=CC L2/GND
Etat_CC_L1/SHIELD=0
Val_CC_L1/SHIELD=5000
Seuil_CC_L1/SHIELD=34
Titre_CC_L1/SHIELD=CC L1/SHLD
Etat_CC_L2/SHIELD=0
Val_CC_L2/SHIELD=6000
Seuil_CC_L2/SHIELD=35
Titre_CC_L2/SHIELD=CC L2/SHLD
[CfgRes000_TESTBLINDAGE]
Seuil_Co_Blindage=1E848
Mes_Co_Blindage=64
Result_Blindage=1
[CfgRes000_TESTST]
Titre_VCC=VCC 12V
Val_VCC=C80
Titre_Debit=Debit nominal 500kbs
Titre_R_L1=R L1
Titre_D_L1=D L1
Titre_R_L2=R L2
Titre_D_L2=D L2
Titre_FM_L1=FM L1
Titre_FD_L1=FD L1
Titre_FM_L2=FM L2
Titre_FD_L2=FD L2
[CfgRes000_TESTLONGUEUR]
Longueur_Max=2710
Longueur_Mes=1E8
Debit=FA
Vitesse=42
Result_Longueur=1
[CfgRes001]
Cfg_Nom=Utilitaire
Cfg_NomComp=
Cfg_Type=1
SeuilMax_Taux_Err=6
SeuilMin_Taux_Err=2
SeuilMax_Taux_Charge=51
SeuilMin_Taux_Charge=B
SeuilMax_D_L1=27
SeuilMax_D_L2=28
SeuilMin_D_L1=25
SeuilMin_D_L2=26
SeuilMax_R_L1=23
SeuilMax_R_L2=24
SeuilMin_R_L1=21
SeuilMin_R_L2=22
Cfg_NbrEcu=1
Tests_Faisceau=1
Tests_Electriques=1
Test_Longueur=0
Test_Blindage=0
Result_Tests_Faisceau=0
Result_Test_Blindage=0
Result_Tests_Electriques=0
Result_Test_Longueur=0
Result_Tests=0
[CfgRes001_Uce000]
Nom=ABS
Nb_Msg=1
Etat_TestST=1
Etat_Debit=1
Val_Debit=1F0
Val_Debit_Conf=1F4
Tol_Debit=6
Etat_D_L1=0
Val_D_L1=60
Etat_D_L2=1
Val_D_L2=61
Etat_R_L1=1
Val_R_L1=50
Etat_R_L2=1
Val_R_L2=51
Val_Rise_L1=100
Val_Rise_L2=110
Val_Down_L1=120
Val_Down_L2=130
Val_%Osc_L1=A
Val_%Osc_L2=B
Val_ErrMesR_L1=200
Val_ErrMesR_L2=210
Val_ErrMesD_L1=220
Val_ErrMesD_L2=230
Result_TestST=0
[CfgRes001_Uce000_Tr000]
Nom=Diag
Ident=7DF
[CfgRes001_TESTHT]
Etat_R_L1/L2=1
Val_R_L1/L2=3D
SeuilBas_R_L1/L2=29
SeuilHaut_R_L1/L2=47
Titre_R_L1/L2=
Etat_CO_L1/L2=0
Val_CO_L1/L2=3D
Seuil_CO_L1/L2=1E849
Etat_CC_L1/VCC=0
Val_CC_L1/VCC=1001
Seuil_CC_L1/VCC=31
Titre_CC_L1/VCC=
Etat_CC_L2/VCC=0
Val_CC_L2/VCC=2001
Seuil_CC_L2/VCC=32
Titre_CC_L2/VCC=
Etat_CC_L1/GND=0
Val_CC_L1/GND=3001
Seuil_CC_L1/GND=33
Titre_CC_L1/GND=
Etat_CC_L2/GND=1
Val_CC_L2/GND=4001
Seuil_CC_L2/GND=34
Titre_CC_L2/GND=
Etat_CC_L1/SHIELD=0
Val_CC_L1/SHIELD=5001
Seuil_CC_L1/SHIELD=35
Titre_CC_L1/SHIELD=
Etat_CC_L2/SHIELD=0
Val_CC_L2/SHIELD=6001
Seuil_CC_L2/SHIELD=36
Titre_CC_L2/SHIELD=
[CfgRes001_TESTST]
Titre_VCC=24V
Val_VCC=C81
Titre_Debit=
Titre_R_L1=
Titre_D_L1=
Titre_R_L2=
Titre_D_L2=
Titre_FM_L1=
Titre_FD_L1=
Titre_FM_L2=
Titre_FD_L2=
[CfgRes002]
Cfg_Nom=Remorque
Cfg_NomComp=
Cfg_Type=2
SeuilMax_Taux_Err=7
SeuilMin_Taux_Err=3
SeuilMax_Taux_Charge=52
SeuilMin_Taux_Charge=C
Cfg_NbrEcu=1
Tests_Faisceau=1
Tests_Electriques=1
Test_Longueur=1
Test_Blindage=1
Result_Tests_Faisceau=1
Result_Test_Blindage=0
Result_Tests_Electriques=1
Result_Test_Longueur=0
Result_Tests=0
[CfgRes002_Uce000]
Nom=Feux
Nb_Msg=2
[CfgRes002_TESTBLINDAGE]
Seuil_Co_Blindage=1E848
Mes_Co_Blindage=66
Result_Blindage=2
[CfgRes002_TESTST]
Titre_VCC=12V
[CfgRes002_TESTLONGUEUR]
Longueur_Max=2710
Longueur_Mes=1EA
Debit=FA
Vitesse=42
Result_Longueur=2
)";

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// The file with its date value checked for form and replaced by "DATE".
std::string WithoutDate(std::string text) {
  static const std::regex date("\r\nDate=([0-9]{8}_[0-9]{2}h[0-9]{2}m[0-9]{2})\r\n");
  std::smatch match;
  if (!std::regex_search(text, match, date)) return text;
  return text.replace(match.position(1), match.length(1), "DATE");
}

std::vector<Call> ProgressCalls(std::initializer_list<std::pair<int, int>> steps) {
  std::vector<Call> calls;
  for (auto [count, position] : steps) {
    calls.push_back({Call::kRange, {}, 0, static_cast<std::uint16_t>(count)});
    calls.push_back({Call::kPos, {}, static_cast<std::uint16_t>(position)});
  }
  return calls;
}

void ExpectCalls(const std::vector<Call>& actual, const std::vector<Call>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_EQ(actual[i].kind, expected[i].kind) << "call " << i;
    EXPECT_EQ(actual[i].a, expected[i].a) << "call " << i;
    EXPECT_EQ(actual[i].b, expected[i].b) << "call " << i;
  }
}

using ResultDecoderTest = DecoderHarness;

TEST_F(ResultDecoderTest, WritesEverySectionAndKeyInOrder) {
  Build(MixedSpec()).Write(dir_);
  WriteFile("Tr.ini", "[EtatVersion]\r\nEtat=1\r\n[CheminFichier]\r\nResultat=0\r\n");

  ASSERT_TRUE(Convert());
  EXPECT_EQ(refusal_, "");

  EXPECT_EQ(WithoutDate(ReadFile("Results.log")), WithCrLf(kMixedResults));
  EXPECT_EQ(ReadFile("Tr.ini"),
            "[EtatVersion]\r\nEtat=1\r\n[CheminFichier]\r\nResultat=.\\Tr.ini\r\n");
  // Configuration scale before each configuration, ECU scale before each ECU of each ECU pass.
  ExpectCalls(display_.calls(), ProgressCalls({{3, 1},
                                               {2, 1},
                                               {2, 2},
                                               {2, 1},
                                               {2, 2},
                                               {3, 2},
                                               {1, 1},
                                               {1, 1},
                                               {3, 3},
                                               {1, 1},
                                               {1, 1}}));
  EXPECT_TRUE(display_.statuses().empty());
  EXPECT_EQ(Boxes(), "");
}

TEST_F(ResultDecoderTest, NoConfigurationGivesTheHeaderSectionAlone) {
  Build(ImageSetSpec{}).Write(dir_);
  ASSERT_TRUE(Convert());
  EXPECT_EQ(WithoutDate(ReadFile("Results.log")),
            WithCrLf("[Configuration]\nNom=Atelier 3\nNomCompl=Ligne de montage\nNbrRes=0\n"
                     "Date=DATE\n"));
  EXPECT_EQ(Resultat(), ".\\Tr.ini");
  EXPECT_TRUE(display_.calls().empty());
}

TEST_F(ResultDecoderTest, ResultFlags) {
  struct Case {
    const char* name;
    std::function<void(ConfigSpec&)> change;
    const char* flags;  // Faisceau, Blindage, Electriques, Longueur, Tests
  };
  const Case cases[] = {
      {"all passed", [](ConfigSpec&) {}, "11111"},
      {"length not run", [](ConfigSpec& c) { c.result.test_longueur = 0; }, "11100"},
      {"nothing run", [](ConfigSpec& c) { c.result = ResultSpec(); }, "00000"},
      {"resistance fault", [](ConfigSpec& c) { c.result.etat_r = 0; }, "01110"},
      {"open circuit", [](ConfigSpec& c) { c.result.etat_co = 3; }, "01110"},
      {"short L2/SHIELD", [](ConfigSpec& c) { c.result.etat_cc = 0x20; }, "01110"},
      {"unused short bits", [](ConfigSpec& c) { c.result.etat_cc = 0xC0; }, "11111"},
      {"screening 2", [](ConfigSpec& c) { c.result.result_blindage = 2; }, "10110"},
      {"length 2", [](ConfigSpec& c) { c.result.result_longueur = 2; }, "11100"},
      {"middle ECU fails", [](ConfigSpec& c) { c.ecus[1].etat = 0x4F; }, "11010"},
      {"unused signal bits", [](ConfigSpec& c) { c.ecus[1].etat = 0x70 | 0x0F | 0x80; }, "11111"},
      {"type 2", [](ConfigSpec& c) { c.type = 2; }, "11111"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ConfigSpec config = Config("C", "", "V");
    config.ecus = {Ecu("E0"), Ecu("E1"), Ecu("E2")};
    config.result = AllRun();
    test.change(config);
    ImageSetSpec spec;
    spec.configs = {config};
    Build(spec).Write(dir_);
    ASSERT_TRUE(Convert());
    const char* keys[] = {"Result_Tests_Faisceau", "Result_Test_Blindage",
                          "Result_Tests_Electriques", "Result_Test_Longueur", "Result_Tests"};
    std::string flags;
    for (const char* key : keys) flags += Value("CfgRes000", key);
    EXPECT_EQ(flags, test.flags);
    if (config.type != 1) {
      EXPECT_EQ(Value("CfgRes000_TESTHT", "Etat_R_L1/L2"), "Erreur");
      EXPECT_EQ(Value("CfgRes000_Uce000", "Etat_TestST"), "Erreur");
      EXPECT_EQ(Value("CfgRes000_TESTST", "Titre_VCC"), "V");
      EXPECT_EQ(Value("CfgRes000_TESTST", "Val_VCC"), "Erreur");
    } else if (config.result.tests_electriques != 0) {
      // A failing ECU does not stop the pass.
      for (int e = 0; e < 3; ++e) {
        EXPECT_EQ(Value("CfgRes000_Uce00" + std::to_string(e), "Result_TestST"),
                  (config.ecus[e].etat & 0x5F) == 0x5F ? "1" : "0");
      }
    }
  }
}

TEST_F(ResultDecoderTest, TwentySixConfigurations) {
  ImageSetSpec spec;
  for (int c = 0; c < 26; ++c) spec.configs.push_back(Config("Cfg" + std::to_string(c), "", "", 2));
  Build(spec).Write(dir_);
  ASSERT_TRUE(Convert());
  EXPECT_EQ(Value("Configuration", "NbrRes"), "1A");
  EXPECT_EQ(Value("CfgRes00A", "Cfg_Nom"), "Cfg10");
  EXPECT_EQ(Value("CfgRes019", "Cfg_Nom"), "Cfg25");
  EXPECT_EQ(Value("CfgRes01A", "Cfg_Nom"), "Erreur");
}

TEST_F(ResultDecoderTest, CountsBeyondARingFollowItAndNoRecordLinksEndAWalk) {
  ConfigSpec config = Config("C", "", "");
  config.ecus = {Ecu("E0", {{1, "F0"}, {2, "F1"}}, 5), Ecu("E1"), Ecu("E2")};
  config.nbr_ecu = 5;
  config.result.tests_electriques = 1;
  ImageSetSpec spec;
  spec.configs = {config};
  Images images = Build(spec);
  // The ECU result chain ends after three records.
  images.PutU32(images.res, images.ecu_result_at[0][2] + formats::ecu_result_record::kNext, kNone);
  images.Write(dir_);

  ASSERT_TRUE(Convert());
  const char* names[] = {"E0", "E1", "E2", "E0", "E1"};
  for (int e = 0; e < 5; ++e) {
    EXPECT_EQ(Value("CfgRes000_Uce00" + std::to_string(e), "Nom"), names[e]);
  }
  EXPECT_EQ(Value("CfgRes000_Uce000_Tr004", "Nom"), "F0");
  EXPECT_EQ(Value("CfgRes000_Uce003_Tr004", "Nom"), "F0");
  EXPECT_EQ(Value("CfgRes000_Uce002", "Result_TestST"), "1");
  EXPECT_EQ(Value("CfgRes000_Uce003", "Result_TestST"), "Erreur");
  EXPECT_EQ(Value("CfgRes000", "Result_Tests_Electriques"), "0");
}

TEST_F(ResultDecoderTest, TitlesThatCannotBeFoundAreEmpty) {
  ConfigSpec config = Config("C", "", "");
  config.ecus = {Ecu("E0")};
  config.result.tests_faisceau = 1;
  config.result.tests_electriques = 1;
  ImageSetSpec spec;
  spec.configs = {config};

  Images images = Build(spec);
  // The third wiring title's next link leaves the loaded entries.
  images.PutU32(images.menu, 30 * 70 + formats::menu_entry::kNext, 0x7FFFFFF0);
  images.Write(dir_);
  ASSERT_TRUE(Convert());
  EXPECT_EQ(Value("CfgRes000_TESTHT", "Titre_CC_L2/VCC"), "CC L2/VCC");
  EXPECT_EQ(Value("CfgRes000_TESTHT", "Titre_CC_L1/GND"), "");
  EXPECT_EQ(Value("CfgRes000_TESTHT", "Titre_CC_L2/SHIELD"), "");
  EXPECT_EQ(Value("CfgRes000_TESTST", "Titre_FD_L2"), "FD L2");

  images = Build(spec);
  images.menu.resize(21 * 70);  // no configuration root
  images.Write(dir_);
  ASSERT_TRUE(Convert());
  EXPECT_EQ(Value("CfgRes000_TESTHT", "Titre_R_L1/L2"), "");
  EXPECT_EQ(Value("CfgRes000_TESTST", "Titre_Debit"), "");
  EXPECT_EQ(Value("CfgRes000", "Result_Tests_Faisceau"), "1");
}

TEST_F(ResultDecoderTest, MissingImageFileWritesNothing) {
  for (const char* missing : kImageFiles) {
    SCOPED_TRACE(missing);
    Build(MixedSpec()).Write(dir_);
    std::filesystem::remove(dir_ / "Results.log");
    std::filesystem::remove(dir_ / missing);
    EXPECT_FALSE(Convert());
    EXPECT_EQ(refusal_, std::string(missing) + " cannot be read");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "Results.log"));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "Tr.ini"));
  }
  EXPECT_EQ(Boxes(), "");
  EXPECT_TRUE(display_.calls().empty());
}

TEST_F(ResultDecoderTest, ResultsLogThatCannotBeCreated) {
  Build(MixedSpec()).Write(dir_);
  WriteFile("Tr.ini", "[CheminFichier]\r\nResultat=0\r\n");
  std::filesystem::create_directory(dir_ / "Results.log");
  EXPECT_FALSE(Convert());
  const std::string head = "[Quillink]\nCan't create result file\n";
  const std::string boxes = Boxes();
  ASSERT_EQ(boxes.compare(0, head.size(), head), 0) << boxes;
  EXPECT_GT(boxes.size(), head.size() + 2) << "the system's error text is missing";
  EXPECT_EQ(Resultat(), "0");
}

TEST_F(ResultDecoderTest, InconsistentImagesAreRefusedBeforeWriting) {
  namespace cfgh = formats::cfg_header;
  namespace cfgr = formats::cfg_record;
  namespace ecur = formats::ecu_record;
  namespace frm = formats::frame_record;
  namespace res = formats::result_record;
  namespace ecures = formats::ecu_result_record;
  // Each damage with the reason the decoder gives: the refusal must come from that link.
  struct Case {
    const char* refusal;
    std::function<void(Images&)> damage;
  };
  const std::uint32_t base = ImageSetSpec{}.result_base;
  const Case cases[] = {
      {"first configuration link outside the image",
       [](Images& i) {
         i.PutU32(i.cfg, cfgh::kFirstCfg, static_cast<std::uint32_t>(i.cfg.size()));
       }},
      {"configuration 1: next configuration link outside the image",  // across the end
       [](Images& i) {
         i.PutU32(i.cfg, i.cfg_at[1] + cfgr::kNext, static_cast<std::uint32_t>(i.cfg.size() - 100));
       }},
      {"configuration 2: first ECU link outside the image",
       [](Images& i) { i.PutU32(i.cfg, i.cfg_at[2] + cfgr::kFirstEcu, 0x00FFFFFF); }},
      {"configuration 0: next frame link outside the image",
       [](Images& i) { i.PutU32(i.cfg, i.frame_at[0][0][0] + frm::kNext, 0x80000000); }},
      {"configuration 0: next ECU link outside the image",
       [](Images& i) { i.PutU32(i.cfg, i.ecu_at[0][0] + ecur::kNext, 70000); }},
      {"configuration image shorter than its header", [](Images& i) { i.cfg.resize(70); }},
      {"configuration 1: first frame link outside the image",  // the image ends inside it
       [](Images& i) { i.cfg.resize(i.frame_at[1][0][0] + 39); }},
      {"first result link outside the image",  // below the base address
       [base](Images& i) { i.PutU32(i.res, formats::kFirstResultRecord, base - 4); }},
      {"result image shorter than its first link", [](Images& i) { i.res.resize(3); }},
      {"configuration 1: next result link outside the image",
       [base](Images& i) { i.PutU32(i.res, i.result_at[1] + res::kNext, base + 65535); }},
      {"configuration 0: first ECU result link outside the image",
       [](Images& i) { i.PutU32(i.res, i.result_at[0] + res::kFirstEcuResult, 5); }},
      {"configuration 0: next ECU result link outside the image",  // the image ends inside it
       [](Images& i) { i.res.resize(i.ecu_result_at[0][1] + 29); }},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.refusal);
    Images images = Build(MixedSpec());
    test.damage(images);
    images.Write(dir_);
    WriteFile("Results.log", "old results");
    WriteFile("Tr.ini", "[CheminFichier]\r\nResultat=0\r\n");
    std::filesystem::remove(dir_ / "boxes.txt");

    EXPECT_FALSE(Convert());
    EXPECT_EQ(refusal_, test.refusal);
    EXPECT_EQ(ReadFile("Results.log"), "old results");
    EXPECT_EQ(Resultat(), "0");
    EXPECT_EQ(Boxes(),
              "[Quillink]\nDonn\xE9"
              "es du testeur incoh\xE9"
              "rentes (Results.log non cr\xE9\xE9)\nTester data inconsistent (Results.log not "
              "created)\n\n");
  }
  EXPECT_TRUE(display_.calls().empty());
}

TEST_F(ResultDecoderTest, MenuCountAboveTheAreaLoadsWhatFits) {
  Images images = Build(MixedSpec());
  images.menu.resize(6000 * 70, 0xAA);
  images.Write(dir_);
  decoder::ResultDecoder decoder(writer_, display_);
  ASSERT_TRUE(decoder.LoadImages());
  EXPECT_EQ(decoder.menu_area().loaded().size(), 5617u * 70);
  EXPECT_EQ(decoder.cfg_area().loaded().size(), images.cfg.size());
}

}  // namespace
}  // namespace decoder_test
