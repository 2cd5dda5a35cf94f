#include "CheckMessages.h"

#include <charconv>
#include <cmath>
#include <iterator>

namespace quorvane {

namespace {

struct RuleTexts {
    LanguageText Title;
    LanguageText Explanation;
};

constexpr RuleTexts Texts[] = {
    {{"Zero length", "Länge null"},
     {"Both ends are one point; a simulator cannot use the line.",
      "Beide Enden sind ein Punkt; ein Simulator kann die Linie nicht verwenden."}},
    {{"Duplicate lines", "Doppelte Linien"},
     {"The same line more than once; the simulation has no solution.",
      "Dieselbe Linie mehrfach; die Simulation hat keine Lösung."}},
    {{"Overlapping lines", "Überlappende Linien"},
     {"The lines lie on one another along a stretch.",
      "Die Linien liegen ein Stück weit aufeinander."}},
    {{"Lines cross", "Linien kreuzen sich"},
     {"The lines meet or pass within their radii away from their segment ends; the simulator "
      "does not join them there.",
      "Die Linien treffen sich oder kommen sich näher als ihre Radien, abseits ihrer "
      "Segmentenden; der Simulator verbindet sie dort nicht."}},
    {{"End on a line", "Ende auf einer Linie"},
     {"An end lies on the other line away from its segment ends; the simulator does not join "
      "it there.",
      "Ein Ende liegt abseits der Segmentenden auf der anderen Linie; der Simulator verbindet "
      "es dort nicht."}},
    {{"Ends nearly meet", "Enden treffen sich fast"},
     {"Ends closer than a wire radius or a thousandth of a segment, but not one point.",
      "Enden näher als ein Drahtradius oder ein Tausendstel eines Segments, aber nicht ein "
      "Punkt."}},
    {{"No wire radius", "Kein Drahtradius"},
     {"The wire data give the radius 0.", "Die Drahtdaten geben den Radius 0 an."}},
    {{"Segment too long", "Segment zu lang"},
     {"Segments longer than a tenth of the wavelength cannot follow the current.",
      "Segmente länger als ein Zehntel der Wellenlänge können dem Strom nicht folgen."}},
    {{"Segment too short", "Segment zu kurz"},
     {"Segments shorter than a thousandth of the wavelength make the solution inaccurate.",
      "Segmente kürzer als ein Tausendstel der Wellenlänge machen die Lösung ungenau."}},
    {{"Segment too thick", "Segment zu dick"},
     {"The segment is short for its wire radius; the thin-wire approximation fails.",
      "Das Segment ist kurz für seinen Drahtradius; die Dünndraht-Näherung versagt."}},
    {{"Wire too thick", "Draht zu dick"},
     {"The radius is too large for the wavelength; the thin-wire approximation fails.",
      "Der Radius ist zu groß für die Wellenlänge; die Dünndraht-Näherung versagt."}},
    {{"Unequal segments at a junction", "Ungleiche Segmente an einer Verbindung"},
     {"Segments meeting at the junction differ in length by more than the limit.",
      "An der Verbindung treffen Segmente zusammen, deren Längen sich stärker als erlaubt "
      "unterscheiden."}},
    {{"Below ground", "Unter dem Boden"},
     {"Over ground, no line may lie below z = 0.",
      "Über Boden darf keine Linie unter z = 0 liegen."}},
    {{"In the ground plane", "In der Bodenebene"},
     {"Over ground, no line may lie in the plane z = 0, nor nearer to it than a thousandth of "
      "its segment: the simulator would join every segment end to the ground.",
      "Über Boden darf keine Linie in der Ebene z = 0 liegen, noch ihr näher als ein "
      "Tausendstel ihres Segments: der Simulator verbände jedes Segmentende mit dem Boden."}},
};
static_assert(std::size(Texts) == std::size_t(CheckRule::InGroundPlane) + 1);

const RuleTexts& TextsOf(CheckRule rule)
{
    return Texts[std::size_t(rule)];
}

constexpr LanguageText LimitWord{"limit", "Grenze"};

std::string Metres(double value)
{
    return CheckNumber(value) + " m";
}

std::string Wavelengths(double value)
{
    return CheckNumber(value) + " \xCE\xBB";  // λ
}

}  // namespace

std::string CheckNumber(double value)
{
    if (!std::isfinite(value))
        return value > 0 ? "inf" : value < 0 ? "-inf" : "nan";
    if (value == 0)
        value = 0;  // no "-0"
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 4).ptr;
    return std::string(buffer, end);
}

std::string_view RuleTitle(CheckRule rule, Language language)
{
    return TextsOf(rule).Title(language);
}

std::string_view RuleExplanation(CheckRule rule, Language language)
{
    return TextsOf(rule).Explanation(language);
}

std::string_view SeverityTitle(CheckSeverity severity, Language language)
{
    return severity == CheckSeverity::Error ? LanguageText{"Error", "Fehler"}(language)
                                            : LanguageText{"Warning", "Warnung"}(language);
}

std::string FindingNumbers(const CheckFinding& f, Language language)
{
    const std::string limit = std::string(LimitWord(language)) + " ";
    switch (f.Rule) {
    case CheckRule::ZeroLength:
    case CheckRule::ZeroRadius:
        return {};
    case CheckRule::InGroundPlane:
        return std::string(LanguageText{"height ", "Höhe "}(language)) + Metres(f.Value) + ", " +
               limit + Metres(f.Limit);
    case CheckRule::DuplicateLines:
        return std::string(LanguageText{"length ", "Länge "}(language)) + Metres(f.Value);
    case CheckRule::OverlappingLines:
        return std::string(LanguageText{"shared ", "gemeinsam "}(language)) + Metres(f.Value);
    case CheckRule::LinesCross:
    case CheckRule::EndOnLine:
    case CheckRule::EndsNearlyMeet:
        return std::string(LanguageText{"gap ", "Abstand "}(language)) + Metres(f.Value) + ", " +
               limit + Metres(f.Limit);
    case CheckRule::SegmentTooLong:
    case CheckRule::SegmentTooShort:
        return std::string(LanguageText{"segment ", "Segment "}(language)) + Wavelengths(f.Value) +
               ", " + limit + Wavelengths(f.Limit);
    case CheckRule::ThickSegment:
        return std::string(LanguageText{"length/radius ", "Länge/Radius "}(language)) +
               CheckNumber(f.Value) + ", " + limit + CheckNumber(f.Limit);
    case CheckRule::ThickWire:
        return std::string(LanguageText{"radius ", "Radius "}(language)) + Wavelengths(f.Value) +
               ", " + limit + Wavelengths(f.Limit);
    case CheckRule::JunctionLengths:
        return std::string(LanguageText{"ratio ", "Verhältnis "}(language)) +
               CheckNumber(f.Value) + ", " + limit + CheckNumber(f.Limit);
    case CheckRule::BelowGround:
        return "z = " + Metres(f.Value);
    }
    return {};
}

std::string RowList(const std::vector<int>& rows)
{
    std::string text;
    for (int row : rows) {
        if (!text.empty())
            text += ", ";
        text += std::to_string(row);
    }
    return text;
}

}  // namespace quorvane
