#include "DataFileFixture.h"
#include "NecDeck.h"
#include "NormalizedDeck.h"
#include "NecDeckWriter.h"
#include "NecMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace quorvane::testing {
namespace {

constexpr double Tolerance = 1e-12;

void ExpectEnds(const NecWire& w, std::vector<double> ends)
{
    const double got[6] = {w.X1, w.Y1, w.Z1, w.X2, w.Y2, w.Z2};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_NEAR(got[i], ends[i], Tolerance) << "coordinate " << i + 1;
}

std::vector<int> LinesOf(const NecImport& deck, bool warnings)
{
    std::vector<int> lines;
    for (const NecCardError& e : deck.Errors)
        if (IsNecWarning(e.Problem) == warnings)
            lines.push_back(e.LineNumber);
    return lines;
}

// A table imported from a deck, written back as a deck.
class NecWrittenBack : public DataFileFixture {
protected:
    std::string RoundTrip(const std::string& deck)
    {
        folder.Write("in.nec", deck);
        const auto errors = file.ImportNecFile(folder.Path("in.nec"), folder.Path("in.qrv"));
        EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors[0].Card);
        return NormalizedDeck(MakeNecDeck(table, "in.nec").Text);
    }
};

TEST(NecDeckColumns, LineEndsAndTrailingBlanksDoNotShiftABlankColumnField)
{
    //                        I1 I2   F1        F2        F3        F4        F5        F6        F7
    const std::string card = "GW  1    4       0.5               -0.25       0.5                0.25     0.001";
    for (const std::string end : {"\n", "\r\n", "   \r\n", "\t\n", " \t \r\n"}) {
        SCOPED_TRACE("line end " + std::to_string(end.size()));
        const NecImport deck = ImportNecDeck(card + end + "GE 0\n");
        ASSERT_EQ(deck.Wires.size(), 1u);
        EXPECT_TRUE(deck.Errors.empty());
        ExpectEnds(deck.Wires[0], {0.5, 0, -0.25, 0.5, 0, 0.25});
    }
    // A card laid out in columns with a blank field whose numbers are not
    // in their columns would read shifted as free form: it is reported.
    const NecImport shifted = ImportNecDeck(
        "GW  1    4       0.5                -0.25      0.5                0.25     0.001\n");
    EXPECT_TRUE(shifted.Wires.empty());
    ASSERT_EQ(shifted.Errors.size(), 1u);
    EXPECT_EQ(shifted.Errors[0].Problem, NecProblem::AmbiguousColumns);
    // So is one whose columns a tab has lost, for its missing fields.
    const NecImport tabbed = ImportNecDeck(
        "GW  1    4\t0.5               -0.25       0.5                0.25     0.001\n");
    EXPECT_TRUE(tabbed.Wires.empty());
    EXPECT_EQ(tabbed.Errors.size(), 1u);
}

TEST(NecDeckTransforms, GmWithAFirstTagMovesEverythingFromThatTagsFirstLineOnInDeckOrder)
{
    const NecImport deck = ImportNecDeck("GW 5 1 0 0 0 0 0 1 0.001\n"
                                         "GW 1 1 1 0 0 1 0 1 0.001\n"
                                         "GM 0 0 0 0 0 0.5 0 0 5\n");
    ASSERT_EQ(deck.Wires.size(), 2u);
    EXPECT_TRUE(deck.Errors.empty());
    ExpectEnds(deck.Wires[0], {0.5, 0, 0, 0.5, 0, 1});
    ExpectEnds(deck.Wires[1], {1.5, 0, 0, 1.5, 0, 1});

    // Copies too, and lines before the tag's first stay.
    const NecImport copies = ImportNecDeck("GW 3 1 0 0 0 0 0 1 0.001\n"
                                           "GW 7 1 1 0 0 1 0 1 0.001\n"
                                           "GW 2 1 2 0 0 2 0 1 0.001\n"
                                           "GM 10 1 0 0 0 0 1 0 7\n");
    ASSERT_EQ(copies.Wires.size(), 5u);
    EXPECT_EQ(copies.Wires[3].Tag, 17);
    EXPECT_EQ(copies.Wires[4].Tag, 12);
    ExpectEnds(copies.Wires[4], {2, 1, 0, 2, 1, 1});

    // A tag no line has: simulators refuse the card; the lines tagged above
    // it are moved, as such a deck most likely meant, and a warning says so.
    const NecImport missing = ImportNecDeck("GW 1 1 0 0 0 0 0 1 0.001\n"
                                            "GW 6 1 1 0 0 1 0 1 0.001\n"
                                            "GM 0 0 0 0 0 0 0 2 4\n");
    ASSERT_EQ(missing.Errors.size(), 1u);
    EXPECT_EQ(missing.Errors[0].Problem, NecProblem::MovedTagMissing);
    ExpectEnds(missing.Wires[0], {0, 0, 0, 0, 0, 1});
    ExpectEnds(missing.Wires[1], {1, 0, 2, 1, 0, 3});
}

