#include "DataFileFixture.h"
#include "FileAccess.h"
#include "FileErrors.h"
#include "Unprivileged.h"

#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <filesystem>

namespace quorvane::testing {
namespace {

namespace fs = std::filesystem;

using DataFileWrite = DataFileFixture;

TEST_F(DataFileWrite, WritesFourDecimalsAndTheCellTextsOfUndefinedCoordinates)
{
    Read("1,2,3,4,5,6,Door\n"
         "1,abc,3,4,5,6\n"
         "\n"
         "1.23456,-0.25,12.5,0,0,0,front door\n"
         "1,2,3\n");
    EXPECT_EQ(Write(), "1.0000,2.0000,3.0000,4.0000,5.0000,6.0000,Door\r\n"
                       "1.0000,abc,3.0000,4.0000,5.0000,6.0000,\r\n"
                       ",,,,,,\r\n"
                       "1.2346,-0.2500,12.5000,0.0000,0.0000,0.0000,front,door\r\n"
                       "1.0000,2.0000,3.0000,,,,\r\n");
}

TEST_F(DataFileWrite, AWrittenFileReadsBackIntoTheSameTable)
{
    Read("1,2,3,4,5,6,Door\n1,abc,3,4,5,6,x\n\n-1e-3,2,3,4,5,6,y\n");
    Write("copy.qrv");
    const std::vector<std::string> before{Texts(1), Texts(2), Texts(3), Texts(4)};
    file.ReadDataFile(folder.Path("copy.qrv"));
    EXPECT_EQ((std::vector<std::string>{Texts(1), Texts(2), Texts(3), Texts(4)}), before);
    EXPECT_EQ(table.LineCount, 4);
}

TEST_F(DataFileWrite, UsesTheDataSeparatorAndIgnoresTheDisplayedDecimals)
{
    settings.DataSeparator = ';';
    settings.Decimals = 0;
    Read("1.5;2;3;4;5;6;a,b\n");
    EXPECT_EQ(table.CellText(1, 1), "2");  // 1.5 shown with no decimals, ties to even
    EXPECT_EQ(Write(), "1.5000;2.0000;3.0000;4.0000;5.0000;6.0000;a;b\r\n");
}

TEST_F(DataFileWrite, ASuccessfulWriteLeavesTheTableSaved)
{
    Read("1,2,3,4,5,6,a\n");
    table.SetCellText(7, 1, "changed");
    table.SetCellText(7, 3, "new row");  // typed, not yet counted
    EXPECT_TRUE(file.TableChanged());
    events.calls.clear();
    file.DataSaved = false;
    Write("other.qrv");
    EXPECT_TRUE(file.DataSaved);
    EXPECT_EQ(table.LineCount, 3);
    EXPECT_EQ(table.SavedLineCount, 3);
    EXPECT_FALSE(file.TableChanged());
    EXPECT_EQ(events.calls, (std::vector<std::string>{"captions"}));
    EXPECT_EQ(events.captions.back(), " Quorvane - " + folder.Path("other.qrv"));
}

TEST_F(DataFileWrite, KeepsTheOldContentsAsBackupWhenAsked)
{
    Read("1,2,3,4,5,6,first\n");
    table.SetCellText(7, 1, "second");
    Write();
    EXPECT_EQ(folder.Read("model.bak"), "1,2,3,4,5,6,first\n");
    table.SetCellText(7, 1, "third");
    Write();
    EXPECT_EQ(folder.Read("model.bak"), "1.0000,2.0000,3.0000,4.0000,5.0000,6.0000,second\r\n");
    EXPECT_EQ(folder.Read("model.qrv"), "1.0000,2.0000,3.0000,4.0000,5.0000,6.0000,third\r\n");

    settings.CreateBakFiles = false;
    table.SetCellText(7, 1, "fourth");
    Write("fresh.qrv");
    Write("fresh.qrv");
    EXPECT_FALSE(folder.Exists("fresh.bak"));
    // Nothing but the files themselves is left in the folder.
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.Root()))
        ++entries;
    EXPECT_EQ(entries, 3);
}

