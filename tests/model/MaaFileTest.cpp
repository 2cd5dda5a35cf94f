#include "DataFileFixture.h"
#include "MaaFile.h"
#include "MaaFileWriter.h"
#include "MaaMessages.h"
#include "ModelFacts.h"
#include "ModelFileTypes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace quorvane::testing {
namespace {

std::string FileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

// The same wires and the same rows, in the same places.
void ExpectSameImport(const MaaImport& a, const MaaImport& b, const std::string& what)
{
    ASSERT_EQ(a.Wires.size(), b.Wires.size()) << what;
    for (std::size_t i = 0; i < a.Wires.size(); ++i) {
        const NecWire &x = a.Wires[i], &y = b.Wires[i];
        EXPECT_TRUE(x.X1 == y.X1 && x.Y1 == y.Y1 && x.Z1 == y.Z1 && x.X2 == y.X2 &&
                    x.Y2 == y.Y2 && x.Z2 == y.Z2)
            << what << ": wire " << i + 1;
        EXPECT_EQ(x.Supplement, y.Supplement) << what << ": wire " << i + 1;
    }
    ASSERT_EQ(a.Rows.size(), b.Rows.size()) << what;
    for (std::size_t i = 0; i < a.Rows.size(); ++i) {
        EXPECT_EQ(a.Rows[i].Text, b.Rows[i].Text) << what;
        EXPECT_EQ(a.Rows[i].LinesBefore, b.Rows[i].LinesBefore) << what << ": " << a.Rows[i].Text;
    }
}

using MaaFiles = DataFileFixture;

TEST_F(MaaFiles, EveryRealFileReadsWithoutAWarningAndWritesBackToTheSameModel)
{
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(QUORVANE_SOURCE_DIR "/tests/data/maa")) {
        const std::string name = entry.path().filename().string();
        if (ModelFileTypeOf(name) != ModelFileType::MaaFile)
            continue;
        ++files;
        const std::string text = FileText(entry.path());
        const MaaImport read = ReadMaaText(text);
        EXPECT_TRUE(read.Errors.empty()) << name << ": line " << read.Errors[0].LineNumber;
        EXPECT_FALSE(read.Wires.empty()) << name;
        // Line ends as MMANA writes them change nothing.
        ExpectSameImport(read, ReadMaaText(WithCrLf(text)), name + " with CR LF");

        // Into the table as the program opens it, and out again.
        folder.Write(name, text);
        const ModelImport import = ReadModelFile(file, folder.Path(name), folder.Path("t.qrv"));
        EXPECT_TRUE(ImportWarnings(import).empty()) << name;
        EXPECT_EQ(table.CompleteLineCount, static_cast<int>(read.Wires.size())) << name;
        const MaaFileText written = MakeMaaFile(table, name);
        EXPECT_EQ(written.LeftOutRows, 0) << name;
        const MaaImport again = ReadMaaText(written.Text);
        EXPECT_TRUE(again.Errors.empty()) << name;
        ExpectSameImport(read, again, name + " written back");
        // What is written once is written again as it is.
        folder.Write("again.maa", written.Text);
        ReadModelFile(file, folder.Path("again.maa"), folder.Path("t.qrv"));
        EXPECT_EQ(MakeMaaFile(table, "again.maa").Text, written.Text) << name;
    }
    EXPECT_GE(files, 10);
}

