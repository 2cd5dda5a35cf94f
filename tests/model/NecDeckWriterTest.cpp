#include "DataFileFixture.h"
#include "ModelBuilder.h"
#include "NecDeck.h"
#include "NecDeckWriter.h"
#include "NecMessages.h"
#include "StrictNecReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace quorvane::testing {
namespace {

using NecDeckWriting = DataFileFixture;

// Decks whose every kind of card ends up as lines of the table: a dipole, a
// Yagi of GM copies, a GX reflection, a helix and an arc of chords.
constexpr const char* MixedDeck =
    "CM mixed geometry\nCE\n"
    "GW 1 21 0 -2.5 10 0 2.5 10 0.0015\n"
    "GW 2 11 0 -0.26 0 0 0.26 0 0.001\n"
    "GM 1 2 0 0 0 0.3 0 0 2\n"
    "GW 10 3 1 0.5 0.2 1 1.5 0.2 0.002\n"
    "GX 20 010\n"
    "GH 30 12 0.1 1.2 0.2 0.2 0.2 0.2 0.0005\n"
    "GA 40 5 0.7 10 80 0.003\n"
    "GE 0\nFR 0 1 0 0 14.1 0\nEN\n";

// Numbers that fit their ten columns come back as the very same doubles,
// the others as exact as seven digits of the wire's largest coordinate.
double ScaleOf(const NecWire& w)
{
    return std::max({std::abs(w.X1), std::abs(w.Y1), std::abs(w.Z1), std::abs(w.X2),
                     std::abs(w.Y2), std::abs(w.Z2)});
}

void ExpectNearlyEqual(double written, double read, double scale)
{
    EXPECT_LE(std::abs(written - read), 5e-7 * std::max(scale, std::abs(written)))
        << written << " " << read;
}

void ExpectSameWires(const std::vector<NecWire>& written, const std::vector<NecWire>& read)
{
    ASSERT_EQ(written.size(), read.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        SCOPED_TRACE("wire " + std::to_string(i + 1));
        const NecWire& a = written[i];
        const NecWire& b = read[i];
        const double scale = ScaleOf(a);
        ExpectNearlyEqual(a.X1, b.X1, scale);
        ExpectNearlyEqual(a.Y1, b.Y1, scale);
        ExpectNearlyEqual(a.Z1, b.Z1, scale);
        ExpectNearlyEqual(a.X2, b.X2, scale);
        ExpectNearlyEqual(a.Y2, b.Y2, scale);
        ExpectNearlyEqual(a.Z2, b.Z2, scale);
        EXPECT_EQ(a.Tag, b.Tag);
        EXPECT_EQ(a.Segments, b.Segments);
        EXPECT_EQ(a.Radius, b.Radius);
    }
}

TEST_F(NecDeckWriting, AnImportedModelWrittenAndReadAgainHasTheSameWires)
{
    folder.Write("mixed.nec", MixedDeck);
    const NecImport original = ImportNecDeck(MixedDeck);
    ASSERT_TRUE(original.Errors.empty());
    // Five wires, their five reflections, twelve helix turns' chords, five arc chords.
    ASSERT_EQ(original.Wires.size(), 27u);
    ASSERT_TRUE(file.ImportNecFile(folder.Path("mixed.nec"), folder.Path("mixed.qrv")).empty());

    const NecDeckText deck = MakeNecDeck(table, "mixed.nec");
    EXPECT_EQ(deck.WrittenLines, 27);
    EXPECT_EQ(deck.LeftOutRows, 0);
    const NecImport again = ImportNecDeck(deck.Text);
    EXPECT_TRUE(again.Errors.empty());
    ExpectSameWires(original.Wires, again.Wires);

    // A simulator's stricter reading finds nothing to warn about and the
    // same lines.
    const StrictNecDeck strict = ReadNecDeckStrictly(deck.Text);
    EXPECT_EQ(strict.Warnings, std::vector<std::string>{});
    ASSERT_EQ(strict.Wires.size(), original.Wires.size());
    for (std::size_t i = 0; i < strict.Wires.size(); ++i) {
        const StrictNecWire& s = strict.Wires[i];
        const NecWire& w = original.Wires[i];
        EXPECT_EQ(s.Tag, w.Tag);
        EXPECT_EQ(s.Segments, w.Segments);
        EXPECT_EQ(s.Radius, w.Radius);
        const double ends[6] = {w.X1, w.Y1, w.Z1, w.X2, w.Y2, w.Z2};
        for (int e = 0; e < 6; ++e)
            ExpectNearlyEqual(ends[e], s.Ends[e], ScaleOf(w));
    }
    EXPECT_EQ(strict.Comments, std::vector<std::string>{"mixed.nec"});

    // Saved as a data file and read back, which turns the supplements'
    // blanks into commas, the table still writes that deck.
    Write("mixed.qrv");
    file.ReadDataFile(folder.Path("mixed.qrv"));
    const NecImport fromQrv = ImportNecDeck(MakeNecDeck(table, "mixed.nec").Text);
    ASSERT_EQ(fromQrv.Wires.size(), original.Wires.size());
    EXPECT_EQ(fromQrv.Wires[0].Supplement, original.Wires[0].Supplement);
    EXPECT_NEAR(fromQrv.Wires[26].X2, original.Wires[26].X2, 5e-5);  // four decimals in a data file
}

TEST_F(NecDeckWriting, LinesDrawnInTheTableGetTheirRowAsTagSegmentsByLengthAndAThinWire)
{
    AddLine(table, {0, 0, 0, 0, 0, 1.1});      // eleven started tenths, not twelve
    AddNote(table, "feed point below");         // left out: not a line
    AddLine(table, {0, 0, 0, 0.03, 0.04, 0});  // 0.05 m: one segment
    AddLine(table, {1, 1, 1, 1, 1, 1.25});
    table.SetCellText(1, 5, "x");               // a started row, left out too
    table.Recount();
    table.SetCellText(SupplementColumn, 4, "  top \tload  ");

    const NecDeckText deck = MakeNecDeck(table, "drawn.nec");
    EXPECT_EQ(deck.Text,
              "CM drawn.nec\n"
              "CM GW 4: top  load\n"
              "CE\n"
              "GW  1   11        0.        0.        0.        0.        0.       1.1     0.001\n"
              "GW  3    1        0.        0.        0.      0.03      0.04        0.     0.001\n"
              "GW  4    3        1.        1.        1.        1.        1.      1.25     0.001\n"
              "GE  0\nEN\n");
    EXPECT_EQ(deck.LeftOutRows, 2);
    EXPECT_EQ(deck.WrittenLines, 3);
    EXPECT_EQ(NecRowsLeftOutMessage(deck.LeftOutRows, 0, "drawn.nec", Language::English),
              "2 rows are not complete lines and were left out of drawn.nec.");
    EXPECT_EQ(NecRowsLeftOutMessage(1, 0, "d.nec", Language::German),
              "1 Zeile ist keine vollständige Linie und wurde in d.nec ausgelassen.");
    EXPECT_EQ(NecRowsLeftOutMessage(0, 0, "d.nec", Language::German), "");
}

// A simulator takes a radius of 0 as the sign that a GC card gives the
// radii, and computes nothing for a wire without length.
TEST_F(NecDeckWriting, NoWireIsWrittenWithoutRadiusOrWithoutLength)
{
    AddLine(table, {0, 0, 0, 0, 0, 1});
    table.SetCellText(SupplementColumn, 1, "GW 7 NS 5 R 0 feed");
    AddLine(table, {0, 1, 0, 0, 1, 1});
    table.SetCellText(SupplementColumn, 2, "GW 8 NS 9 R 0 GC 1.1 0.002 0.001 tapered");
    AddLine(table, {2, 2, 2, 2, 2, 2});  // a point
    table.SetCellText(SupplementColumn, 3, "GW 3 NS 1 R 0.001 point");
    // Ends apart by less than the digits their columns hold: written, they
    // would be one point.
    AddLine(table, {0.1, 0.2, 0.3, 0.1 + 1e-12, 0.2, 0.3});
    AddNote(table, "not a line");
    table.Recount();

    const NecDeckText deck = MakeNecDeck(table, "r.nec");
    EXPECT_EQ(deck.WrittenLines, 2);
    EXPECT_EQ(deck.ZeroLengthLines, 2);
    EXPECT_EQ(deck.LeftOutRows, 1);
    EXPECT_EQ(deck.Text.substr(deck.Text.find("GW  7")),
              "GW  7    5        0.        0.        0.        0.        0.        1.     0.001\n"
              "GW  8    9        0.        1.        0.        0.        1.        1.        0.\n"
              "GC  0    0       1.1     0.002     0.001\n"
              "GE  0\nEN\n");
    EXPECT_EQ(deck.Text.find("CM GW 3"), std::string::npos);  // no comment on a line left out
    EXPECT_NE(deck.Text.find("CM GW 8: tapered"), std::string::npos);
    EXPECT_EQ(NecRowsLeftOutMessage(deck.LeftOutRows, deck.ZeroLengthLines, "r.nec",
                                    Language::English),
              "1 row is not a complete line and was left out of r.nec.\n"
              "2 lines have no length and were left out of r.nec.");
    EXPECT_EQ(NecRowsLeftOutMessage(0, 1, "r.nec", Language::German),
              "1 Linie hat keine Länge und wurde in r.nec ausgelassen.");
}

TEST_F(NecDeckWriting, CardsAfterGeometryAreRowsThatGoBackAfterGeAndAreNotLeftOut)
{
    folder.Write("loaded.nec", "CM loaded dipole\nCE\nGW 1 21 0 0 -5 0 0 5 0.001\n"
                               "GE 1\nGN 1\nEX 0 1 11 0 1 0\n"
                               "LD 5 1 0 0 5.8e7\nXX 1\nFR 0 1 0 0 14.2 0\nEN\nRP 0 1 1\n");
    const auto errors = file.ImportNecFile(folder.Path("loaded.nec"), folder.Path("loaded.qrv"));
    ASSERT_EQ(errors.size(), 1u);  // XX is no card a simulator knows
    EXPECT_EQ(errors[0].LineNumber, 8);
    ASSERT_EQ(table.LineCount, 6);
    EXPECT_EQ(table.CellText(SupplementColumn, 2), "GE 1");
    EXPECT_EQ(table.CellText(SupplementColumn, 6), "FR 0 1 0 0 14.2 0");

    // Typed rows and rows that went through a data file are cards too.
    AddNote(table, "  XQ  ");
    AddNote(table, "Ex 0 1 1 0 1 0");  // a note: card names are capitals
    const NecDeckText deck = MakeNecDeck(table, "loaded.nec");
    EXPECT_EQ(deck.LeftOutRows, 1);
    EXPECT_EQ(deck.WrittenLines, 1);
    const std::string tail = deck.Text.substr(deck.Text.find("GE"));
    // In the columns of their cards, with the values they hold.
    EXPECT_EQ(tail,
              "GE  1\n"
              "GN  1\n"
              "EX  0    1   11    0        1.        0.\n"
              "LD  5    1    0    0     5.8e7\n"
              "FR  0    1    0    0      14.2        0.\n"
              "XQ\nEN\n");
    const NecImport again = ImportNecDeck(deck.Text);
    EXPECT_TRUE(again.Errors.empty());
    EXPECT_EQ(again.Cards.size(), 6u);
}

TEST(NecDeckSupplements, OnlyTheImportsOwnKeysAreKeptAndWordsAfterThemBecomeAComment)
{
    const auto keys = ReadNecSupplement("GW 7 NS 15 R 1.5e-05 driven element");
    ASSERT_TRUE(keys);
    EXPECT_EQ(keys->Tag, 7);
    EXPECT_EQ(keys->Segments, 15);
    EXPECT_EQ(keys->Radius, 1.5e-05);
    EXPECT_EQ(keys->Remark, "driven element");
    EXPECT_TRUE(ReadNecSupplement("GW -3 NS 1 R 0"));
    // As a data file read with the separator set gives it back.
    const auto commas = ReadNecSupplement("GW,7,NS,15,R,1.5e-05,driven,element");
    ASSERT_TRUE(commas);
    EXPECT_EQ(commas->Radius, 1.5e-05);
    EXPECT_EQ(commas->Remark, "driven,element");
    EXPECT_EQ(ReadNecSupplement("GW 7 NS 15 R 0.001 (driven)")->Remark, "(driven)");

    // A taper after the radius, as the import writes it; anything less is words.
    const auto tapered = ReadNecSupplement("GW,7,NS,15,R,0,GC,1.1,0.002,0.001,top");
    ASSERT_TRUE(tapered && tapered->Taper);
    EXPECT_EQ(tapered->Taper->Ratio, 1.1);
    EXPECT_EQ(tapered->Taper->FirstRadius, 0.002);
    EXPECT_EQ(tapered->Taper->LastRadius, 0.001);
    EXPECT_EQ(tapered->Remark, "top");
    EXPECT_EQ(NecSupplement(7, 15, 0, NecTaper{1.1, 0.002, 0.001}),
              "GW 7 NS 15 R 0 GC 1.1 0.002 0.001");
    for (const char* words : {"GC 1.1 0.002", "GC 1.1 0 0.001", "GC 1.1 0.002 0.001x"}) {
        const std::string supplement = std::string("GW 7 NS 15 R 0 ") + words;
        const auto keys = ReadNecSupplement(supplement);
        ASSERT_TRUE(keys) << words;
        EXPECT_FALSE(keys->Taper) << words;
        EXPECT_EQ(keys->Remark, words);
    }

    for (const char* text : {"", "GW", "GW 7 NS 0 R 0.001", "GW 7 NS 15 R -0.001",
                             "GW 7 NS 15 R inf", "GW 7 NS 15 R nan", "GW 7.5 NS 15 R 0.001",
                             "GW 7 NS 99999999999 R 0.001",
                             "GW 7 NS 1000000001 R 0.001", "GW 1000000001 NS 1 R 0.001",
                             "GW 7 SN 15 R 0.001",
                             "GW 7 NS 15 R 0.001mm", "reflector"})
        EXPECT_FALSE(ReadNecSupplement(text)) << text;
}

TEST(NecDeckSupplements, SegmentCountsFollowStartedTenthsOfAMetre)
{
    EXPECT_EQ(NecSegmentsForLength(0), 1);
    EXPECT_EQ(NecSegmentsForLength(0.1), 1);
    EXPECT_EQ(NecSegmentsForLength(0.1000001), 2);
    EXPECT_EQ(NecSegmentsForLength(0.7 - 0.4), 3);  // 0.29999999999999993
    EXPECT_EQ(NecSegmentsForLength(1.1), 11);
    EXPECT_EQ(NecSegmentsForLength(1000.05), 10001);
    EXPECT_EQ(NecSegmentsForLength(1e300), 1000000000);
}

TEST(NecDeckComments, LongAndOddTextsStayOnEightyColumnCardsAndWholeCharacters)
{
    LineTable table;
    AddLine(table, {0, 0, 0, 1, 0, 0});
    std::string remark;
    for (int i = 0; i < 40; ++i)
        remark += "\xC3\xA4\x01";  // "ä" and a control character
    table.SetCellText(SupplementColumn, 1, remark);

    const StrictNecDeck deck = ReadNecDeckStrictly(MakeNecDeck(table, "comments.nec").Text);
    EXPECT_EQ(deck.Warnings, std::vector<std::string>{});
    ASSERT_EQ(deck.Comments.size(), 3u);
    std::string joined;
    for (std::size_t i = 1; i < deck.Comments.size(); ++i)
        joined += deck.Comments[i];
    std::string expected = "GW 1: ";
    for (int i = 0; i < 40; ++i)
        expected += "\xC3\xA4 ";
    expected.pop_back();  // the last control character was at the end and is trimmed
    EXPECT_EQ(joined, expected);
}

}  // namespace
}  // namespace quorvane::testing