TEST(NecDeckTransforms, GxTakesAnyDigitButZeroAsReflectInThatPlane)
{
    const NecImport deck = ImportNecDeck("GW 1 3 1 1 1 2 2 2 0.001\nGX 10 2\n");
    ASSERT_EQ(deck.Wires.size(), 2u);
    EXPECT_TRUE(deck.Errors.empty());
    ExpectEnds(deck.Wires[1], {1, 1, -1, 2, 2, -2});
    EXPECT_EQ(deck.Wires[1].Tag, 11);

    const NecImport all = ImportNecDeck("GW 1 3 1 1 1 2 2 2 0.001\nGX 100 975\n");
    EXPECT_EQ(all.Wires.size(), 8u);
    const NecImport negative = ImportNecDeck("GW 1 3 1 1 1 2 2 2 0.001\nGX 100 -1\n");
    ASSERT_EQ(negative.Errors.size(), 1u);
    EXPECT_EQ(negative.Errors[0].Problem, NecProblem::BadReflectionFlags);
}

TEST(NecDeckWarnings, CardsASimulatorRefusesAreReadAndListedWithTheirLines)
{
    const NecImport deck = ImportNecDeck("CM warnings\nCE\n"
                                         "GA 1 8 1 0 400 0.001\n"          // 3: over a full turn
                                         "GW 2,,3,0,0,0,1,0,0,0.001\n"      // 4: empty field
                                         "GW 3 3 0 0 0 0 1 0 0.001\n"
                                         "GX 100 001\n"                     // 6: wire in z = 0
                                         "GM 0 0 0 0 0 0 0 1 99\n"          // 7: no tag 99
                                         "GW 4 1 0 0 0 1 1 1\n"
                                         "XX what\n"                        // 9: left out
                                         "GE 0\nEN\n");
    EXPECT_EQ(LinesOf(deck, true), (std::vector<int>{3, 4, 6, 7}));
    EXPECT_EQ(LinesOf(deck, false), (std::vector<int>{9}));
    EXPECT_EQ(deck.Wires.size(), (8u + 1 + 1) * 2 + 1);

    const std::string english = NecCardsLeftOutMessage(deck.Errors, "w.nec", Language::English);
    EXPECT_NE(english.find("left out:\n\nline 9: XX what \xE2\x80\x93 unknown card\n\n"
                           "These cards of w.nec were read, but a simulator would refuse them:\n"
                           "\nline 3: GA 1 8 1 0 400 0.001 \xE2\x80\x93 an arc of more than 360"),
              std::string::npos)
        << english;
    EXPECT_NE(english.find("\nline 6: GX 100 001 \xE2\x80\x93 a wire lies in the reflection plane"),
              std::string::npos);
    EXPECT_NE(english.find("\n\nEverything else was read."), std::string::npos);

    // Warnings alone: no word of cards left out.
    const NecImport only = ImportNecDeck("GA 1 8 1 0 400 0.001\n");
    const std::string german = NecCardsLeftOutMessage(only.Errors, "w.nec", Language::German);
    EXPECT_EQ(german, "Diese Karten von w.nec wurden gelesen, aber ein Simulator würde sie ablehnen:\n"
                      "\nZeile 1: GA 1 8 1 0 400 0.001 \xE2\x80\x93 ein Bogen über mehr als "
                      "360\xC2\xB0; gelesen, aber Simulatoren lehnen ihn ab");
}

TEST(NecDeckTapers, GcIsKeptWithItsWireAndWrittenBackAfterIt)
{
    const NecImport deck = ImportNecDeck("GW 1 4 0 0 -1 0 0 1 0\nGC 0 0 1.2 0.001 0.002\n"
                                         "GS 0 0 2\n");
    ASSERT_EQ(deck.Wires.size(), 1u);
    EXPECT_TRUE(deck.Errors.empty());
    EXPECT_EQ(deck.Wires[0].Supplement, "GW 1 NS 4 R 0 GC 1.2 0.002 0.004");

    const NecImport bad = ImportNecDeck("GC 0 0 1.2 0.001 0.002\n"        // 1: no wire before
                                        "GW 1 4 0 0 -1 0 0 1 0.001\n"
                                        "GC 0 0 1.2 0.001 0.002\n"        // 3: radius not 0
                                        "GW 2 4 0 0 -1 0 0 1 0\n"
                                        "GC 0 0 0 0.001 0.002\n");        // 5: no ratio
    std::vector<NecProblem> problems;
    for (const NecCardError& e : bad.Errors)
        problems.push_back(e.Problem);
    EXPECT_EQ(problems, (std::vector<NecProblem>{NecProblem::TaperWithoutWire, NecProblem::TaperWithoutWire,
                                                 NecProblem::TaperNotPositive}));
}