TEST_F(MaaFiles, WiresCarryTheirDeckDataAndMmanasOwnValuesTheRestBecomesRows)
{
    folder.Write("4EL20CM.maa", FileText(QUORVANE_SOURCE_DIR "/tests/data/maa/4EL20CM.maa"));
    ReadModelFile(file, folder.Path("4EL20CM.maa"), folder.Path("4EL20CM.qrv"));
    EXPECT_TRUE(file.TableChanged());
    EXPECT_EQ(events.captions.back(), " Quorvane - " + folder.Path("4EL20CM.qrv"));
    EXPECT_EQ(Texts(1), "||||||MMANA name 4ele 20m C-Match (by DL2KQ)");
    EXPECT_EQ(Texts(2), "||||||FR 0 1 0 0 14.1 0");
    EXPECT_EQ(ReadModelFacts(table).FrequencyMHz, 14.1);
    // Automatic segmentation: pieces of at most a fiftieth of 21.26 m (the
    // segmentation line's second field); the combined wire -0.002 is
    // 15 mm thick where it starts.
    EXPECT_EQ(Texts(3), "0.00|-0.02|0.00|0.00|-5.28|0.00|GW 1 NS 13 R 0.015 MMANA R -0.002 S -1");
    EXPECT_EQ(Texts(4), "-2.95|-5.41|0.00|-2.95|5.41|0.00|GW 2 NS 26 R 0.015 MMANA R -0.001 S -1");
    EXPECT_EQ(Texts(7), "0.00|-0.02|0.00|0.00|0.02|0.00|GW 5 NS 1 R 8e-04 MMANA S -1");
    EXPECT_EQ(Texts(12), "||||||MMANA sources 1");
    EXPECT_EQ(Texts(13), "||||||MMANA source w5c 0.0 1.0");
    EXPECT_EQ(Texts(15), "||||||MMANA load w8c 0 0.0 195.0 0.0");
    EXPECT_EQ(Texts(16), "||||||MMANA segmentation 400 50 2.0 1");
    EXPECT_EQ(Texts(17), "||||||MMANA ground 0 20.0 0 50.0 120 60 0");
    EXPECT_EQ(Texts(18), "||||||MMANA combined-wire -0.001 2 1.8 0.015 1.8 0.0125 99999.9 0.01");
    EXPECT_EQ(table.LineCount, 21);
    EXPECT_EQ(Texts(21), "||||||MMANA comment BW  on 15% > as hairpin match");
}

TEST(MaaReading, WhatRealFilesVaryInReadsTheSame)
{
    const MaaImport plain = ReadMaaText(
        "Dipole\n*\n14.2\n***Wires***\n1\n0.0,\t-5.0,\t10.0,\t0.0,\t5.0,\t10.0,\t8.000e-04,\t21\n"
        "***Source***\n1,\t1\nw1c,\t0.0,\t1.0\n***Load***\n0,\t1\n***Segmentation***\n"
        "800,\t80,\t2.0,\t2\n***G/H/M/R/AzEl/X***\n0,\t0.0,\t0,\t50.0,\t120,\t60,\t0.0\n"
        "###Comment###\nfirst\n");
    ASSERT_TRUE(plain.Errors.empty());
    ASSERT_EQ(plain.Wires.size(), 1U);
    EXPECT_EQ(plain.Wires[0].Supplement, "GW 1 NS 21 R 8e-04");
    // "-0.0" is a radius of 0, not a combined wire's key, and its
    // supplement is the one that a written file reads back with.
    const MaaImport zero =
        ReadMaaText("Dipole\n*\n14.2\n***Wires***\n1\n0.0, -5.0, 10.0, 0.0, 5.0, 10.0, -0.0, 21\n");
    ASSERT_EQ(zero.Wires.size(), 1U);
    EXPECT_EQ(zero.Wires[0].Supplement, "GW 1 NS 21 R 0");
    const std::vector<std::pair<std::string, std::string>> variants{
        {"blank lines, blanks, Ctrl+Z",
         "Dipole\n\n*\n 14.2 \n\n***Wires***\n1\n\n0.0  -5.0  10.0  0.0  5.0  10.0  8.000e-04  21\n"
         "***Source***\n1 1\nw1c 0.0 1.0\n***Load***\n0 1\n***Segmentation***\n"
         "800 80 2.0 2\n***G/H/M/R/AzEl/X***\n0 0.0 0 50.0 120 60 0.0\n###Comment###\nfirst\n\n\x1A"
         "rubbish"},
        {"decimal commas between tabs",
         "Dipole\n*\n14,2\n***Wires***\n1\n0,0\t-5,0\t10,0\t0,0\t5,0\t10,0\t0,0008\t21\n"
         "***Source***\n1\t1\nw1c\t0,0\t1,0\n***Load***\n0\t1\n***Segmentation***\n"
         "800\t80\t2,0\t2\n***G/H/M/R/AzEl/X***\n0\t0,0\t0\t50,0\t120\t60\t0,0\n"
         "###Comment###\nfirst\n"},
        {"no header before the wires, the comment on its header's line",
         "Dipole\n*\n14.2\n1\n0.0,-5.0,10.0,0.0,5.0,10.0,8.000e-04,21\n"
         "*** Source ***\n1, 1\nw1c, 0.0, 1.0\n*** Load ***\n0, 1\n*** Segmentation ***\n"
         "800, 80, 2.0, 2\n*G/H/M/R/AzEl/X*\n0, 0.0, 0, 50.0, 120, 60, 0.0\n"
         "### Comment ### first\n"},
    };
    for (const auto& [what, text] : variants) {
        const MaaImport read = ReadMaaText(text);
        EXPECT_TRUE(read.Errors.empty()) << what;
        ExpectSameImport(plain, read, what);
    }
}

