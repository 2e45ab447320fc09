// The three languages' texts, written byte for byte with escapes for the Windows-1252 letters so
// that no editor can re-encode them. Trailing and inner blanks are part of the texts: they align
// the report's columns.
#include "report/language_tables.h"

#include <array>

namespace report {
namespace {

// Indexed [language][text]: German 0, English 1, French 2.
const std::array<std::array<std::string, kUiTextCount>, kLanguageCount> kUiTexts = {{
    // German
    {{
        "KONFIGURATION INFO : ",                   // 0
        "Datum des Upload : ",                     // 1
        "1) Ergebnisse des Verdrahtungstests : ",  // 2
        "Grenzwert         : ",                    // 3
        "Gemessener Wert   : ",                    // 4
        "Unterer Grenzwert : ",                    // 5
        "Oberer Grenzwert  : ",                    // 6
        "3) Ergebnisse der Signaltests : ",        // 7
        "Gew\xE4hlte \xDC"
        "bertragungsrate     : ",  // 8
        "Toleranz der \xDC"
        "bertragungsrate : ",  // 9
        "Gemessene \xDC"
        "bertragungsrate    : ",                // 10
        "4) Ergebnis der L\xE4ngenmessung : ",  // 11
        "4.1 Parameter : ",                     // 12
        "\xDC"
        "bertragungsrate : ",                                                  // 13
        "Signallaufzeit   : ",                                                 // 14
        "4.2 L\xE4nge : ",                                                     // 15
        "Max. L\xE4nge : ",                                                    // 16
        "Cursor Position : ",                                                  // 17
        "Sprache",                                                             // 18
        "Upload",                                                              // 19
        "Abbrechen",                                                           // 20
        "Fehler",                                                              // 21
        "Problem L2",                                                          // 22
        "Dateiformat nicht bekannt !",                                         // 23
        "<QuillinK.exe> oder HALVEN TESTER fehlt !",                           // 24
        "Tests wurde nicht durchgef\xFChrt",                                   // 25
        "Major Version Embedded software error\nPlease use version ",          // 26
        "Connected device is not a HALVEN TESTER.\nConnected device found :",  // 27
        "Connected device is not a HALVEN TESTER",                             // 28
        "4.3 Gemessene Werte",                                                 // 29
        "L\xE4nge[m], Messwert| :",                                            // 30
        "2) Ergebnis des Kabelschirmtests : ",                                 // 31
        "UB CAN_SHLD",                                                         // 32
        "Fehler",                                                              // 33
        "Grenzwert       : ",                                                  // 34
        "Gemessener Wert : ",                                                  // 35
        "Ok",                                                                  // 36
    }},
    // English
    {{
        "CONFIGURATION INFORMATION : ",                                        // 0
        "Date of upload : ",                                                   // 1
        "1) Results of Connection Test : ",                                    // 2
        "Threshold Value : ",                                                  // 3
        "Measured Value  : ",                                                  // 4
        "Minimum Value   : ",                                                  // 5
        "Maximum Value   : ",                                                  // 6
        "3) Results of Signal Test : ",                                        // 7
        "Transmission rate selected  : ",                                      // 8
        "Transmission rate tolerance : ",                                      // 9
        "Transmission rate measured  : ",                                      // 10
        "4) Results of Length measurement : ",                                 // 11
        "4.1 Parameters : ",                                                   // 12
        "Transmission rate : ",                                                // 13
        "Signal runtime    : ",                                                // 14
        "4.2 Length : ",                                                       // 15
        "Maximum Length : ",                                                   // 16
        "Cursor position : ",                                                  // 17
        "Language",                                                            // 18
        "Upload",                                                              // 19
        "Cancel",                                                              // 20
        "ERROR",                                                               // 21
        "Problem L2",                                                          // 22
        "bad format file !",                                                   // 23
        "<QuillinK.exe> or HALVEN TESTER missing !",                           // 24
        "Test not done",                                                       // 25
        "Major Version Embedded software error\nPlease use version ",          // 26
        "Connected device is not a HALVEN TESTER.\nConnected device found :",  // 27
        "Connected device is not a HALVEN TESTER",                             // 28
        "4.3 Measured values",                                                 // 29
        "Length[m],value| :",                                                  // 30
        "2) Results of the Screening Tests : ",                                // 31
        "OL CAN_SHLD",                                                         // 32
        "ERROR",                                                               // 33
        "Threshold value : ",                                                  // 34
        "Measured value  : ",                                                  // 35
        "OK",                                                                  // 36
    }},
    // French
    {{
        "INFORMATIONS CONFIGURATION : ",         // 0
        "Date du upload : ",                     // 1
        "1) R\xE9sultats du Test Connexion : ",  // 2
        "Valeur de seuil : ",                    // 3
        "Valeur mesur\xE9"
        "e  : ",                              // 4
        "Valeur minimum  : ",                 // 5
        "Valeur maximum  : ",                 // 6
        "3) R\xE9sultats du Test Signal : ",  // 7
        "D\xE9"
        "bit s\xE9lectionn\xE9 : ",  // 8
        "Tolerance d\xE9"
        "bit   : ",  // 9
        "D\xE9"
        "bit mesur\xE9      : ",  // 10
        "4) R\xE9sultats du Test Longueur c\xE2"
        "ble : ",                // 11
        "4.1 Param\xE8tres : ",  // 12
        "D\xE9"
        "bit r\xE9seau           : ",                                                       // 13
        "Vitesse de propagation : ",                                                        // 14
        "4.2 Longueur : ",                                                                  // 15
        "Longueur Maximum : ",                                                              // 16
        "Position curseur : ",                                                              // 17
        "Langue",                                                                           // 18
        "Upload",                                                                           // 19
        "Annuler",                                                                          // 20
        "ERREUR",                                                                           // 21
        "Probl\xE8me L2",                                                                   // 22
        "Format de fichier inattendu!",                                                     // 23
        "<Quillink.exe> manquant ou HALVEN TESTER absent !",                                // 24
        "Test non effectu\xE9",                                                             // 25
        "Erreur de version Major de logiciel embarqu\xE9\nVeuillez utiliser une version ",  // 26
        "L'appareil connect\xE9 n'est pas un HALVEN TESTER\nAppareil connect\xE9 :",        // 27
        "L'appareil connect\xE9 n'est pas un HALVEN TESTER",                                // 28
        "4.3 Valeurs mesur\xE9"
        "es",  // 29
        "Longueur[m], valeurs de mesur\xE9"
        "e| :",                                 // 30
        "2) R\xE9sultats du Test blindage : ",  // 31
        "OL CAN_SHLD",                          // 32
        "ERREUR",                               // 33
        "Valeur de seuil : ",                   // 34
        "Valeur mesur\xE9"
        "e  : ",  // 35
        "OK",     // 36
    }},
}};

const std::array<std::array<std::string, kToolMessageCount>, kLanguageCount> kToolMessages = {{
    // German
    {{
        "Upload der Messergebnisse.",  // 0
        "Kein USB-Ger\xE4t.",          // 1
        "===== Fertig ===== \nBitte schlie\xDF"
        "en Sie das Fenster!",                                              // 2
        "USB-Kommunikationsfehler (code:B1)",                               // 3
        "Mehr als ein Ger\xE4t entdeckt.\nNur ein Ger\xE4t anschliessen.",  // 4
        "USB-Kommunikationsfehler (Code: B2).",                             // 5
        "USB-Kommunikationsfehler (Code: B3).",                             // 6
        "USB-Kommunikationsfehler (Code: B4).",                             // 7
        "USB-Kommunikationsfehler (Code: B5).",                             // 8
        "USB-Kommunikationsfehler (Code: B6).",                             // 9
        "USB-Kommunikationsfehler (Code: B7).",                             // 10
        "USB-Kommunikationsfehler (Code: B8).",                             // 11
        "USB-Kommunikationsfehler (Code: B9).",                             // 12
        "USB-Kommunikationsfehler (Code: B10).",                            // 13
        "USB-Fehler beim Schreiben (Time Out).",                            // 14
        "USB-Fehler beim Schreiben.",                                       // 15
        "USB-Fehler beim Schreiben (ung\xFCltige Gr\xF6sse).",              // 16
        "Fehler, keine Antwort.",                                           // 17
        "USB-Kommunikationsfehler (Code: A1).",                             // 18
        "USB-Kommunikationsfehler (Code: A2).",                             // 19
        "Fehler, ung\xFCltige Best\xE4tigung.",                             // 20
        "USB-Kommunikationsfehler (Code: C0).",                             // 21
        "Fehler, nicht genug Speicher.",                                    // 22
        "USB-Fehler beim Lesen (Time Out).",                                // 23
        "USB-Fehler beim Lesen.",                                           // 24
        "Fehler, Kommando nicht bekannt (K-%02X).",                         // 25
        "Fehler, Kommando nicht bekannt (kein Fehler-Code).",               // 26
        "Lesebefehl senden (%d/%d).",                                       // 27
        "Falsche Paketgr\xF6sse (%d).",                                     // 28
        "Erzeugung der Zieldatei l\xE4uft...",                              // 29
        "Fehler beim \xD6"
        "ffnen der Datei.",                                         // 30
        "Allgemeine Informationen senden.",                         // 31
        "Falsches Dateiformat.",                                    // 32
        "Kommandos senden",                                         // 33
        "Betriebssystem des Testers l\xF6schen.\nBitte Warten...",  // 34
        "Konfiguration l\xF6schen.\nBitte Warten...\t",             // 35
        "Testergebnisse l\xF6schen.\nBitte Warten...\t",            // 36
        "USB-Kommunikation stoppen.",                               // 37
        "Unbekannter Kommando.",                                    // 38
        "Senden einer Datei-Zeile (%d)",                            // 39
        "Fehler, ung\xFCltige Gr\xF6sse der Datei (%d).",           // 40
        "Fehler beim Herunterladen der Datei.",                     // 41
        "Kein Ergebnis im HALVEN TESTER. ",                         // 42
    }},
    // English
    {{
        "Upload of the results.",                                                 // 0
        "No USB peripherical.",                                                   // 1
        "===== OK ===== \nPlease close the window!",                              // 2
        "Error communication USB (code:B1)",                                      // 3
        "More than one peripherical detected.\nConnect only one peripherical .",  // 4
        "Error communication USB (Code: B2).",                                    // 5
        "Error communication USB (Code: B3).",                                    // 6
        "Error communication USB (Code: B4).",                                    // 7
        "Error communication USB (Code: B5).",                                    // 8
        "Error communication USB (Code: B6).",                                    // 9
        "Error communication USB (Code: B7).",                                    // 10
        "Error communication USB (Code: B8).",                                    // 11
        "Error communication USB (Code: B9).",                                    // 12
        "Error communication USB (Code: B10).",                                   // 13
        "Write USB error (Time Out).",                                            // 14
        "Write USB error.",                                                       // 15
        "Write USB error (invalid size).",                                        // 16
        "Error, no response.",                                                    // 17
        "Error communication USB (Code: A1).",                                    // 18
        "Error communication USB (Code: A2).",                                    // 19
        "Error,acknowledge  invalid.",                                            // 20
        "Error communication USB (Code: C0).",                                    // 21
        "Error, not enough memory.",                                              // 22
        "Read USB error (Time Out).",                                             // 23
        "Read USB error.",                                                        // 24
        "Error bad sequence (K-%02X).",                                           // 25
        "Error bad sequence (no error code).",                                    // 26
        "Send sequence read (%d/%d).",                                            // 27
        "packet size error (%d).",                                                // 28
        "Write target file in progress...",                                       // 29
        "Error open file.",                                                       // 30
        "Send general information sequence.",                                     // 31
        "Bad format file.",                                                       // 32
        "Sequence sending.",                                                      // 33
        "Send BOOT erase sequence.\nPlease wait...",                              // 34
        "Send APPLICATION erase sequence.\nPlease wait...",                       // 35
        "Send DATA erase sequence.\nPlease wait...",                              // 36
        "Stop USB communication.",                                                // 37
        "Unknown sequence.",                                                      // 38
        "Send data line (%d)",                                                    // 39
        "Error, invalid size data (%d).",                                         // 40
        "Read download file error.",                                              // 41
        "No result in HALVEN TESTER. ",                                           // 42
    }},
    // French
    {{
        "Upload des resultats.",                                    // 0
        "Pas de p\xE9riph\xE9rique USB.",                           // 1
        "===== Termin\xE9 ===== \nMerci de fermer la fen\xEAtre.",  // 2
        "Erreur communication USB (code:B1)",                       // 3
        "Plus d'un p\xE9riph\xE9rique ZEL USB d\xE9tect\xE9.\nNe brancher que le "
        "p\xE9riph\xE9rique ZEL utilis\xE9",      // 4
        "Erreur communication USB (Code: B2).",   // 5
        "Erreur communication USB (Code: B3).",   // 6
        "Erreur communication USB (Code: B4).",   // 7
        "Erreur communication USB (Code: B5).",   // 8
        "Erreur communication USB (Code: B6).",   // 9
        "Erreur communication USB (Code: B7).",   // 10
        "Erreur communication USB (Code: B8).",   // 11
        "Erreur communication USB (Code: B9).",   // 12
        "Erreur communication USB (Code: B10).",  // 13
        "Erreur d'\xE9"
        "criture USB (Time Out).",  // 14
        "Erreur d'\xE9"
        "criture USB.",  // 15
        "Erreur d'\xE9"
        "criture USB (Taille invalide).",        // 16
        "Erreur, pas de r\xE9ponse.",            // 17
        "Erreur communication USB (Code: A1).",  // 18
        "Erreur communication USB (Code: A2).",  // 19
        "Erreur, acquittement invalide.",        // 20
        "Erreur communication USB (Code: C0).",  // 21
        "Erreur, m\xE9moire insuffisante.",      // 22
        "Erreur de lecture USB (Time Out).",     // 23
        "Erreur de lecture USB.",                // 24
        "Erreur commande non trait\xE9"
        "e (K-%02X).",  // 25
        "Erreur commande non trait\xE9"
        "e (pas de code erreur).",                                        // 26
        "Envoi de commande de lecture (%d/%d).",                          // 27
        "Erreur taille de packet invalide (%d).",                         // 28
        "Ecriture du fichier destination en cours...",                    // 29
        "Erreur d'ouverture du fichier.",                                 // 30
        "Envoi commande de lecture d'information g\xE9n\xE9rale.",        // 31
        "Format de fichier incorrect.",                                   // 32
        "Envoi de commande.",                                             // 33
        "Envoi commande effacement BOOT.\nVeuillez patienter...",         // 34
        "Envoi commande effacement APPLICATION.\nVeuillez patienter...",  // 35
        "Envoi commande effacement DONNEES .\nVeuillez patienter...",     // 36
        "Arr\xEAt de la communication USB.",                              // 37
        "Commande inconnue.",                                             // 38
        "Envoi d'une ligne de donn\xE9"
        "es (%d).",  // 39
        "Erreur taille des donn\xE9"
        "es invalide (%d).",  // 40
        "Erreur de lecture du fichier \xE0 t\xE9l\xE9"
        "charger.",                                          // 41
        "Le HALVEN TESTER ne contient pas de r\xE9sultat.",  // 42
    }},
}};

// The menu bar: popup 0 and its two commands, popup 1 and its three languages.
const std::array<MenuTexts, kLanguageCount> kMenuTexts = {{
    {"Datei", "Upload", "Beenden", "Sprache", "Deutsch", "Englisch", "Franz\xF6sisch"},
    {"File", "Upload", "Exit", "Language", "German", "English", "French"},
    {"Fichier", "Upload", "Sortie", "Langue", "Allemand", "Anglais",
     "Fran\xE7"
     "ais"},
}};

// The file-error boxes of an upload, which the tables above hold no text for; each heading is
// followed by the file's name and the system's reason.
const std::array<std::array<std::string, kFileErrorKindCount>, kLanguageCount> kFileErrorHeadings =
    {{
        {"Die Datei kann nicht geschrieben werden:", "Die Datei kann nicht gel\xF6scht werden:",
         "Die Berichtsdatei kann nicht erstellt werden:",
         "Der Ordner f\xFCr die Austauschdateien kann nicht verwendet werden:",
         "In diesem Ordner l\xE4uft bereits eine \xDC"
         "bertragung; bitte warten Sie, bis sie beendet ist:"},
        {"The file cannot be written:", "The file cannot be deleted:",
         "The report file cannot be created:", "The folder for the exchange files cannot be used:",
         "Another upload is running in this folder; try again once it has finished:"},
        {"Impossible d'\xE9"
         "crire le fichier :",
         "Impossible de supprimer le fichier :",
         "Impossible de cr\xE9"
         "er le fichier rapport :",
         "Impossible d'utiliser le dossier des fichiers d'\xE9"
         "change :",
         "Un autre transfert est en cours dans ce dossier ; r\xE9"
         "essayez quand il sera termin\xE9 :"},
    }};

// The refusals of a report path, which the tables above hold no text for either.
const std::array<std::array<std::string, kReportRefusalCount>, kLanguageCount> kReportRefusals = {{
    {"Der Bericht darf nicht ins Archiv der \xDC"
     "bertragungen geschrieben werden.",
     "Der Bericht darf keine Austauschdatei der Programme ersetzen."},
    {"The report may not be written into the archive of uploads.",
     "The report may not replace one of the programs' exchange files."},
    {"Le rapport ne peut pas \xEA"
     "tre \xE9"
     "crit dans l'archive des transferts.",
     "Le rapport ne peut pas remplacer un fichier d'\xE9"
     "change des programmes."},
}};

const std::string kNoText;

bool InRange(int value, int count) { return value >= 0 && value < count; }

}  // namespace

const std::string& UiText(int language, int index) {
  if (!InRange(language, kLanguageCount) || !InRange(index, kUiTextCount)) return kNoText;
  return kUiTexts[language][index];
}

const std::string& ToolMessage(int language, int index) {
  if (!InRange(language, kLanguageCount) || !InRange(index, kToolMessageCount)) return kNoText;
  return kToolMessages[language][index];
}

const MenuTexts& MenuTextsFor(int language) {
  return kMenuTexts[InRange(language, kLanguageCount) ? language : kEnglish];
}

const std::string& FileErrorHeading(int language, FileErrorKind kind) {
  return kFileErrorHeadings[InRange(language, kLanguageCount) ? language : kEnglish][kind];
}

const std::string& ReportRefusalText(int language, ReportRefusal refusal) {
  return kReportRefusals[InRange(language, kLanguageCount) ? language : kEnglish][refusal];
}

}  // namespace report
