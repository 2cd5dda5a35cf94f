#pragma once

#include "Language.h"

namespace quorvane::SettingsTexts {

inline constexpr LanguageText Caption{" - Settings", " - Einstellungen"};
inline constexpr LanguageText General{"General", "Allgemein"};
inline constexpr LanguageText LanguageLabel{"Language", "Sprache"};
inline constexpr LanguageText DataSeparatorChar{"Data separator character", "Daten-Trennzeichen"};
inline constexpr LanguageText ScreenFontName{"Screen font", "Bildschirm-Schriftart"};
inline constexpr LanguageText ScreenWidth{"Screen width in mm units", "Bildschirmbreite in mm"};
inline constexpr LanguageText ViewerDistance{"Viewer distance from screen in cm units",
                                             "Betrachter-Entfernung vom Bildschirm in cm"};
inline constexpr LanguageText ClipboardFactor{"Clipboard bug fix scaling factor in %",
                                              "Clipboard-Skalierungsfaktor in %"};
inline constexpr LanguageText AngularVelocity{"Azimuth angular velocity in °/s",
                                              "Azimut-Winkelgeschwindigkeit in °/s"};
inline constexpr LanguageText TimeInterval{"Rotate azimuth time interval in ms",
                                           "Rotations-Zeitintervall in ms"};
inline constexpr LanguageText AutoReadQrvFile{"Open last QRV file at program start",
                                              "Letzte QRV-Datei beim Start laden"};
inline constexpr LanguageText SaveSettings{"Save settings", "Einstellungen speichern"};
inline constexpr LanguageText SaveSettingsHint{
    "Save settings on program termination",
    "Die geänderten Einstellungen beim Beenden des Programms speichern"};
inline constexpr LanguageText LanguageHint{"User language", "Benutzersprache"};
inline constexpr LanguageText SeparatorHint{"Separator character between data fields",
                                            "Trennzeichen zwischen den Datenfeldern"};
inline constexpr LanguageText SeparatorItems[4]{{"Comma", "Komma"},
                                                {"Semicolon", "Semikolon"},
                                                {"Tabulator", "Tabulator"},
                                                {"Space", "Leerzeichen"}};
inline constexpr LanguageText Colors{"Colors", "Farben"};
inline constexpr LanguageText ColorsMono{" Colors Mono ", " Farben Mono "};
inline constexpr LanguageText BackgroundColor{"Background color", "Hintergrundfarbe"};
inline constexpr LanguageText LineColor{"Line color", "Linienfarbe"};
inline constexpr LanguageText TextColor{"Text color", "Schriftfarbe"};
inline constexpr LanguageText HighlightColor{"Highlight color (selected rows)",
                                             "Hervorhebungsfarbe (gewählte Zeilen)"};
inline constexpr LanguageText ColorsStereo{" Colors Stereo ", " Farben Stereo "};
inline constexpr LanguageText AnaglyphBackgroundColor{"Anaglyph background color",
                                                      "Anaglyphenhintergrundfarbe"};
inline constexpr LanguageText AnaglyphColorLeft{"Anaglyph color left", "Anaglyphenfarbe links"};
inline constexpr LanguageText AnaglyphColorRight{"Anaglyph color right",
                                                 "Anaglyphenfarbe rechts"};
inline constexpr LanguageText ColorsChecks{" Geometry checks ", " Geometrieprüfung "};
inline constexpr LanguageText WarningColor{"Warning color (markers)", "Warnfarbe (Markierungen)"};
inline constexpr LanguageText Scales{"Scales", "Maßstäbe"};
inline constexpr LanguageText RestoreDefaultScales{"Restore default scales",
                                                   "Standard-Werte wiederherstellen"};
inline constexpr LanguageText ScalesExplanation{
    "In order to add or remove scales simply edit the list to the left (one integer scale "
    "factor per line).\r\rThe scale factors need not necessarily be sorted by size but sorting "
    "will certainly ease their handling.",
    "Zum Hinzufügen oder Entfernen von Maßstäben einfach die nebenstehende Liste editieren (ein "
    "ganzzahliger Maßstabsfaktor pro Zeile),\r\rDie Maßstabsfaktoren müssen nicht notwendigerweise "
    "der Größe nach sortiert sein, aber das Sortieren erleichtert deren Handhabung."};
inline constexpr LanguageText Cancel{"Cancel", "Abbrechen"};
inline constexpr LanguageText Apply{"Apply", "Übernehmen"};
inline constexpr LanguageText Ok{"OK", "OK"};

inline constexpr LanguageText Printer{"Printer", "Drucker"};
inline constexpr LanguageText PageOrientation{" Page orientation ", " Seiten-Layout "};
inline constexpr LanguageText Portrait{"Portrait", "Hochformat"};
inline constexpr LanguageText Landscape{"Landscape", "Querformat"};
inline constexpr LanguageText PrinterFontName{"Printer font", "Drucker-Schriftart"};
inline constexpr LanguageText PrinterFontSize{"Size in pt", "Größe in pt"};
inline constexpr LanguageText PageMargins{" Page margins (mm) ", " Seitenränder in mm "};
inline constexpr LanguageText MarginLeft{"left", "links"};
inline constexpr LanguageText MarginRight{"right", "rechts"};
inline constexpr LanguageText MarginTop{"top", "oben"};
inline constexpr LanguageText MarginBottom{"bottom", "unten"};
inline constexpr LanguageText PrinterConfiguration{"Printer configuration",
                                                   "Drucker-Einstellungen"};

inline constexpr LanguageText BadSeparator{"The data separator must be a single character.  ",
                                           "Das Daten-Trennzeichen muss ein einzelnes Zeichen sein.  "};
inline constexpr LanguageText BadScreenFont{"Invalid screen font name  ",
                                            "Unzulässige Bildschirm-Schriftart  "};
inline constexpr LanguageText BadPrinterFont{"Invalid printer font name  ",
                                             "Unzulässige Drucker-Schriftart  "};
inline constexpr LanguageText BadPrinterFontSize{"Invalid printer font size  ",
                                                 "Unzulässige Drucker-Schriftgröße  "};
inline constexpr LanguageText ScaleTooLarge{
    "The scale %1 is too large: scales go up to 2147483647.  ",
    "Der Maßstab %1 ist zu groß: Maßstäbe reichen bis 2147483647.  "};

}  // namespace quorvane::SettingsTexts
