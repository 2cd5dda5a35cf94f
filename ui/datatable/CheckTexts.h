#pragma once

#include "Language.h"

namespace quorvane::CheckTexts {

inline constexpr LanguageText NoFindings{"Checks: no findings", "Prüfung: keine Befunde"};
// %1 errors, %2 warnings, each in its own word below.
inline constexpr LanguageText Counts{"Checks: %1, %2", "Prüfung: %1, %2"};
inline constexpr LanguageText OneError{"1 error", "1 Fehler"};
inline constexpr LanguageText Errors{"%1 errors", "%1 Fehler"};
inline constexpr LanguageText OneWarning{"1 warning", "1 Warnung"};
inline constexpr LanguageText Warnings{"%1 warnings", "%1 Warnungen"};
inline constexpr LanguageText CountsHint{
    "Geometry checks of the model: show or hide the list of findings (CTRL+K)",
    "Geometrieprüfung des Modells: Liste der Befunde zeigen oder verbergen (Strg+K)"};
inline constexpr LanguageText FrequencyLabel{"Frequency (MHz):", "Frequenz (MHz):"};
inline constexpr LanguageText FrequencyHint{
    "Frequency of the checks of segment lengths and wire radii. Empty: the model's own, from "
    "its FR card",
    "Frequenz für die Prüfung der Segmentlängen und Drahtradien. Leer: die des Modells, aus "
    "seiner FR-Karte"};
// The field's grey text while it is empty; %1 the model's frequency.
inline constexpr LanguageText ModelFrequency{"model: %1", "Modell: %1"};
inline constexpr LanguageText NoModelFrequency{"model: none", "Modell: keine"};
inline constexpr LanguageText Markers{"Markers in the drawing", "Markierungen in der Zeichnung"};
inline constexpr LanguageText MarkersHint{
    "A marker at the place of every finding in the main window's drawing; never in its "
    "pictures and prints",
    "Eine Markierung am Ort jedes Befunds in der Zeichnung des Hauptfensters; nie in ihren "
    "Bildern und Ausdrucken"};
inline constexpr LanguageText Columns[4]{{"Severity", "Schwere"},
                                         {"Rule", "Regel"},
                                         {"Rows", "Zeilen"},
                                         {"Numbers", "Werte"}};
inline constexpr LanguageText ListHint{"Select a finding to select its rows in the table",
                                       "Befund auswählen, um seine Zeilen in der Tabelle zu "
                                       "markieren"};

}  // namespace quorvane::CheckTexts
