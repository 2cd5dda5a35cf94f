#include "DataFileFixture.h"
#include "ModelFileTypes.h"

#include <gtest/gtest.h>

namespace quorvane::testing {
namespace {

TEST(ModelFileTypes, TheEndingOfANameInAnyCaseDecidesAndEveryOtherNameIsADataFile)
{
    for (const char* name : {"a.nec", "/x/B.NEC", "c.Nec", ".nec"})
        EXPECT_EQ(ModelFileTypeOf(name), ModelFileType::NecDeck) << name;
    for (const char* name : {"a.qrv", "nec", "a.nec.qrv", "a.nc", "a_nec", "", "notes.txt"})
        EXPECT_EQ(ModelFileTypeOf(name), ModelFileType::DataFile) << name;

    // Drops take only the program's own endings.
    for (const char* name : {"a.qrv", "A.QRV", "b.nec"})
        EXPECT_TRUE(IsModelFileName(name)) << name;
    for (const char* name : {"notes.txt", "qrv", "a.qrv.txt", ""})
        EXPECT_FALSE(IsModelFileName(name)) << name;
}

using ModelFileReading = DataFileFixture;

TEST_F(ModelFileReading, ADataFileIsReadUnderItsOwnNameAndADeckUnderTheTablesName)
{
    folder.Write("plain.qrv", "1,2,3,4,5,6,a\r\n");
    const ModelImport read = ReadModelFile(file, folder.Path("plain.qrv"), "ignored.qrv");
    EXPECT_EQ(read.Type, ModelFileType::DataFile);
    EXPECT_EQ(events.captions.back(), " Quorvane - " + folder.Path("plain.qrv"));
    EXPECT_FALSE(file.TableChanged());

    folder.Write("wire.nec", "GW 1 3 0 0 0 0 0 1 0.001\nXX\n");
    const ModelImport deck = ReadModelFile(file, folder.Path("wire.nec"), folder.Path("wire.qrv"));
    EXPECT_EQ(deck.Type, ModelFileType::NecDeck);
    EXPECT_EQ(events.captions.back(), " Quorvane - " + folder.Path("wire.qrv"));
    EXPECT_TRUE(file.TableChanged());
    EXPECT_EQ(ImportWarnings(deck), (std::vector<std::string>{"line 2: XX \xE2\x80\x93 unknown card"}));
    EXPECT_NE(ImportLeftOutMessage(deck, "wire.nec", Language::German).find("Zeile 2: XX"),
              std::string::npos);
    EXPECT_FALSE(ImportOverflowed(deck));
}

}  // namespace
}  // namespace quorvane::testing