TEST_F(DataFileWrite, AFileNamedLikeItsBackupKeepsItsContents)
{
    Read("1,2,3,4,5,6,a\n", "model.bak");
    Write("model.bak");
    EXPECT_EQ(folder.Read("model.bak"), "1.0000,2.0000,3.0000,4.0000,5.0000,6.0000,a\r\n");
}

TEST(BackupFileName, ReplacesTheExtensionOfTheFileName)
{
    EXPECT_EQ(BackupFileName("/home/u/model.qrv"), "/home/u/model.bak");
    EXPECT_EQ(BackupFileName("/home/u/model.v2.qrv"), "/home/u/model.v2.bak");
    EXPECT_EQ(BackupFileName("/home/u/model"), "/home/u/model.bak");
    EXPECT_EQ(BackupFileName("/home/u.v1/model"), "/home/u.v1/model.bak");
    EXPECT_EQ(BackupFileName("model.qrv"), "model.bak");
}

TEST_F(DataFileWrite, AFailedWriteLeavesFileBackupAndSavedStateAsTheyWere)
{
    Read("1,2,3,4,5,6,old\n");
    folder.Write("model.bak", "older\n");
    table.SetCellText(7, 1, std::string(5000, 'x'));
    events.calls.clear();
    file.DataSaved = false;

    // Files may not grow beyond 100 bytes: the write fails half-way.
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 100;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    file.WriteDataFile(folder.Path("model.qrv"));
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(folder.Read("model.qrv"), "1,2,3,4,5,6,old\n");
    EXPECT_EQ(folder.Read("model.bak"), "older\n");
    EXPECT_FALSE(file.DataSaved);
    EXPECT_TRUE(file.TableChanged());
    EXPECT_EQ(events.calls, (std::vector<std::string>{"error"}));
    EXPECT_EQ(events.errors.back(), "Zu wenig Speicherplatz\n" + folder.Path("model.qrv"));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.Root()))
        ++entries;
    EXPECT_EQ(entries, 2);  // no temporary file left behind
}

TEST_F(DataFileWrite, AFolderOfThatNameIsNotOverwritten)
{
    Read("1,2,3,4,5,6\n");
    fs::create_directory(folder.Path("taken.qrv"));
    file.DataSaved = false;
    file.WriteDataFile(folder.Path("taken.qrv"));
    EXPECT_FALSE(file.DataSaved);
    EXPECT_TRUE(fs::is_directory(folder.Path("taken.qrv")));
    EXPECT_EQ(events.errors.back(), "Dateizugriff verweigert\n" + folder.Path("taken.qrv"));
}

TEST_F(DataFileWrite, AMissingFolderIsReported)
{
    Read("1,2,3,4,5,6\n");
    file.WriteDataFile(folder.Path("no/such/folder.qrv"));
    EXPECT_FALSE(file.DataSaved);
    EXPECT_EQ(events.errors.back(), "Datei nicht gefunden\n" + folder.Path("no/such/folder.qrv"));
}

TEST_F(DataFileWrite, RespectsAReadOnlyFileAndAReadOnlyFolder)
{
    Read("1,2,3,4,5,6,old\n");
    fs::permissions(folder.Root(), fs::perms::all);
    fs::permissions(folder.Path("model.qrv"), fs::perms::owner_read | fs::perms::group_read |
                                                  fs::perms::others_read);
    const bool fileRefused = RunWithoutFileRights([&] {
        file.DataSaved = false;
        file.WriteDataFile(folder.Path("model.qrv"));
        return !file.DataSaved && !events.errors.empty() &&
               events.errors.back().starts_with("Dateizugriff verweigert") &&
               folder.Read("model.qrv") == "1,2,3,4,5,6,old\n";
    });
    EXPECT_TRUE(fileRefused);

    fs::create_directory(folder.Path("locked"));
    fs::permissions(folder.Path("locked"), fs::perms::owner_read | fs::perms::owner_exec |
                                               fs::perms::others_read | fs::perms::others_exec);
    const bool folderRefused = RunWithoutFileRights([&] {
        file.DataSaved = false;
        events.errors.clear();
        file.WriteDataFile(folder.Path("locked/model.qrv"));
        return !file.DataSaved && events.errors.size() == 1 &&
               events.errors[0].starts_with("Dateizugriff verweigert");
    });
    EXPECT_TRUE(folderRefused);
}

