#include "DataFileFixture.h"
#include "NecDeck.h"
#include "NormalizedDeck.h"
#include "NecDeckWriter.h"
#include "NecMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace quorvane::testing {
namespace {

constexpr const char* SymbolicDeck =
    "CM symbolic dipole and reflector\nCE\n"
    "SY len=5.2, h=len/2+0.1, w=3, r=1.5mm   ' half a length up\n"
    "GW 1 11 0 -len/2 h 0 len/2 h r\n"
    "SY len = len*1.05\n"
    "GW 2 int(len*10)/2 -0.5 -len/2 h -0.5 len/2 h mod(7, w)*0.001\n"
    "GE 0\n"
    "FR 0 1 0 0 28.4 0\n"
    "EN\n";

TEST(NecSymbolicDecks, SymbolsAreDefinedInDeckOrderAndEveryFieldMayBeAnExpression)
{
    const NecImport deck = ImportNecDeck(SymbolicDeck);
    ASSERT_TRUE(deck.Errors.empty()) << deck.Errors[0].Card;
    ASSERT_EQ(deck.Wires.size(), 2u);
    const NecWire& first = deck.Wires[0];
    EXPECT_DOUBLE_EQ(first.Y1, -2.6);
    EXPECT_DOUBLE_EQ(first.Z2, 2.7);
    EXPECT_DOUBLE_EQ(first.Radius, 0.0015);
    EXPECT_EQ(first.Supplement, "GW 1 NS 11 R 0.0015 = GW 1 11 0 -len/2 h 0 len/2 h r");
    const NecWire& second = deck.Wires[1];
    EXPECT_EQ(second.Segments, 27);
    EXPECT_DOUBLE_EQ(second.Y2, 2.73);
    EXPECT_DOUBLE_EQ(second.Z2, 2.7);  // h was defined with the first length
    EXPECT_DOUBLE_EQ(second.Radius, 0.001);
    // The function's arguments stay one field, kept without the blank.
    EXPECT_EQ(second.Supplement,
              "GW 2 NS 27 R 0.001 = GW 2 int(len*10)/2 -0.5 -len/2 h -0.5 len/2 h mod(7,w)*0.001");
    // SY cards stay where they stood among the lines, the comment with them.
    ASSERT_EQ(deck.Cards.size(), 3u);
    EXPECT_EQ(deck.Cards[0].Text, "SY len=5.2, h=len/2+0.1, w=3, r=1.5mm   ' half a length up");
    EXPECT_EQ(deck.Cards[0].LinesBefore, 0u);
    EXPECT_EQ(deck.Cards[1].LinesBefore, 1u);
    EXPECT_EQ(deck.Cards[2].Text, "FR 0 1 0 0 28.4 0");
    // Plain numbers keep no expressions.
    EXPECT_EQ(ImportNecDeck("GW 1 3 0 0 -1.5E-1 0 0 2.0D-1 .001\n").Wires[0].Supplement,
              "GW 1 NS 3 R 0.001");
}

TEST(NecSymbolicDecks, ErrorsNameTheLineTheColumnAndWhatIsWrongInEitherLanguage)
{
    const NecImport deck = ImportNecDeck("SY a=2, b=a/0\n"
                                         "GW 1 5 0 0 0 c 0 0 0.001\n"
                                         "  GW 2 5 0 0 0 0 0 1 (0.001\n"
                                         "GW 3 a*2.25 0 0 0 1 0 0 0.001\n"
                                         "GW 4 5 0 0 0 a 0 0 0.001\n");
    ASSERT_EQ(deck.Wires.size(), 1u);
    EXPECT_EQ(deck.Wires[0].X2, 2);
    std::vector<std::string> english, german;
    for (const NecCardError& e : deck.Errors) {
        english.push_back(std::to_string(e.LineNumber) + ": " + NecProblemText(e, Language::English));
        german.push_back(std::to_string(e.LineNumber) + ": " + NecProblemText(e, Language::German));
    }
    EXPECT_EQ(english, (std::vector<std::string>{
                           "1: column 12: division by zero",
                           "2: column 14: \xE2\x80\x9C" "c\xE2\x80\x9D is not defined",
                           "3: column 22: \xE2\x80\x9C(\xE2\x80\x9D is not closed",
                           "4: field 2 must be an integer",
                       }));
    EXPECT_EQ(german[1], "2: Spalte 14: \xE2\x80\x9E" "c\xE2\x80\x9C ist nicht definiert");
}

// A table imported from a deck, and what it writes.
class NecSymbolicWriting : public DataFileFixture {
protected:
    void Import(const std::string& deck)
    {
        folder.Write("in.nec", deck);
        const auto errors = file.ImportNecFile(folder.Path("in.nec"), folder.Path("in.qrv"));
        ASSERT_TRUE(errors.empty()) << errors[0].Card;
    }
    std::string Deck() const { return MakeNecDeck(table, "in.nec").Text; }
    std::string Written() const { return NormalizedDeck(Deck()); }
};

TEST_F(NecSymbolicWriting, ADeckWrittenBackKeepsItsSymbolsAndExpressionsWhereTheyStillHold)
{
    Import(SymbolicDeck);
    const std::string deck = Written();
    EXPECT_NE(deck.find("CE\nSY len=5.2, h=len/2+0.1, w=3, r=1.5mm   ' half a length up\n"
                        "GW 1 11 0 -len/2 h 0 len/2 h r\n"
                        "SY len = len*1.05\n"
                        "GW 2 int(len*10)/2 -0.5 -len/2 h -0.5 len/2 h mod(7,w)*0.001\n"
                        "GE 0\nFR 0 1 0 0 28.4 0\nEN\n"),
              std::string::npos)
        << deck;
    const NecImport again = ImportNecDeck(deck);
    EXPECT_TRUE(again.Errors.empty());
    ASSERT_EQ(again.Wires.size(), 2u);
    EXPECT_EQ(again.Wires[1].Y2, ImportNecDeck(SymbolicDeck).Wires[1].Y2);

    // Saved as a data file and read again, the coordinates are rounded to
    // four decimals; the expressions still hold and give the exact values.
    Import("SY len=5.2\nSY h = len/2+0.1\nGW 1 11 0 -len/2 h 0 len/2 h 1.5mm\n");
    Write("in.qrv");
    Read(folder.Read("in.qrv"), "in.qrv");
    EXPECT_EQ(table.CellText(2, 3), "-2.60");
    EXPECT_NE(Written().find("\nSY len=5.2\nSY h = len/2+0.1\nGW 1 11 0 -len/2 h 0 len/2 h 1.5mm\n"),
              std::string::npos)
        << Written();

    // An edited coordinate is written as its number, the rest as they were.
    table.Record(3).Y2 = 2.5;
    EXPECT_NE(Written().find("\nGW 1 11 0 -len/2 h 0 2.5 h 1.5mm\n"), std::string::npos)
        << Written();
}

// A data file's reading turns commas and tabs into its separator like
// blanks, yet in an SY card they part definitions and a function's
// arguments: saved and read again, with or without the separator set (the
// first reading at start-up has none), and saved again after such a
// reading, the cards are written back as they were typed.
TEST_F(NecSymbolicWriting, SymbolCardsKeepTheirCommasAndTabsThroughDataFiles)
{
    const std::string cards = "SY a=mod(5,3)\nSY b=1, c=2,d=atn(1)\t' a tab\n";
    Import(cards + "GW 1 3 0 0 0 0 0 a+b+c+d 0.001\nGE 0\nEN\n");
    for (const bool separatorSet : {false, true, true}) {
        Write("in.qrv");
        settings.SeparatorSet = separatorSet ? StandardSeparatorSet() : std::bitset<256>();
        file.ReadDataFile(folder.Path("in.qrv"));
        const std::string deck = Deck();
        EXPECT_NE(deck.find("\n" + cards), std::string::npos) << deck;
        EXPECT_TRUE(ImportNecDeck(deck).Errors.empty()) << deck;
    }
}

TEST_F(NecSymbolicWriting, MovedLinesAndLinesWithoutTheirSymbolsAreWrittenAsNumbers)
{
    Import("CE\nSY d=0.5\nGW 1 3 0 0 0 0 0 d 0.001\nGM 1 1 0 0 0 d 0 0 1\nGE 0\nEN\n");
    EXPECT_NE(Written().find("\nSY d=0.5\nGW 1 3 0 0 0 0 0 d 0.001\nGW 2 3 0.5 0 0 0.5 0 d 0.001\n"),
              std::string::npos)
        << Written();
    // Without the SY row no expression holds.
    table.DeleteRow(1);
    const std::string deck = Written();
    EXPECT_NE(deck.find("\nGW 1 3 0 0 0 0 0 0.5 0.001\nGW 2 3 0.5 0 0 0.5 0 0.5 0.001\n"),
              std::string::npos)
        << deck;
}

// What Debian's nec2c makes of a deck's geometry: its segment table as it
// prints it, then each patch's centre, normal and area, sorted (a surface's
// patches may come in another order and their tangents, which only span the
// patch's plane, may differ), or the reason it refused the deck.
std::string Nec2cGeometry(const TempFolder& folder, const std::string& deck)
{
    folder.Write("sim.nec", deck);
    const std::string command = "timeout 10 nec2c -i '" + folder.Path("sim.nec") + "' -o '" +
                                folder.Path("sim.out") + "' > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    const std::string out = folder.Read("sim.out");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "refused (status " + std::to_string(status) + "):\n" + out;
    const std::size_t begin = out.find("SEGMENTATION DATA");
    const std::size_t patches = std::min(out.find("SURFACE PATCH DATA"), out.find("DATA CARD No:"));
    if (begin == std::string::npos)
        return "no geometry:\n" + out;
    std::string geometry = out.substr(begin, patches - begin);
    std::vector<std::string> patchRows;
    std::istringstream lines(out.substr(std::min(patches, out.size())));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::vector<std::string> words{std::istream_iterator<std::string>(fields), {}};
        if (words.size() < 14 || words[0].find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::string row;
        for (std::size_t i = 1; i <= 7; ++i)
            row += (words[i].find_first_not_of("-0.") == std::string::npos ? "0" : words[i]) + " ";
        patchRows.push_back(row);
    }
    std::sort(patchRows.begin(), patchRows.end());
    for (const std::string& row : patchRows)
        geometry += row + "\n";
    return geometry;
}

// The simulator reads what we write as it read the deck it came from: the
// same segments, tapers and patches to the last printed digit.
TEST_F(NecSymbolicWriting, Nec2cReadsWrittenTapersPatchesAndExpandedSymbolsAsTheirOriginals)
{
    const std::string tapersAndPatches =
        "CM tapers and patches\nCE\n"
        "GW 1 6 0.1 0 -1 0.1 0 1 0\nGC 0 0 1.3 0.001 0.003\n"
        "GW 2 5 0.3 0 -1 0.3 0 1 0.002\n"
        "SP 0 0 1 2 3 30 45 0.04\n"
        "SP 0 1 -1 -1 2 -0.8 -1 2\nSC 0 0 -0.8 -0.7 2.1\n"
        "SM 3 2 2 -1 1 2.6 -1 1\nSC 0 0 2.6 -0.5 1.2\n"
        "GM 10 1 0 0 45 0 0 0.5 2\n"
        "GX 100 100\n"
        "GE 0\nFR 0 1 0 0 100 0\nEN\n";
    const std::string original = Nec2cGeometry(folder, tapersAndPatches);
    ASSERT_EQ(original.find("refused"), std::string::npos) << original;
    Import(tapersAndPatches);
    EXPECT_EQ(Nec2cGeometry(folder, Deck()), original) << Deck();

    // nec2c knows no SY cards: the symbolic deck is written with them for
    // the programs that read them, and without its SY rows as numbers,
    // which nec2c reads as the deck written out by hand.
    Import(SymbolicDeck);
    for (int row = table.LineCount; row >= 1; --row)
        if (table.CellText(SupplementColumn, row).substr(0, 2) == "SY")
            table.DeleteRow(row);
    const std::string byHand = "CM by hand\nCE\n"
                               "GW 1 11 0 -2.6 2.7 0 2.6 2.7 0.0015\n"
                               "GW 2 27 -0.5 -2.73 2.7 -0.5 2.73 2.7 0.001\n"
                               "GE 0\nFR 0 1 0 0 28.4 0\nEN\n";
    EXPECT_EQ(Nec2cGeometry(folder, Deck()), Nec2cGeometry(folder, byHand)) << Deck();
}

}  // namespace
}  // namespace quorvane::testing
