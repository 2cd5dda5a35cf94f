#pragma once

#include "Language.h"

// Texts of pointing at the drawing: picking, hints, measuring, the highlight.
namespace quorvane::PointingTexts {
inline constexpr LanguageText MeasureHint{"Measure distance and angle (CTRL+M)",
                                          "Abstand und Winkel messen (Strg+M)"};
inline constexpr LanguageText PopupHighlight{"Highlight selected rows",
                                             "Gewählte Zeilen hervorheben"};
inline constexpr LanguageText PopupCopyMeasurement{"Copy measurement", "Messung kopieren"};
// %1 line number, %2 supplement (with its separator), %3 length, %4 and %5
// the end points.
inline constexpr LanguageText LineHint{"Line %1%2\nLength: %3 m\nEnd 1: %4\nEnd 2: %5",
                                       "Linie %1%2\nLänge: %3 m\nEnde 1: %4\nEnde 2: %5"};
inline constexpr LanguageText Distance{"Distance: %1 m", "Abstand: %1 m"};
inline constexpr LanguageText Angle{"Angle: %1°", "Winkel: %1°"};
// %1 line number, %2 end number, %3 the point.
inline constexpr LanguageText FromEnd{"From line %1, end %2: %3", "Von Linie %1, Ende %2: %3"};
inline constexpr LanguageText ToEnd{"To line %1, end %2: %3", "Bis Linie %1, Ende %2: %3"};
inline constexpr LanguageText FromLine{"From line %1: %2", "Von Linie %1: %2"};
inline constexpr LanguageText ToLine{"To line %1: %2", "Bis Linie %1: %2"};
}  // namespace quorvane::PointingTexts