TEST_F(DataFileWrite, KeepsTheFilesPermissionsAndFollowsALink)
{
    Read("1,2,3,4,5,6,a\n", "real.qrv");
    fs::permissions(folder.Path("real.qrv"), fs::perms::owner_read | fs::perms::owner_write |
                                                 fs::perms::group_read);
    fs::create_symlink(folder.Path("real.qrv"), folder.Path("link.qrv"));
    table.SetCellText(7, 1, "b");
    Write("link.qrv");
    EXPECT_TRUE(fs::is_symlink(folder.Path("link.qrv")));
    EXPECT_EQ(folder.Read("real.qrv"), "1.0000,2.0000,3.0000,4.0000,5.0000,6.0000,b\r\n");
    EXPECT_EQ(fs::status(folder.Path("real.qrv")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(folder.Read("real.bak"), "1,2,3,4,5,6,a\n");
}

TEST_F(DataFileWrite, QuerySaveChangesAsksOnlyWhenSomethingChanged)
{
    Read("1,2,3,4,5,6,a\n");
    EXPECT_EQ(file.QuerySaveChanges(), SaveAnswer::No);
    EXPECT_TRUE(events.questions.empty());

    table.SetCellText(7, 1, "a ");  // a trailing blank is a change
    events.answer = SaveAnswer::Cancel;
    EXPECT_EQ(file.QuerySaveChanges(), SaveAnswer::Cancel);
    EXPECT_EQ(events.questions.back(), "Quorvane|Save changes?");

    language = Language::German;
    events.answer = SaveAnswer::No;
    EXPECT_EQ(file.QuerySaveChanges(), SaveAnswer::No);
    EXPECT_EQ(events.questions.back(), "Quorvane|Änderungen speichern?");
}

TEST_F(DataFileWrite, QuerySaveChangesSeesASupplementTypedBelowTheUsedRows)
{
    Read("1,2,3,4,5,6,a\n");
    table.SetCellText(7, 2, "typed, not yet counted");
    EXPECT_EQ(table.LineCount, 1);
    EXPECT_TRUE(file.TableChanged());
}

TEST_F(DataFileWrite, AStaleSavedTextDoesNotHideANewOne)
{
    Read("1,2,3,4,5,6,a\n1,2,3,4,5,6,b\n");
    // Row 2 is emptied and the table saved; then "b" is typed there again.
    table.RowCellTexts(2).Clear();
    table.Record(2) = EmptyLineRecord;
    Write();
    table.SetCellText(7, 2, "b");
    EXPECT_TRUE(file.TableChanged());
}

TEST_F(DataFileWrite, WithoutAWindowChangedDataAreNeverDropped)
{
    Read("1,2,3,4,5,6,a\n");
    file.SetEvents(nullptr);
    table.SetCellText(7, 1, "b");
    EXPECT_EQ(file.QuerySaveChanges(), SaveAnswer::Cancel);
}

TEST(FileErrorText, GivesTheRuntimeTexts)
{
    EXPECT_EQ(FileErrorText(ENOENT), "Datei nicht gefunden");
    EXPECT_EQ(FileErrorText(ENAMETOOLONG), "Ungültiger Dateiname");
    EXPECT_EQ(FileErrorText(EMFILE), "Zu viele geöffnete Dateien");
    EXPECT_EQ(FileErrorText(EACCES), "Dateizugriff verweigert");
    EXPECT_EQ(FileErrorText(ENOSPC), "Zu wenig Speicherplatz");
    EXPECT_EQ(FileErrorText(EIO), "E/A-Fehler " + std::to_string(EIO));
}

}  // namespace
}  // namespace quorvane::testing