TEST_F(NecWrittenBack, ATaperedWireIsWrittenAsItsGwAndGcCards)
{
    const std::string deck = RoundTrip("CM t\nCE\nGW 1 4 0 0 -1 0 0 1 0\nGC 0 0 1.2 0.001 0.002\nGE 0\nEN\n");
    EXPECT_NE(deck.find("\nGW 1 4 0 0 -1 0 0 1 0\nGC 0 0 1.2 0.001 0.002\nGE 0\n"), std::string::npos)
        << deck;
}

TEST(NecDeckPatches, EachPatchIsItsOutlineMarkedInTheSupplement)
{
    const NecImport deck = ImportNecDeck("SP 0 0 1 2 3 0 0 4\n"                  // 4 m2 facing x
                                         "SP 0 1 0 0 0 1 0 0\nSC 0 0 1 1 0\n"     // rectangle
                                         "SP 0 2 0 0 0 1 0 0\nSC 0 0 0 1 0\n"     // triangle
                                         "SM 2 1 0 0 0 2 0 0\nSC 0 0 2 1 0\n");   // two patches
    EXPECT_TRUE(deck.Errors.empty());
    ASSERT_EQ(deck.Wires.size(), 4u + 4 + 3 + 5);
    ExpectEnds(deck.Wires[0], {1, 1, 2, 1, 3, 2});
    EXPECT_EQ(deck.Wires[0].Supplement, "SP 0 1/4");
    ExpectEnds(deck.Wires[6], {1, 1, 0, 0, 1, 0});
    EXPECT_EQ(deck.Wires[7].Supplement, "SP 1 4/4");
    ExpectEnds(deck.Wires[10], {0, 1, 0, 0, 0, 0});
    // The outline, then the line between the two patches.
    ExpectEnds(deck.Wires[15], {1, 0, 0, 1, 1, 0});
    EXPECT_EQ(deck.Wires[15].Supplement, "SM 2 1 5/5");

    const NecImport open = ImportNecDeck("SP 0 1 0 0 0 1 0 0\nGW 1 1 0 0 0 1 0 0 0.001\nSC 0 0 1 1 0\n"
                                         "SM 1 1 0 0 0 1 0 0\n");
    std::vector<std::pair<int, NecProblem>> errors;
    for (const NecCardError& e : open.Errors)
        errors.push_back({e.LineNumber, e.Problem});
    EXPECT_EQ(errors, (std::vector<std::pair<int, NecProblem>>{{1, NecProblem::PatchWithoutCorners},
                                                                {3, NecProblem::CornersWithoutPatch},
                                                                {4, NecProblem::PatchWithoutCorners}}));
}

TEST_F(NecWrittenBack, PatchesAreWrittenAsTheirCardsAndMirrorImagesStillFaceOutwards)
{
    const std::string deck = RoundTrip("CM p\nCE\n"
                                       "SP 0 1 0 0 1 1 0 1\nSC 0 0 1 1 1\n"
                                       "SM 3 2 0 0 2 3 0 2\nSC 0 0 3 2 2\n"
                                       "SP 0 3 0 0 3 1 0 3\nSC 0 0 1 1 3 0 2 3\n"
                                       "GE 0\nEN\n");
    EXPECT_NE(deck.find("CE\nSP 0 1 0 0 1 1 0 1\nSC 0 0 1 1 1\nSM 3 2 0 0 2 3 0 2\nSC 0 0 3 2 2\n"
                        "SP 0 3 0 0 3 1 0 3\nSC 0 0 1 1 3 0 2 3\nGE 0\n"),
              std::string::npos)
        << deck;
    EXPECT_EQ(table.CompleteLineCount, 4 + 7 + 4);

    // Any shape comes back as its centre, normal and area.
    const std::string square = RoundTrip("CM p\nCE\nSP 0 0 1 2 3 90 0 0.25\nGE 0\nEN\n");
    EXPECT_NE(square.find("\nSP 0 0 1 2 3 90 0 0.25\n"), std::string::npos) << square;

    // Reflected in the x-y plane, a patch above it faces up and its image
    // down: the image's corners run the other way round.
    const std::string mirrored = RoundTrip("CM p\nCE\nSP 0 1 0 0 1 1 0 1\nSC 0 0 1 1 1\nGX 0 001\nGE 0\nEN\n");
    EXPECT_NE(mirrored.find("\nSP 0 1 0 0 -1 0 1 -1\nSC 0 0 1 1 -1\n"), std::string::npos) << mirrored;
    const std::string grid = RoundTrip("CM p\nCE\nSM 3 2 0 0 1 3 0 1\nSC 0 0 3 2 1\nGX 0 001\nGE 0\nEN\n");
    EXPECT_NE(grid.find("\nSM 2 3 0 0 -1 0 2 -1\nSC 0 0 3 2 -1\n"), std::string::npos) << grid;
}

}  // namespace
}  // namespace quorvane::testing
