#include "viewer/translation_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/language_tables.h"
#include "tests/fakes/temp_folder.h"

namespace viewer {
namespace {

// Splits a translation file into its texts; fails the test on a malformed file.
std::vector<std::string> Records(const std::string& bytes) {
  std::vector<std::string> texts;
  std::size_t at = 0;
  while (at + 2 <= bytes.size()) {
    const std::size_t length = static_cast<unsigned char>(bytes[at]) +
                               static_cast<unsigned char>(bytes[at + 1]) * 256u + 1;
    EXPECT_LE(at + 2 + length, bytes.size()) << "record " << texts.size() << " runs past the end";
    texts.push_back(bytes.substr(at + 2, length));
    at += 2 + length;
  }
  EXPECT_EQ(at, bytes.size()) << "bytes after the last record";
  return texts;
}

TEST(TranslationFileTest, EnglishRecordsAreCountAndBytes) {
  fakes::TempFolder folder;
  ASSERT_TRUE(WriteTranslationFile(report::kEnglish, folder.File("InfoTrfTR.zel")));
  const std::string bytes = folder.Read("InfoTrfTR.zel");
  EXPECT_EQ(bytes.substr(0, 24), std::string("\x15\x00Upload of the results.", 24));
  const std::vector<std::string> texts = Records(bytes);
  ASSERT_EQ(texts.size(), 43u);
  EXPECT_EQ(texts[2], "===== OK ===== \nPlease close the window!");
  EXPECT_EQ(texts[25], "Error bad sequence (K-%02X).");
  EXPECT_EQ(texts[42], "No result in HALVEN TESTER. ");  // trailing blank kept
  EXPECT_EQ(bytes.substr(bytes.size() - 30),
            std::string("\x1B\x00No result in HALVEN TESTER. ", 30));
}

TEST(TranslationFileTest, AccentedLettersAreSingleBytes) {
  fakes::TempFolder folder;
  ASSERT_TRUE(WriteTranslationFile(report::kFrench, folder.File("fr.zel")));
  ASSERT_TRUE(WriteTranslationFile(report::kGerman, folder.File("de.zel")));
  const std::string french = folder.Read("fr.zel");
  const std::string german = folder.Read("de.zel");
  // "Upload des resultats." is 21 bytes (count 20), "Pas de p\xE9riph\xE9rique USB." 24 (count 23).
  EXPECT_EQ(french.substr(0, 2), std::string("\x14\x00", 2));
  const std::vector<std::string> fr = Records(french);
  const std::vector<std::string> de = Records(german);
  ASSERT_EQ(fr.size(), 43u);
  ASSERT_EQ(de.size(), 43u);
  EXPECT_EQ(fr[1], "Pas de p\xE9riph\xE9rique USB.");
  EXPECT_EQ(french.substr(fr[0].size() + 2, 2), std::string("\x17\x00", 2));
  EXPECT_EQ(fr[2], "===== Termin\xE9 ===== \nMerci de fermer la fen\xEAtre.");
  EXPECT_EQ(fr[37], "Arr\xEAt de la communication USB.");
  EXPECT_EQ(fr[41],
            "Erreur de lecture du fichier \xE0 t\xE9l\xE9"
            "charger.");
  EXPECT_EQ(de[2],
            "===== Fertig ===== \nBitte schlie\xDF"
            "en Sie das Fenster!");
  EXPECT_EQ(de[30],
            "Fehler beim \xD6"
            "ffnen der Datei.");
  EXPECT_EQ(de[35], "Konfiguration l\xF6schen.\nBitte Warten...\t");
  EXPECT_EQ(de[42], "Kein Ergebnis im HALVEN TESTER. ");
}

TEST(TranslationFileTest, TruncatesAnOldFileAndReportsAnUnwritablePath) {
  fakes::TempFolder folder;
  folder.Write("InfoTrfTR.zel", std::string(5000, 'x'));
  ASSERT_TRUE(WriteTranslationFile(report::kEnglish, folder.File("InfoTrfTR.zel")));
  EXPECT_EQ(Records(folder.Read("InfoTrfTR.zel")).size(), 43u);

  EXPECT_FALSE(WriteTranslationFile(report::kEnglish, folder.File("no-such-folder/InfoTrfTR.zel")));
  EXPECT_FALSE(WriteTranslationFile(3, folder.File("InfoTrfTR.zel")));
}

// Spot checks of the tables where a blank or a letter is easily lost.
TEST(LanguageTablesTest, TextsKeepTheirBlanksAndLetters) {
  EXPECT_EQ(report::UiText(report::kEnglish, 8), "Transmission rate selected  : ");
  EXPECT_EQ(report::UiText(report::kGerman, 8),
            "Gew\xE4hlte \xDC"
            "bertragungsrate     : ");
  EXPECT_EQ(report::UiText(report::kFrench, 13),
            "D\xE9"
            "bit r\xE9seau           : ");
  EXPECT_EQ(report::UiText(report::kFrench, 30),
            "Longueur[m], valeurs de mesur\xE9"
            "e| :");
  EXPECT_EQ(report::UiText(report::kGerman, 26),
            report::UiText(report::kEnglish, 26));  // the German table repeats English here
  EXPECT_EQ(report::UiText(report::kFrench, 24),
            "<Quillink.exe> manquant ou HALVEN TESTER absent !");
  EXPECT_EQ(report::UiText(report::kEnglish, 37), "");
  EXPECT_EQ(report::ToolMessage(-1, 0), "");
  EXPECT_EQ(report::MenuTextsFor(report::kFrench).french,
            "Fran\xE7"
            "ais");
  EXPECT_EQ(report::MenuTextsFor(report::kGerman).french, "Franz\xF6sisch");
  EXPECT_EQ(report::MenuTextsFor(report::kGerman).exit, "Beenden");
  EXPECT_EQ(report::MenuTextsFor(report::kEnglish).language, "Language");
}

}  // namespace
}  // namespace viewer
