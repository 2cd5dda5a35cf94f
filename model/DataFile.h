#pragma once

#include "Language.h"

#include <array>
#include <bitset>
#include <string>
#include <vector>

namespace quorvane {

class LineTable;
struct MaaLineError;
struct NecCardError;
struct NecCardRow;
struct NecWire;

// The settings values the data file reads, named after their settings keys.
struct DataFileSettings {
    char DataSeparator = ',';
    bool CreateBakFiles = true;
    int CapacityIncrement = 10;
    int Decimals = 2;  // fractional digits the data table shows; the file always has four
    // Characters the reader turns into the data separator. Empty until the
    // settings dialog exists, so the first read at start-up splits at the
    // separator alone.
    std::bitset<256> SeparatorSet;
};

// TAB, blank, comma and semicolon: the set of the settings dialog.
std::bitset<256> StandardSeparatorSet();

enum class SaveAnswer { Yes, No, Cancel };

// What reading and writing ask of the windows; the main window and the data
// table window implement it.
class DataFileEvents {
public:
    virtual ~DataFileEvents() = default;
    // Caption of the main window and of the data table window.
    virtual void SetFileCaptions(const std::string& caption) = 0;
    // The data table window's resize handling.
    virtual void ResizeDataTable() = 0;
    // The model's coordinates changed: extents and drawing follow.
    virtual void ModelChanged() = 0;
    // A failed file operation; `message` is the runtime's text and the file.
    virtual void ShowFileError(const std::string& message) = 0;
    // A modal Yes/No/Cancel question with a question icon.
    virtual SaveAnswer AskSaveChanges(const std::string& caption, const std::string& question) = 0;
};

// Reads data files into the line table and writes the table back.
class DataFile {
public:
    DataFile(LineTable& table, const DataFileSettings& settings, const Language& language,
             std::string exeBaseName);

    void SetEvents(DataFileEvents* events) { events_ = events; }

    void ReadDataFile(const std::string& path);
    // Reads an antenna deck into the table as the data file `tablePath`
    // would be read, but the table counts as changed: nothing of it is in
    // `tablePath` yet, and the deck is never written. Returns the cards that
    // were not used; a missing or unreadable deck leaves the table as it was.
    std::vector<NecCardError> ImportNecFile(const std::string& deckPath,
                                            const std::string& tablePath);
    // Reads an MMANA file as ImportNecFile reads a deck; returns the lines
    // that were not used.
    std::vector<MaaLineError> ImportMaaFile(const std::string& maaPath,
                                            const std::string& tablePath);
    void WriteDataFile(const std::string& path);
    SaveAnswer QuerySaveChanges();
    // True when the table differs from what was last read or written.
    bool TableChanged() const;

    // Whether the last save succeeded; callers clear it before a save.
    bool DataSaved = false;

private:
    void ParseLines(const std::string& bytes);
    void TakeLine(std::string& line, int row);
    std::string FileCaption(const std::string& path) const;
    // The bytes of a file to import; false when it is missing or cannot be
    // read (which is reported), and the table stays as it was.
    bool ReadImportedFile(const std::string& path, std::string& bytes);
    // The table becomes the imported lines, with the rows without
    // coordinates among them, counted as changed under `tablePath`.
    void TakeImportedModel(const std::vector<NecWire>& wires, const std::vector<NecCardRow>& rows,
                           const std::string& tablePath);

    LineTable& table_;
    const DataFileSettings& settings_;
    const Language& language_;
    std::string exeBaseName_;
    DataFileEvents* events_ = nullptr;
    std::array<std::string, 6> numberTexts_;  // reused from line to line
};

}  // namespace quorvane
