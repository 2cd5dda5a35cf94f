#pragma once

#include "Language.h"

#include <QLocale>
#include <QPixmap>
#include <QString>

#include <array>

namespace quorvane {

// The languages in table order: the name used for resources and the help
// file, and the name shown to the user.
struct LanguageEntry {
    Language Value;
    const char* ResourceName;
    const char* DisplayName;
};
inline constexpr std::array<LanguageEntry, 2> LanguageTable{
    {{Language::English, "English", "English"}, {Language::German, "German", "Deutsch"}}};

const LanguageEntry& EntryOf(Language language);

// German for the locales of Germany, Switzerland, Austria, Luxembourg and
// Liechtenstein; English for all others.
Language DefaultLanguageFor(const QLocale& locale);

// The 16 x 16 flag of a language, beside its name in the settings dialog.
QPixmap LanguageBanner(Language language);

// The help file of a language, in the program's folder.
QString HelpFileName(const QString& exePath, Language language);

QString Text(const LanguageText& text, Language language);

// The main window's language-dependent texts.
namespace MainTexts {
inline constexpr LanguageText PopupCopy{"Copy", "Kopieren"};
inline constexpr LanguageText PopupSettings{"Settings", "Einstellungen"};
inline constexpr LanguageText OpenHint{"Open data file (CTRL+O)", "Datei öffnen (Strg+O)"};
inline constexpr LanguageText SaveHint{"Save data file (CTRL+S)", "Datei speichern (Strg+S)"};
inline constexpr LanguageText SaveAsHint{"Save data file as (CTRL+U)",
                                         "Datei speichern unter (Strg+U)"};
inline constexpr LanguageText PrintHint{"Print drawing (CTRL+P)", "Zeichnung drucken (Strg+P)"};
inline constexpr LanguageText CopyHint{"Copy graphic to clipboard (Ctrl+C)",
                                       "Grafik in die Zwischenablage kopieren (Strg+C)"};
inline constexpr LanguageText DataTableHint{"Data table (CTRL+T)", "Datentabelle (Strg+T)"};
inline constexpr LanguageText ShowLineNumbersHint{"Show Line numbers (ALT+N)",
                                                  "Seiten-Nummern anzeigen (Alt+N)"};
inline constexpr LanguageText DrawingCenteredHint{"Drawing centered (CTRL+Z)",
                                                  "Zeichnung zentriert (Strg+Z)"};
inline constexpr LanguageText ProjectionHint{"Vanishing point projection (ALT+P)",
                                             "Fluchtpunkt-Perspektive (Alt+P)"};
inline constexpr LanguageText ShowAnaglyphHint{"Show anaglyph (ALT+A)",
                                               "Anaglyphenbild darstellen (Alt+A)"};
inline constexpr LanguageText RotateAzimuthHint{"Rotate drawing (CTRL+R)",
                                                "Zeichnung rotieren (Strg+R)"};
inline constexpr LanguageText SettingsHint{"Settings (CTRL+E)", "Einstellungen (Strg+E)"};
inline constexpr LanguageText HelpHint{"Help (F1)", "Hilfe (F1)"};
inline constexpr LanguageText UndoHint{"Undo the last change of the data table",
                                       "Letzte Änderung der Datentabelle rückgängig machen"};
inline constexpr LanguageText RedoHint{"Redo the change of the data table undone last",
                                       "Zuletzt rückgängig gemachte Änderung wiederherstellen"};
inline constexpr LanguageText PopupTransform{"Transform selected lines...",
                                             "Markierte Linien transformieren..."};
inline constexpr LanguageText PanelScaleHint{"Scale", "Maßstab"};
inline constexpr LanguageText UpDownScaleHint{"Increase/decrease scale\r\n(Keys + and -)",
                                              "Maßstab verkleinern/vergrößern\r\n(Tasten + und -)"};
inline constexpr LanguageText AzimuthHint{
    "Azimuth angle of the viewer  (%1°)\r\n(Mouse wheel and keys cursor left and right)",
    "Azimutwinkel des Betrachters  (%1°)\r\n(Mausrad und Tasten Cursor links und rechts)"};
inline constexpr LanguageText ElevationHint{
    "Elevation angle of the viewer  (%1°)\r\n(Mouse wheel and keys cursor up and down)",
    "Elevationswinkel des Betrachters  (%1°)\r\n(Mausrad und Tasten Cursor auf und ab)"};
inline constexpr LanguageText SaveDialogTitle{"Save data table or graphic",
                                              "Datentabelle oder Grafik speichern"};
inline constexpr LanguageText SaveDialogFilter{
    "Quorvane files (*.qrv)|*.qrv|Bitmap files (*.bmp)|*.bmp|Vector graphic files (*.emf)|*.emf|"
    "SVG files (*.svg)|*.svg|PDF files (*.pdf)|*.pdf|NEC-2 input files (*.nec)|*.nec|"
    "MMANA files (*.maa)|*.maa",
    "Quorvane-Dateien (*.qrv)|*.qrv|Bitmap-Dateien (*.bmp)|*.bmp|Vektorgrafik-Dateien "
    "(*.emf)|*.emf|SVG-Dateien (*.svg)|*.svg|PDF-Dateien (*.pdf)|*.pdf|"
    "NEC-2-Eingabedateien (*.nec)|*.nec|MMANA-Dateien (*.maa)|*.maa"};
inline constexpr LanguageText PictureFailed{"The picture could not be made:\n%1",
                                            "Die Grafik konnte nicht erstellt werden:\n%1"};
inline constexpr LanguageText PictureTooLarge{"The picture is too large.",
                                              "Die Grafik ist zu groß."};
inline constexpr LanguageText OutOfMemory{"There is not enough memory.",
                                          "Der Arbeitsspeicher reicht nicht aus."};
inline constexpr LanguageText PrintFailed{"The drawing could not be printed on %1.",
                                          "Die Zeichnung konnte nicht auf %1 gedruckt werden."};
}  // namespace MainTexts

}  // namespace quorvane
