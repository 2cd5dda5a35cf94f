#include "NecDeck.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

namespace quorvane {
namespace {

constexpr double Tolerance = 1e-12;

void ExpectEnds(const NecWire& w, double x1, double y1, double z1, double x2, double y2, double z2)
{
    EXPECT_NEAR(w.X1, x1, Tolerance);
    EXPECT_NEAR(w.Y1, y1, Tolerance);
    EXPECT_NEAR(w.Z1, z1, Tolerance);
    EXPECT_NEAR(w.X2, x2, Tolerance);
    EXPECT_NEAR(w.Y2, y2, Tolerance);
    EXPECT_NEAR(w.Z2, z2, Tolerance);
}

TEST(NecDeckWires, AHalfWaveDipoleIsOneLineWithItsTagSegmentsAndRadius)
{
    NecImport deck = ImportNecDeck(
        "CM half-wave dipole for 300 MHz\r\nCE\r\n"
        "GW 1 21 0 0 -0.25 0 0 0.25 0.001\r\nGE 0\r\nEX 0 1 11 0 1 0\r\nFR 0 1 0 0 300 0\r\nEN\r\n");
    ASSERT_EQ(deck.Wires.size(), 1u);
    EXPECT_TRUE(deck.Errors.empty());
    ExpectEnds(deck.Wires[0], 0, 0, -0.25, 0, 0, 0.25);
    EXPECT_EQ(deck.Wires[0].Supplement, "GW 1 NS 21 R 0.001");
}

TEST(NecDeckWires, FixedColumnsAndFreeFormReadAlike)
{
    //                        I1 I2   F1        F2        F3        F4        F5        F6        F7
    const char* fixedBlanks = "GW  3   15       0.0      -0.5       1.0       0.0       0.5       1.0    2.0E-3";
    // Blank columns are zero; filled columns may touch where a sign starts.
    const char* fixedTouching = "GW  3   15          -0.5000000+1.0000000          +0.5000000+1.0000000   2.0D-03";
    const char* freeForm = "gw,3,15,0,-.5,1.,0,+0.5,1,0.002";
    for (const char* card : {fixedBlanks, fixedTouching, freeForm}) {
        SCOPED_TRACE(card);
        NecImport deck = ImportNecDeck(card);
        ASSERT_EQ(deck.Wires.size(), 1u);
        EXPECT_TRUE(deck.Errors.empty());
        ExpectEnds(deck.Wires[0], 0, -0.5, 1, 0, 0.5, 1);
        EXPECT_EQ(deck.Wires[0].Supplement, "GW 3 NS 15 R 0.002");
    }
}

TEST(NecDeckWires, AQuarterArcOfTwoChordsEndsAtZeroFortyFiveAndNinetyDegrees)
{
    NecImport deck = ImportNecDeck("GA 4 2 2.0 0 90 0.01\nGE\n");
    ASSERT_EQ(deck.Wires.size(), 2u);
    double r = std::sqrt(2.0);
    ExpectEnds(deck.Wires[0], 2, 0, 0, r, 0, r);
    ExpectEnds(deck.Wires[1], r, 0, r, 0, 0, 2);
    EXPECT_EQ(deck.Wires[1].Supplement, "GW 4 NS 1 R 0.01");
}

TEST(NecDeckWires, ATaperedHelixOfQuarterTurnChordsAndItsLeftHandedMirror)
{
    // Two turns over 0.4 m, radius 0.1 m growing to 0.2 m, eight chords.
    NecImport right = ImportNecDeck("GH 1 8 0.2 0.4 0.1 0.1 0.2 0.2 0.001\n");
    ASSERT_EQ(right.Wires.size(), 8u);
    ExpectEnds(right.Wires[0], 0.1, 0, 0, 0, 0.1125, 0.05);
    ExpectEnds(right.Wires[7], 0, -0.1875, 0.35, 0.2, 0, 0.4);

    // Left-handed, simulators exchange x and y of the right-handed helix:
    // it starts on the y axis and turns from y towards x.
    NecImport left = ImportNecDeck("GH 1 8 0.2 -0.4 0.1 0.1 0.2 0.2 0.001\n");
    ASSERT_EQ(left.Wires.size(), 8u);
    ExpectEnds(left.Wires[0], 0, 0.1, 0, 0.1125, 0, 0.05);
    ExpectEnds(left.Wires[7], -0.1875, 0, 0.35, 0, 0.2, 0.4);
}

TEST(NecDeckTransforms, AYagiElementCopiedByGmGetsTheShiftAndTheNextTag)
{
    NecImport deck = ImportNecDeck(
        "GW 1 11 0 -0.26 0 0 0.26 0 0.001\n"
        "GM 1 1 0 0 0 0.2 0 0 1\n"
        "GE\n");
    ASSERT_EQ(deck.Wires.size(), 2u);
    ExpectEnds(deck.Wires[0], 0, -0.26, 0, 0, 0.26, 0);
    ExpectEnds(deck.Wires[1], 0.2, -0.26, 0, 0.2, 0.26, 0);
    EXPECT_EQ(deck.Wires[1].Supplement, "GW 2 NS 11 R 0.001");

    // Copies stepped beyond the integers a card holds are left untagged,
    // so that the table can be written back as a deck.
    NecImport far = ImportNecDeck("GW 999999999 1 0 0 0 1 0 0 0.001\n"
                                  "GM 1 2 0 0 0 0 0 1 0\n");
    ASSERT_EQ(far.Wires.size(), 3u);
    EXPECT_EQ(far.Wires[1].Tag, 1000000000);
    EXPECT_EQ(far.Wires[2].Tag, 0);
}

TEST(NecDeckTransforms, GmRotatesXThenYThenZAndMovesOnlyTagsFromItsFirst)
{
    // (1,0,0) about x by 90: unchanged; about y by 90: (0,0,-1); about z: (0,0,-1).
    // (0,1,0) about x by 90: (0,0,1); about y by 90: (1,0,0); about z by 90: (0,1,0).
    NecImport deck = ImportNecDeck(
        "GW 1 1 5 5 5 6 6 6 0.001\n"
        "GW 2 1 1 0 0 0 1 0 0.001\n"
        "GM 0 0 90 90 90 0 0 1 2\n");
    ASSERT_EQ(deck.Wires.size(), 2u);
    ExpectEnds(deck.Wires[0], 5, 5, 5, 6, 6, 6);
    ExpectEnds(deck.Wires[1], 0, 0, 0, 0, 1, 1);
}

TEST(NecDeckTransforms, GrRepeatsAroundZAndGxReflectsWithDistinctTags)
{
    NecImport ring = ImportNecDeck("GW 1 3 1 0 0 2 0 0 0.001\nGR 1 4\n");
    ASSERT_EQ(ring.Wires.size(), 4u);
    ExpectEnds(ring.Wires[1], 0, 1, 0, 0, 2, 0);
    ExpectEnds(ring.Wires[3], 0, -1, 0, 0, -2, 0);
    EXPECT_EQ(ring.Wires[3].Supplement, "GW 4 NS 3 R 0.001");

    // 110: in the x-z plane, then the y-z plane.
    NecImport mirror = ImportNecDeck("GW 1 5 1 2 3 4 5 6 0.001\nGX 1 110\n");
    ASSERT_EQ(mirror.Wires.size(), 4u);
    ExpectEnds(mirror.Wires[1], 1, -2, 3, 4, -5, 6);
    ExpectEnds(mirror.Wires[2], -1, 2, 3, -4, 5, 6);
    ExpectEnds(mirror.Wires[3], -1, -2, 3, -4, -5, 6);
    EXPECT_EQ(mirror.Wires[1].Tag, 2);
    EXPECT_EQ(mirror.Wires[2].Tag, 3);
    EXPECT_EQ(mirror.Wires[3].Tag, 4);
}

TEST(NecDeckTransforms, GsScalesCoordinatesAndRadiiIntoMetres)
{
    // Inches into metres.
    NecImport deck = ImportNecDeck("GW 1 9 0 0 -10 0 0 10 0.5\nGS 0 0 0.0254\nGE\n");
    ASSERT_EQ(deck.Wires.size(), 1u);
    ExpectEnds(deck.Wires[0], 0, 0, -0.254, 0, 0, 0.254);
    EXPECT_DOUBLE_EQ(deck.Wires[0].Radius, 0.0127);
    EXPECT_EQ(deck.Wires[0].Supplement, "GW 1 NS 9 R 0.0127");
}

TEST(NecDeckBadInput, BadCardsAreReportedWithTheirLineNumbersAndTheRestIsKept)
{
    NecImport deck = ImportNecDeck(
        "CM test\n"
        "GW 1 5 0 0 0 1 0 0 0.001\n"
        "\n"
        "XX 1 2 3\n"                        // 4: unknown card
        "GW 2 5 0 0 0 nan 0 0 0.001\n"      // 5: not a number
        "GW 3 5 0 0 0 1e999 0 0 0.001\n"    // 6: beyond a double
        "GW 4 2.5 0 0 0 1 0 0 0.001\n"      // 7: fractional segment count
        "GW 5 5 0 0 0\n"                    // 8: too few fields
        "GA 6 0 1 0 90 0.001\n"             // 9: no segments
        "GX 1 -110\n"                       // 10: a negative flag
        "GEOMETRY\n"                        // 11: no GE card
        "GW 7 5 0 1 0 1 1 0 0.001\n"
        "GE\n"
        "ZZ garbage after the geometry\n"  // 14: no control card
        "EN\n"
        "after the end\n");
    ASSERT_EQ(deck.Wires.size(), 2u);
    EXPECT_EQ(deck.Wires[1].Tag, 7);
    std::vector<int> lines;
    for (const NecCardError& e : deck.Errors)
        lines.push_back(e.LineNumber);
    EXPECT_EQ(lines, (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 11, 14}));
    EXPECT_EQ(deck.Errors[0].Card, "XX 1 2 3");
}

TEST(NecDeckBadInput, TheLineLimitStopsGrowthQuicklyWithOneError)
{
    auto start = std::chrono::steady_clock::now();
    NecImport deck = ImportNecDeck(
        "GW 1 1 0 0 0 1 0 0 0.001\n"
        "GM 1 999999999 0 0 0 0 0.125 0 0\n" // 2: a billion copies
        "GA 2 999999999 1 0 90 0.001\n"      // adds nothing more
        "GR 1 999999999\n"
        "GS 0 0 2\n");                       // still applies
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    ASSERT_EQ(deck.Wires.size(), static_cast<std::size_t>(NecMaxWires));
    ASSERT_EQ(deck.Errors.size(), 1u);
    EXPECT_EQ(deck.Errors[0].LineNumber, 2);
    EXPECT_EQ(deck.Errors[0].Problem, NecProblem::TooManyLines);
    ExpectEnds(deck.Wires.back(), 0, 0.25 * 99999, 0, 2, 0.25 * 99999, 0);
    EXPECT_EQ(deck.Wires.back().Tag, 100000);

    // Huge counts with nothing to copy must not loop either.
    NecImport empty = ImportNecDeck("GM 1 999999999 0 0 0 1 0 0 0\nGR 1 999999999\n");
    EXPECT_TRUE(empty.Wires.empty());
    EXPECT_TRUE(empty.Errors.empty());
}

TEST(NecDeckBadInput, ALowerLimitIsHeldAsTheTablesIs)
{
    const std::string deck = "GW 1 1 0 0 0 1 0 0 0.001\n"
                             "GA 2 4 1 0 90 0.001\n"      // 2: the third and fourth chord
                             "GW 3 1 0 0 0 0 1 0 0.001\n" // no room left
                             "GM 0 0 0 0 0 0 0 1 0\n";    // still moves every line
    NecImport limited = ImportNecDeck(deck, 3);
    ASSERT_EQ(limited.Wires.size(), 3u);
    ASSERT_EQ(limited.Errors.size(), 1u);
    EXPECT_EQ(limited.Errors[0].LineNumber, 2);
    EXPECT_EQ(limited.Errors[0].Problem, NecProblem::TooManyLines);
    EXPECT_EQ(limited.Wires[2].Tag, 2);
    ExpectEnds(limited.Wires[0], 0, 0, 1, 1, 0, 1);

    // Within the limit, the lines are those the table's limit gives.
    NecImport roomy = ImportNecDeck(deck, 6);
    NecImport full = ImportNecDeck(deck);
    EXPECT_TRUE(roomy.Errors.empty());
    ASSERT_EQ(roomy.Wires.size(), 6u);
    ASSERT_EQ(full.Wires.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(roomy.Wires[i].Supplement, full.Wires[i].Supplement);
}

}  // namespace
}  // namespace quorvane
