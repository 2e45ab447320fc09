// Written with escapes for the Windows-1252 letters, as the other tables, so that no editor can
// re-encode them.
#include "report/report_labels.h"

#include <array>

#include "report/language_tables.h"

namespace report {
namespace {

constexpr int kLabelCount = static_cast<int>(ReportLabel::kCount);

// Indexed [language][label]: German 0, English 1, French 2.
const std::array<std::array<std::string, kLabelCount>, kLanguageCount> kLabels = {{
    {{
        "Pr\xFC"
        "fbericht",
        "Pr\xFC"
        "fger\xE4t",
        "Firmware-Version",
        "Datum des Uploads",
        "Konfiguration",
        "Gesamtergebnis",
        "Bestanden",
        "Nicht bestanden",
        "Kein Test durchgef\xFChrt",
        "Nicht durchgef\xFChrte Tests",
        "Verdrahtung",
        "Kabelschirm",
        "Signale",
        "Kabell\xE4nge",
        "Pr\xFC"
        "fung",
        "Messwert",
        "Untere Grenze",
        "Obere Grenze",
        "Abstand zur Grenze",
        "Ergebnis",
        "Steuerger\xE4t",
        "Steuerger\xE4t nicht gepr\xFC"
        "ft",
        "\xDC"
        "bertragungsrate",
        "Signallaufzeit",
        "Gemessene L\xE4nge",
        "Maximale L\xE4nge",
        "Pegel am Cursor",
        "Reflexionskurve",
        "Entfernung (m)",
        "Pegel (%)",
        "Messpunkt",
        "Keine Kurve aufgezeichnet.",
        "Ohne Signallaufzeit ist die Entfernung unbekannt; die Kurve ist nach Messpunkten "
        "aufgetragen.",
        "Zeichen",
        "> Der Wert liegt jenseits des Messbereichs.",
        "C: Der Wert ist vom Pr\xFC"
        "fger\xE4t mit C gekennzeichnet.",
        "D: Der Wert ist vom Pr\xFC"
        "fger\xE4t mit D gekennzeichnet.",
        "* Pegel au\xDF"
        "erhalb des Messbereichs (als 25,50 V angezeigt).",
        "Abstand zur Grenze: Abstand des Messwerts zur n\xE4"
        "chsten Grenze, negativ au\xDF"
        "erhalb der Grenzen. Das Ergebnis ist das des Pr\xFC"
        "fger\xE4ts.",
        "Der Upload gilt, aber er konnte nicht archiviert werden:",
    }},
    {{
        "Test report",
        "Tester",
        "Firmware version",
        "Upload date",
        "Configuration",
        "Overall verdict",
        "Passed",
        "Failed",
        "No test run",
        "Tests not run",
        "Wiring",
        "Cable screen",
        "Signals",
        "Cable length",
        "Test",
        "Measured",
        "Lower limit",
        "Upper limit",
        "Margin",
        "Verdict",
        "ECU",
        "ECU not tested",
        "Bit rate",
        "Propagation speed",
        "Measured length",
        "Maximum length",
        "Level at the cursor",
        "Reflection curve",
        "Distance (m)",
        "Level (%)",
        "Sample",
        "No curve was recorded.",
        "Without a propagation speed the distances are unknown; the curve is drawn by sample.",
        "Marks",
        "> The value lies beyond the measuring range.",
        "C: The tester marked the value with C.",
        "D: The tester marked the value with D.",
        "* Level out of range (shown as 25.50 V).",
        "Margin: how far the value lies from the nearest limit, negative outside the limits. "
        "The verdict is the tester's own.",
        "The upload stands, but it could not be archived:",
    }},
    {{
        "Rapport de test",
        "Testeur",
        "Version du logiciel embarqu\xE9",
        "Date du d\xE9"
        "chargement",
        "Configuration",
        "Verdict global",
        "R\xE9ussi",
        "\xC9"
        "chec",
        "Aucun test effectu\xE9",
        "Tests non effectu\xE9s",
        "C\xE2"
        "blage",
        "Blindage du c\xE2"
        "ble",
        "Signaux",
        "Longueur du c\xE2"
        "ble",
        "Test",
        "Mesure",
        "Limite basse",
        "Limite haute",
        "Marge",
        "Verdict",
        "Calculateur",
        "Calculateur non test\xE9",
        "D\xE9"
        "bit",
        "Vitesse de propagation",
        "Longueur mesur\xE9"
        "e",
        "Longueur maximale",
        "Niveau au curseur",
        "Courbe de r\xE9"
        "flexion",
        "Distance (m)",
        "Niveau (%)",
        "\xC9"
        "chantillon",
        "Aucune courbe n'a \xE9t\xE9 enregistr\xE9"
        "e.",
        "Sans vitesse de propagation, les distances sont inconnues ; la courbe est trac\xE9"
        "e "
        "par \xE9"
        "chantillon.",
        "Rep\xE8res",
        "> La valeur d\xE9passe la plage de mesure.",
        "C : valeur marqu\xE9"
        "e C par le testeur.",
        "D : valeur marqu\xE9"
        "e D par le testeur.",
        "* Niveau hors plage (affich\xE9 25,50 V).",
        "Marge : \xE9"
        "cart entre la valeur et la limite la plus proche, n\xE9gatif hors des "
        "limites. Le verdict est celui du testeur.",
        "Le d\xE9"
        "chargement est valable, mais il n'a pas pu \xEAtre archiv\xE9 :",
    }},
}};

}  // namespace

const std::string& ReportLabelText(int language, ReportLabel label) {
  const int row = language >= 0 && language < kLanguageCount ? language : kEnglish;
  return kLabels[row][static_cast<int>(label)];
}

const char* LanguageCode(int language) {
  switch (language) {
    case kGerman:
      return "de";
    case kFrench:
      return "fr";
    default:
      return "en";
  }
}

}  // namespace report
