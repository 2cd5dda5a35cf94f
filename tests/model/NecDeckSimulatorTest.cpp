#include "DataFileFixture.h"
#include "ModelBuilder.h"
#include "Nec2c.h"
#include "NecCardText.h"
#include "NecDeck.h"
#include "NecDeckWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace quorvane::testing {
namespace {

// nec2c lists segments with four decimals. Both decks are moved so that
// the model's middle is at the origin and scaled to this size across, where
// four decimals resolve far less than a millionth of it.
constexpr double ComparedSize = 500;
constexpr double Tolerance = 1e-6 * ComparedSize;

// The GM and GS cards that move and scale the model of `deck` so.
std::string Normalising(std::string_view deck)
{
    const NecImport model = ImportNecDeck(deck);
    std::array<double, 3> low{HUGE_VAL, HUGE_VAL, HUGE_VAL};
    std::array<double, 3> high{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    for (const NecWire& w : model.Wires) {
        const double ends[2][3] = {{w.X1, w.Y1, w.Z1}, {w.X2, w.Y2, w.Z2}};
        for (const auto& end : ends)
            for (std::size_t a = 0; a < 3; ++a) {
                low[a] = std::min(low[a], end[a]);
                high[a] = std::max(high[a], end[a]);
            }
    }
    if (model.Wires.empty())
        return {};
    const double size = std::hypot(high[0] - low[0], high[1] - low[1], high[2] - low[2]);
    std::string cards;
    const std::array<NecField, 9> move{
        NecField::Integer(0), NecField::Integer(0), NecField::Real(0), NecField::Real(0),
        NecField::Real(0), NecField::Real(-(low[0] + high[0]) / 2),
        NecField::Real(-(low[1] + high[1]) / 2), NecField::Real(-(low[2] + high[2]) / 2),
        NecField::Real(0)};
    AppendNecCard(cards, "GM", NecCardLayout::Geometry, move);
    const std::array<NecField, 3> scale{NecField::Integer(0), NecField::Integer(0),
                                        NecField::Real(size > 0 ? ComparedSize / size : 1)};
    AppendNecCard(cards, "GS", NecCardLayout::Geometry, scale);
    return cards;
}

// Why nec2c does not make the same segments of `written` as of `original`;
// empty when it does. `originalTaken` tells whether nec2c took the original.
std::string SegmentDifference(const TempFolder& folder, std::string_view original,
                              std::string_view written, bool* originalTaken = nullptr)
{
    const std::string transform = Normalising(original);
    const Nec2cRun before = RunNec2c(folder, GeometryOfDeck(original, transform), 20);
    if (originalTaken)
        *originalTaken = before.Verdict == Nec2cVerdict::Solved;
    if (before.Verdict != Nec2cVerdict::Solved)
        return "nec2c refuses the original's geometry: " + before.Messages;
    const Nec2cRun after = RunNec2c(folder, GeometryOfDeck(written, transform), 20);
    if (after.Verdict != Nec2cVerdict::Solved)
        return "nec2c refuses the written geometry: " + after.Messages;
    if (before.Segments.size() != after.Segments.size())
        return std::to_string(after.Segments.size()) + " segments instead of " +
               std::to_string(before.Segments.size());
    for (std::size_t i = 0; i < before.Segments.size(); ++i) {
        const Nec2cSegment& a = before.Segments[i];
        const Nec2cSegment& b = after.Segments[i];
        const bool same = std::abs(a.Centre[0] - b.Centre[0]) <= Tolerance &&
                          std::abs(a.Centre[1] - b.Centre[1]) <= Tolerance &&
                          std::abs(a.Centre[2] - b.Centre[2]) <= Tolerance &&
                          std::abs(a.Length - b.Length) <= Tolerance &&
                          std::abs(a.Radius - b.Radius) <= Tolerance && a.Tag == b.Tag;
        if (!same) {
            std::ostringstream why;
            why << "segment " << i + 1 << " differs: centre " << b.Centre[0] << " " << b.Centre[1]
                << " " << b.Centre[2] << " length " << b.Length << " radius " << b.Radius
                << " tag " << b.Tag << " instead of " << a.Centre[0] << " " << a.Centre[1] << " "
                << a.Centre[2] << " length " << a.Length << " radius " << a.Radius << " tag "
                << a.Tag;
            return why.str();
        }
    }
    return {};
}

// The first card longer than 80 columns, if any.
std::string LongCard(std::string_view deck)
{
    std::istringstream lines{std::string(deck)};
    std::string line;
    while (std::getline(lines, line))
        if (line.size() > NecCardWidth)
            return line;
    return {};
}

class NecDeckSimulator : public DataFileFixture {
protected:
    void SetUp() override
    {
        if (!Nec2cInstalled())
            FAIL() << "nec2c is not installed (scripts/install-deps.sh installs it)";
    }

    // The deck imported as a user opens it and written back.
    std::string WrittenBack(const std::string& deck, std::vector<NecCardError>* errors = nullptr)
    {
        folder.Write("original.nec", deck);
        const std::vector<NecCardError> found =
            file.ImportNecFile(folder.Path("original.nec"), folder.Path("original.qrv"));
        if (errors)
            *errors = found;
        else
            EXPECT_TRUE(found.empty()) << found.front().Card;
        return MakeNecDeck(table, "original.nec").Text;
    }
};

TEST_F(NecDeckSimulator, TheSamplesWrittenAsDecksAreTakenAndTheHelixKeepsItsSegments)
{
    const std::filesystem::path samples = QUORVANE_SAMPLES_DIR;
    const std::string helix = folder.Read((samples / "Helical antenna.nec").string());
    const std::string written = WrittenBack(helix);
    EXPECT_EQ(LongCard(written), "");
    // The whole deck, excitation and frequency included, is solved.
    const Nec2cRun run = RunNec2c(folder, written, 20);
    EXPECT_EQ(run.Verdict, Nec2cVerdict::Solved) << run.Messages;
    EXPECT_EQ(run.Segments.size(), 72u + 4 * 12 + 1);  // helix, reflector, feed
    EXPECT_EQ(SegmentDifference(folder, helix, written), "");

    for (const char* name : {"Cube.qrv", "House.qrv", "Inverted V dipole.qrv", "Yagi antenna.qrv"}) {
        SCOPED_TRACE(name);
        file.ReadDataFile((samples / name).string());
        const NecDeckText deck = MakeNecDeck(table, name);
        EXPECT_EQ(LongCard(deck.Text), "");
        const Nec2cRun geometry = RunNec2c(folder, deck.Text);
        EXPECT_EQ(geometry.Verdict, Nec2cVerdict::Solved) << geometry.Messages;
        EXPECT_EQ(static_cast<int>(geometry.Segments.size()) > 0, deck.WrittenLines > 0);
    }
}

// Numbers longer than a card's columns, and every transform of the
// geometry; the deck written from the import must give nec2c the segments
// of the deck it came from.
TEST_F(NecDeckSimulator, LongNumbersAndTransformsKeepTheirSegments)
{
    const std::string decks[] = {
        // Sixteen digits, in cards up to the 132 columns the simulator reads.
        "CM long numbers\nCE\n"
        "GW 1 7 0.3333333333333333 -3.141592653589793 1.414213562373095 12345.67890123457 "
        "-1.234567890123457e-4 2.718281828459045 1.5e-3\n"
        "GW 2 3 -1234.567890123457 0.1 0.2 -1234.567890123457 0.30000000000000004 "
        "9.87654321e-3 1.5e-05\n"
        "GW 3 5 -0.1006012766 -0.01826211999 -0.01578758812 -0.09369348123 -0.009821969012 "
        "-0.05119547111 0.0006096\n"
        "GE 0\nEN\n",
        "CM transforms\nCE\n"
        "GW 1 11 0.1 -0.25 0.1 0.1 0.25 0.1 0.001\n"
        "GM 1 3 0 0 0 0.17 0 0 1\n"
        "GW 5 9 0 -0.26 0.1 0 0.26 0.1 0.001\n"
        "GA 20 8 0.35 10 170 0.002\n"
        "GH 30 40 0.0712 0.65 0.1 0.1 0.12 0.12 0.0007\n"
        "GM 0 0 12.5 -33 7 0.01 0.02 0.2 20\n"
        "GR 100 3\n"
        "GX 1000 001\n"
        "GS 0 0 0.3048\n"
        "GE 0\nEN\n",
    };
    for (const std::string& deck : decks) {
        SCOPED_TRACE(deck.substr(3, deck.find('\n') - 3));
        const std::string written = WrittenBack(deck);
        EXPECT_EQ(LongCard(written), "");
        EXPECT_EQ(RunNec2c(folder, written).Verdict, Nec2cVerdict::Solved);
        EXPECT_EQ(SegmentDifference(folder, deck, written), "");
    }
}

// A tapered wire goes back as its GW card of radius 0 and its GC card; a
// radius of 0 without a taper becomes the thin-wire default.
TEST_F(NecDeckSimulator, ATaperIsWrittenAsItsGcCardAndNoOtherWireWithoutRadius)
{
    AddLine(table, {0, 0, 0, 0, 0, 1});
    table.SetCellText(SupplementColumn, 1, "GW 1 NS 9 R 0 GC 1.1 0.002 0.001");
    AddLine(table, {0.5, 0, 0, 0.5, 0, 1});
    table.SetCellText(SupplementColumn, 2, "GW 2 NS 5 R 0");
    table.Recount();
    const std::string written = MakeNecDeck(table, "taper.nec").Text;
    const Nec2cRun run = RunNec2c(folder, written);
    EXPECT_EQ(run.Verdict, Nec2cVerdict::Solved) << run.Messages;
    EXPECT_EQ(SegmentDifference(folder,
                                "CM\nCE\nGW 1 9 0 0 0 0 0 1 0\nGC 0 0 1.1 0.002 0.001\n"
                                "GW 2 5 0.5 0 0 0.5 0 1 0.001\nGE 0\nEN\n",
                                written),
              "");
}

// The example decks of Debian's xnec2c package.
std::vector<std::filesystem::path> ExampleDecks()
{
    std::vector<std::filesystem::path> decks;
    FILE* listing = popen("dpkg -L xnec2c 2>/dev/null", "r");
    if (!listing)
        return decks;
    std::array<char, 4096> line{};
    while (std::fgets(line.data(), static_cast<int>(line.size()), listing)) {
        std::string path(line.data());
        while (!path.empty() && (path.back() == '\n' || path.back() == '\r'))
            path.pop_back();
        if (path.size() > 4 && path.substr(path.size() - 4) == ".nec" &&
            std::filesystem::is_regular_file(path))
            decks.emplace_back(path);
    }
    pclose(listing);
    std::sort(decks.begin(), decks.end());
    return decks;
}

TEST_F(NecDeckSimulator, EveryExampleDeckOfXnec2cIsWrittenBackWithTheSameSegments)
{
    const std::vector<std::filesystem::path> decks = ExampleDecks();
    if (decks.empty())
        GTEST_SKIP() << "Debian's xnec2c is not installed, so its example decks are not tried "
                        "(scripts/install-deps.sh installs it)";
    std::string faults;
    int compared = 0;
    for (const std::filesystem::path& path : decks) {
        const std::string name = path.filename().string();
        const std::string deck = folder.Read(path.string());
        std::vector<NecCardError> errors;
        const std::string written = WrittenBack(deck, &errors);
        std::string why;
        if (table.CompleteLineCount == 0)
            why = "no line imported";
        else if (!LongCard(written).empty())
            why = "a card longer than 80 columns: " + LongCard(written);
        else if ((why = SegmentDifference(folder, deck, written)).empty())
            ++compared;
        if (!why.empty())
            faults += name + ": " + why + "\n";
        for (const NecCardError& error : errors)
            if (!IsNecWarning(error.Problem))
                    faults += name + ": line " + std::to_string(error.LineNumber) + " left out: " +
                          error.Card + "\n";
    }
    EXPECT_EQ(faults, "");
    EXPECT_EQ(compared, static_cast<int>(decks.size()));
}

}  // namespace
}  // namespace quorvane::testing
