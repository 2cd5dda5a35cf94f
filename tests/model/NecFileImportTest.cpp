#include "DataFileFixture.h"
#include "NecMessages.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace quorvane::testing {
namespace {

using NecFileImport = DataFileFixture;

TEST_F(NecFileImport, WiresBecomeChangedRowsUnderTheDataFilesNameAndSaveAsQrv)
{
    folder.Write("yagi.nec",
                 "CM two elements\nCE\n"
                 "GW 1 11 0 -0.5 0 0 0.5 0 0.001\n"
                 "GM 1 1 0 0 0 0.25 0 0 0\n"
                 "GE 0\nEX 0 1 6 0 1 0\nEN\n");
    const std::string deck = folder.Read("yagi.nec");
    const auto errors = file.ImportNecFile(folder.Path("yagi.nec"), folder.Path("yagi.qrv"));

    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(events.calls, (std::vector<std::string>{"captions", "resize", "model"}));
    EXPECT_EQ(events.captions[0], " Quorvane - " + folder.Path("yagi.qrv"));
    // The excitation after GE is a row without coordinates holding its card.
    ASSERT_EQ(table.LineCount, 3);
    EXPECT_EQ(table.CompleteLineCount, 2);
    EXPECT_EQ(Texts(1), "0.00|-0.50|0.00|0.00|0.50|0.00|GW 1 NS 11 R 0.001");
    EXPECT_EQ(Texts(2), "0.25|-0.50|0.00|0.25|0.50|0.00|GW 2 NS 11 R 0.001");
    EXPECT_EQ(Texts(3), "||||||EX 0 1 6 0 1 0");
    EXPECT_DOUBLE_EQ(table.Record(2).X1, 0.25);
    EXPECT_TRUE(file.TableChanged());

    // Saving writes the table under its own name and leaves the deck alone.
    EXPECT_EQ(Write("yagi.qrv"),
              "0.0000,-0.5000,0.0000,0.0000,0.5000,0.0000,GW 1 NS 11 R 0.001\r\n"
              "0.2500,-0.5000,0.0000,0.2500,0.5000,0.0000,GW 2 NS 11 R 0.001\r\n"
              ",,,,,,EX 0 1 6 0 1 0\r\n");
    EXPECT_FALSE(file.TableChanged());
    EXPECT_EQ(folder.Read("yagi.nec"), deck);
}

TEST_F(NecFileImport, UnusedCardsAreReturnedAndAMissingOrUnreadableDeckKeepsTheTable)
{
    Read("1,2,3,4,5,6,kept\r\n");
    folder.Write("bad.nec", "GW 1 5 0 0 0 1 0 0 0.001\nGW 2 2.5 0 0 0 1 0 0 0.001\n");
    ASSERT_EQ(::mkdir(folder.Path("folder.nec").c_str(), 0700), 0);

    events.calls.clear();
    file.ImportNecFile(folder.Path("missing.nec"), folder.Path("missing.qrv"));
    file.ImportNecFile(folder.Path("folder.nec"), folder.Path("folder.qrv"));
    EXPECT_EQ(events.calls, (std::vector<std::string>{"error"}));
    EXPECT_EQ(Texts(1), "1.00|2.00|3.00|4.00|5.00|6.00|kept");
    EXPECT_FALSE(file.TableChanged());

    const auto errors = file.ImportNecFile(folder.Path("bad.nec"), folder.Path("bad.qrv"));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].LineNumber, 2);
    EXPECT_EQ(NecProblemText(errors[0], Language::English), "field 2 must be an integer");
    EXPECT_EQ(NecProblemText(errors[0], Language::German), "Feld 2 muss eine ganze Zahl sein");
    EXPECT_EQ(table.LineCount, 1);
}

TEST(NecImportMessage, ListsTenCardsWithTheirLinesThenCountsTheRestInEitherLanguage)
{
    std::string deck = "GW 1 5 0 0 0 1 0 0 0.001\n";
    for (int i = 0; i < 12; ++i)
        deck += "XX " + std::to_string(i) + "\n";
    deck += "GM 1 100000 0 0 0 0 1 0 0\n";
    const NecImport imported = ImportNecDeck(deck);
    ASSERT_EQ(imported.Errors.size(), 13u);
    EXPECT_TRUE(NecDeckOverflowed(imported.Errors));

    const std::string english = NecCardsLeftOutMessage(imported.Errors, "a.nec", Language::English);
    EXPECT_EQ(english.substr(0, english.find("\n\n")),
              "Some cards of a.nec could not be used and were left out:");
    EXPECT_NE(english.find("\nline 2: XX 0 \xE2\x80\x93 unknown card\n"), std::string::npos);
    EXPECT_NE(english.find("\nline 11: XX 9 "), std::string::npos);
    EXPECT_EQ(english.find("XX 10"), std::string::npos);
    EXPECT_NE(english.find("\nand 2 more.\n\nEverything else was read."), std::string::npos);
    // The capacity is told by its own message, not as a card.
    EXPECT_EQ(english.find("100000"), std::string::npos);

    const std::string german = NecCardsLeftOutMessage(imported.Errors, "a.nec", Language::German);
    EXPECT_NE(german.find("\nZeile 2: XX 0 \xE2\x80\x93 unbekannte Karte\n"), std::string::npos);
    EXPECT_NE(german.find("\nund 2 weitere."), std::string::npos);

    EXPECT_EQ(NecCardsLeftOutMessage({}, "a.nec", Language::English), "");
    EXPECT_FALSE(NecDeckOverflowed({}));
}

TEST_F(NecFileImport, AFullDeckFillsTheLargestTableAndPointsBeyondTheRangeStayText)
{
    settings.CapacityIncrement = 7;  // steps that never meet the limit exactly
    folder.Write("big.nec", "GW 1 1 0 0 0 1 0 0 0.001\nGM 1 100000 0 0 0 0 1 0 0\n");
    const auto errors = file.ImportNecFile(folder.Path("big.nec"), folder.Path("big.qrv"));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].Problem, NecProblem::TooManyLines);
    EXPECT_EQ(table.Capacity(), MaxCapacity);
    EXPECT_EQ(table.LineCount, MaxCapacity);
    EXPECT_DOUBLE_EQ(table.Record(MaxCapacity).Y1, MaxCapacity - 1);

    folder.Write("far.nec", "GW 1 1 0 0 0 1e300 0 0 0.001\nGS 0 0 1e10\n");
    file.ImportNecFile(folder.Path("far.nec"), folder.Path("far.qrv"));
    EXPECT_EQ(table.Capacity(), MinCapacity);
    EXPECT_EQ(table.CompleteLineCount, 0);
    EXPECT_EQ(table.CellText(4, 1), "inf");
    EXPECT_EQ(table.Record(1).X2, Undefined);
}

}  // namespace
}  // namespace quorvane::testing