TEST(MaaReading, AFileBeyondTheTableIsCutWhereTheTableIsFullAndSaysSo)
{
    // The rows of title and frequency come first, then the wires: with room
    // for five rows the fourth wire and the source after it do not fit.
    const MaaImport read = ReadMaaText("T\n*\n14\n***Wires***\n4\n"
                                       "0,0,0,1,0,0,0.001,1\n0,0,0,2,0,0,0.001,1\n"
                                       "0,0,0,3,0,0,0.001,1\n0,0,0,4,0,0,0.001,1\n"
                                       "***Source***\n1,1\nw1c,0,1\n",
                                       5);
    ASSERT_EQ(read.Errors.size(), 1U);
    EXPECT_EQ(read.Errors[0].LineNumber, 9);
    EXPECT_EQ(read.Errors[0].Problem, MaaProblem::TooManyWires);
    EXPECT_EQ(read.Wires.size(), 3U);
    EXPECT_EQ(read.Rows.size(), 2U);
    EXPECT_TRUE(ImportOverflowed(ModelImport{ModelFileType::MaaFile, {}, read.Errors}));
}

TEST_F(MaaFiles, UnreadableLinesAreListedWithTheirNumbersAndTheRestIsRead)
{
    folder.Write("bad.maa",
                 "Bad\n*\nfast\n***Wires***\n3\n0,0,0,1,0,0,0.001,-1\n0,0,0,1,0,0,0.001\n"
                 "0,0,0,x,0,0,0.001,-1\n0,0,1,1,0,1,0.001,2.5\n***Source***\none\nw1c,0,1\n");
    const ModelImport import = ReadModelFile(file, folder.Path("bad.maa"), folder.Path("bad.qrv"));
    EXPECT_EQ(ImportWarnings(import),
              (std::vector<std::string>{
                  "line 3: fast \xE2\x80\x93 the frequency must be one positive number",
                  "line 7: 0,0,0,1,0,0,0.001 \xE2\x80\x93 a wire must be eight numbers, the last an integer",
                  "line 8: 0,0,0,x,0,0,0.001,-1 \xE2\x80\x93 a wire must be eight numbers, the last an integer",
                  "line 9: 0,0,1,1,0,1,0.001,2.5 \xE2\x80\x93 a wire must be eight numbers, the last an integer",
                  "line 5: 3 \xE2\x80\x93 this number of lines does not follow",
                  "line 11: one \xE2\x80\x93 the line must begin with the number of lines that follow"}));
    // Without a frequency the wire gets segments by its length.
    EXPECT_EQ(Texts(2), "0.00|0.00|0.00|1.00|0.00|0.00|GW 1 NS 10 R 0.001 MMANA S -1");
    EXPECT_EQ(Texts(3), "||||||MMANA source w1c 0 1");
    const std::string german = ImportLeftOutMessage(import, "bad.maa", Language::German);
    EXPECT_EQ(german.substr(0, german.find('\n')),
              "Einige Zeilen von bad.maa konnten nicht gelesen werden und wurden übergangen:");
    EXPECT_NE(german.find("Zeile 7: 0,0,0,1,0,0,0.001 \xE2\x80\x93 ein Draht muss"), std::string::npos);
}

