#include "DataFileFixture.h"
#include "NecDeck.h"
#include "ModelBuilder.h"
#include "ModelFacts.h"

#include <gtest/gtest.h>

namespace quorvane::testing {
namespace {

class ModelFactsReading : public DataFileFixture {
protected:
    ModelFacts FactsOfDeck(const std::string& deck)
    {
        folder.Write("deck.nec", deck);
        file.ImportNecFile(folder.Path("deck.nec"), folder.Path("deck.qrv"));
        return ReadModelFacts(table);
    }
};

TEST_F(ModelFactsReading, TheFrequencyIsTheFirstFrCardsInMegahertzHoweverTheCardIsWritten)
{
    const char* wire = "GW 1 11 0 0 0 0 0 1 0.001\n";
    // In columns, blank integers are zero and the frequency stands in 21-30;
    // widely spaced free form is no columns.
    const std::string columns = "FR" + std::string(7, ' ') + "1" + std::string(16, ' ') + "14.2";
    for (const std::string& fr : {std::string("FR 0 1 0 0 14.2 0"), std::string("fr,0,1,0,0,14.2"),
                                  columns, std::string("SY f=7.1\nFR 0 1 0 0 f*2 0"),
                                  std::string("FR     0     1     0     0  1.42000E+01  0.00000E+00")}) {
        SCOPED_TRACE(fr);
        const ModelFacts facts = FactsOfDeck(std::string(wire) + "GE 0\n" + fr + "\nFR 0 1 0 0 28 0\nEN\n");
        ASSERT_TRUE(facts.FrequencyMHz);
        EXPECT_DOUBLE_EQ(*facts.FrequencyMHz, 14.2);
        EXPECT_FALSE(facts.Ground);
    }
    // The facts survive a data file, whose reading turns the blanks into commas.
    FactsOfDeck(std::string(wire) + "GE 1\nFR 0 1 0 0 7.1 0\nEN\n");
    Write("deck.qrv");
    file.ReadDataFile(folder.Path("deck.qrv"));
    EXPECT_EQ(table.CellText(SupplementColumn, 3), "FR,0,1,0,0,7.1,0");
    const ModelFacts read = ReadModelFacts(table);
    EXPECT_EQ(read.FrequencyMHz, 7.1);
    EXPECT_TRUE(read.Ground);
}

TEST_F(ModelFactsReading, GroundComesFromTheLastGnCardOrElseFromGesFlag)
{
    const std::string wire = "GW 1 11 0 0 1 0 0 2 0.001\n";
    EXPECT_TRUE(FactsOfDeck(wire + "GE 1\nEN\n").Ground);
    EXPECT_TRUE(FactsOfDeck(wire + "GE -1\nEN\n").Ground);
    EXPECT_TRUE(FactsOfDeck(wire + "GE 0\nGN 2 0 0 0 13 0.005\nEN\n").Ground);
    // GN -1 takes away a ground named before it, GE's included.
    EXPECT_FALSE(FactsOfDeck(wire + "GE 1\nGN 1\nGN -1\nEN\n").Ground);
    const ModelFacts none = FactsOfDeck(wire + "GE 0\nFR 0 1 0 0 0 0\nEN\n");
    EXPECT_FALSE(none.Ground);
    EXPECT_FALSE(none.FrequencyMHz);

    // Rows the user typed count as well; notes and lines do not.
    LineTable typed;
    AddLine(typed, {0, 0, 0, 0, 0, 1});
    AddNote(typed, "Fr 0 1 0 0 3.5 0");  // a note, not a card
    AddNote(typed, "FRONT 0 1 0 0 3.5");
    AddNote(typed, "  FR 0 1 0 0 3.6 0  ");
    EXPECT_EQ(ReadModelFacts(typed).FrequencyMHz, 3.6);
    typed.SetCellText(1, 4, "1");
    EXPECT_FALSE(ReadModelFacts(typed).FrequencyMHz);
}

}  // namespace
}  // namespace quorvane::testing