TEST_F(MaaFiles, AnyTableIsWrittenWithMmanasSectionsAndItsDefaults)
{
    Read("0,0,0,0,0,10,mast\r\n"
         "0,0,10,5,0,10,GW 7 NS 9 R 0.002\r\n"
         ",,,,,,FR 0 1 0 0 7.1 0\r\n"
         ",,,,,,EX 0 7 5 0 1 0\r\n"
         "1,2\r\n");
    const MaaFileText written = MakeMaaFile(table, "house.maa");
    EXPECT_EQ(written.WrittenLines, 2);
    EXPECT_EQ(written.LeftOutRows, 2);  // the excitation and the incomplete row
    EXPECT_EQ(written.Text,
              "house\r\n*\r\n7.1\r\n***Wires***\r\n2\r\n"
              "0.0,\t0.0,\t0.0,\t0.0,\t0.0,\t10.0,\t0.001,\t-1\r\n"
              "0.0,\t0.0,\t10.0,\t5.0,\t0.0,\t10.0,\t0.002,\t9\r\n"
              "***Source***\r\n0,\t1\r\n***Load***\r\n0,\t1\r\n"
              "***Segmentation***\r\n800,\t80,\t2.0,\t2\r\n"
              "***G/H/M/R/AzEl/X***\r\n0,\t0.0,\t0,\t50.0,\t120,\t60,\t0.0\r\n");
    table.ClearTable();
    EXPECT_NE(MakeMaaFile(table, "empty").Text.find("empty\r\n*\r\n14.0\r\n"), std::string::npos);
}

// A line of separators alone is blank, not a load of no fields that would
// be written as an empty line; a row that starts with a header's character
// is written so that it reads as a row again, not as a section.
TEST_F(MaaFiles, OddLinesAreWrittenSoThatTheyReadBackAsTheSameRows)
{
    folder.Write("odd.maa", "odd\n*\n14.1\n***Wires***\n1\n0, 0, 0, 0, 0, 1, 0.001, 5\n"
                            "***Source***\n1, 1\nw1c, 0.0, 1.0\n***Load***\n2, 1\n ;, \nw1c, 0, 50, 0\n,*1, 2\n"
                            "***Segmentation***\n800, 80, 2.0, 2\n***G/H/M/R/AzEl/X***\n,*1, 0.0\n");
    const auto errors = file.ImportMaaFile(folder.Path("odd.maa"), folder.Path("odd.qrv"));
    ASSERT_TRUE(errors.empty()) << errors[0].Line;
    const MaaImport read = ReadMaaText(folder.Read("odd.maa"));
    const MaaImport again = ReadMaaText(MakeMaaFile(table, "odd.maa").Text);
    EXPECT_TRUE(again.Errors.empty()) << MakeMaaFile(table, "odd.maa").Text;
    ExpectSameImport(read, again, "written back");
}

TEST_F(MaaFiles, SourcesAndLoadsFollowTheirWireWhenRowsMoveAndSurviveADataFile)
{
    folder.Write("three.maa", "Three\n*\n14.0\n***Wires***\n3\n"
                              "0,0,0,1,0,0,0.001,5\n0,1,0,1,1,0,0.001,5\n0,2,0,1,2,0,0.001,5\n"
                              "***Source***\n1,1\nw3c,0.0,1.0\n***Load***\n1,1\nW2B1,0,0.0,5.0,0.0\n"
                              "###Comment###\nline one, with a comma\n");
    ReadModelFile(file, folder.Path("three.maa"), folder.Path("three.qrv"));
    // Wire 1 goes: the source's wire 3 is the second line now, the load's
    // wire 2 the first. The user's own text stays as typed.
    ASSERT_EQ(Texts(3), "0.00|0.00|0.00|1.00|0.00|0.00|GW 1 NS 5 R 0.001");
    table.DeleteRow(3);
    table.Recount();
    std::string text = MakeMaaFile(table, "three.maa").Text;
    EXPECT_NE(text.find("***Source***\r\n1,\t1\r\nw2c,\t0.0,\t1.0\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("***Load***\r\n1,\t1\r\nW1B1,\t0,\t0.0,\t5.0,\t0.0\r\n"), std::string::npos);

    // Saved as a data file, whose reading turns every blank into its
    // separator, and read again: the rows still say what they said.
    file.WriteDataFile(folder.Path("three.qrv"));
    file.ReadDataFile(folder.Path("three.qrv"));
    EXPECT_EQ(Texts(1), "||||||MMANA,name,Three");
    const std::string again = MakeMaaFile(table, "three.maa").Text;
    EXPECT_EQ(again.substr(0, again.find("###Comment###")), text.substr(0, text.find("###Comment###")));
}

}  // namespace
}  // namespace quorvane::testing
