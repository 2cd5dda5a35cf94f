#include "DataFile.h"

#include "FileAccess.h"
#include "FileErrors.h"
#include "LineTable.h"
#include "NecCardRows.h"
#include "NumberText.h"

#include <algorithm>
#include <array>
#include <cerrno>

namespace quorvane {

namespace {

constexpr char CtrlZ = 26;

bool IsBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) < 33;
}

// The line without its CRs and without control characters and blanks at
// either end.
void CleanLine(std::string_view raw, std::string& line)
{
    line.clear();
    if (raw.find('\r') == std::string_view::npos) {
        line.assign(raw);
    } else {
        for (char c : raw)
            if (c != '\r')
                line.push_back(c);
    }
    const auto first = std::find_if_not(line.begin(), line.end(), IsBlankOrControl);
    const auto last = std::find_if_not(line.rbegin(), line.rend(), IsBlankOrControl).base();
    if (first >= last) {
        line.clear();
        return;
    }
    line.erase(last, line.end());
    line.erase(line.begin(), first);
}

}  // namespace

std::bitset<256> StandardSeparatorSet()
{
    std::bitset<256> set;
    for (unsigned char c : {'\t', ' ', ',', ';'})
        set.set(c);
    return set;
}

DataFile::DataFile(LineTable& table, const DataFileSettings& settings, const Language& language,
                   std::string exeBaseName)
    : table_(table), settings_(settings), language_(language), exeBaseName_(std::move(exeBaseName))
{
}

std::string DataFile::FileCaption(const std::string& path) const
{
    return " " + exeBaseName_ + " - " + path;
}

void DataFile::ReadDataFile(const std::string& path)
{
    const FileContents file = ReadWholeFile(path);
    if (file.error == ENOENT || file.error == ENOTDIR) {
        table_.SavedLineCount = table_.LineCount;
        return;
    }
    // The whole file is in memory before the table is touched, so a file that
    // cannot be read leaves the table as it was.
    if (file.error != 0) {
        if (events_)
            events_->ShowFileError(FileErrorText(file.error) + "\n" + path);
        return;
    }
    table_.ClearTable();
    ParseLines(file.bytes);
    if (table_.LineHighWater > 0 && events_)
        events_->SetFileCaptions(FileCaption(path));
    table_.Recount();
    if (table_.LineCount == table_.Capacity())
        table_.GrowCapacity(1);
    if (events_)
        events_->ResizeDataTable();
    table_.ComputeAllMidpoints();
    if (events_)
        events_->ModelChanged();
    table_.SavedLineCount = table_.LineCount;
}

void DataFile::ParseLines(const std::string& bytes)
{
    std::string_view content(bytes);
    content = content.substr(0, content.find(CtrlZ));
    const int increment = std::max(1, settings_.CapacityIncrement);
    const auto lineFeeds = std::count(content.begin(), content.end(), '\n');
    table_.ReserveRows(static_cast<int>(std::min<std::ptrdiff_t>(lineFeeds, MaxCapacity)) + 1 +
                       increment);
    const bool replaceSeparators = settings_.SeparatorSet.any();
    std::array<char, 256> translation;
    for (int c = 0; c < 256; ++c)
        translation[c] = settings_.SeparatorSet[c] ? settings_.DataSeparator : static_cast<char>(c);
    std::string line;
    std::size_t position = 0;
    while (position < content.size()) {
        const std::size_t lineFeed = content.find('\n', position);
        const std::size_t end = lineFeed == std::string_view::npos ? content.size() : lineFeed;
        CleanLine(content.substr(position, end - position), line);
        position = end + 1;

        if (replaceSeparators)
            for (char& c : line)
                c = translation[static_cast<unsigned char>(c)];

        const int row = table_.LineHighWater + 1;
        if (row > table_.Capacity()) {
            if (table_.Capacity() + increment > MaxCapacity)
                break;
            table_.GrowCapacity(increment);
            if (row > table_.Capacity())
                break;  // the table could not grow
        }
        table_.LineHighWater = row;
        TakeLine(line, row);
    }
}

void DataFile::TakeLine(std::string& line, int row)
{
    LineRecord& record = table_.Record(row);
    record.Complete = true;
    std::array<std::string_view, TextColumnCount> texts{};
    const std::size_t length = line.size();
    std::size_t position = 0;
    for (int column = 1; column <= 6; ++column) {
        double& coordinate = record.Coordinate(column);
        if (position >= length) {
            coordinate = Undefined;
            record.Complete = false;
            continue;
        }
        const std::size_t separator = line.find(settings_.DataSeparator, position);
        const std::size_t end = separator == std::string::npos ? length : separator;
        const std::string_view field(line.data() + position, end - position);
        position = separator == std::string::npos ? length : separator + 1;

        double value = 0;
        if (ParseNumber(field, value) && value != Undefined) {
            coordinate = value;
            table_.FormatNumber(numberTexts_[column - 1], settings_.Decimals, value);
            texts[column - 1] = numberTexts_[column - 1];
        } else {
            coordinate = Undefined;
            record.Complete = false;
            texts[column - 1] = field;
        }
    }
    if (position < length)
        texts[SupplementColumn - 1] = std::string_view(line).substr(position);
    table_.RowCellTexts(row).Assign(texts);
    table_.SavedRowTexts(row) = table_.RowCellTexts(row);
}

void DataFile::WriteDataFile(const std::string& path)
{
    table_.Recount();
    const char separator = settings_.DataSeparator;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(table_.LineCount) * 72);
    for (int row = 1; row <= table_.LineCount; ++row) {
        const LineRecord& record = table_.Record(row);
        for (int column = 1; column <= 6; ++column) {
            const double coordinate = record.Coordinate(column);
            if (coordinate != Undefined)
                AppendFixedText(bytes, coordinate, 4);
            else
                bytes += table_.CellText(column, row);
            bytes += separator;
        }
        if (const std::optional<std::string> card = NecCardRowFileText(table_, row))
            bytes += *card;
        else
            bytes += table_.CellText(SupplementColumn, row);
        bytes += "\r\n";
    }

    if (const int error = ReplaceFileContents(path, bytes, settings_.CreateBakFiles)) {
        if (events_)
            events_->ShowFileError(FileErrorText(error) + "\n" + path);
        return;
    }

    for (int row = 1; row <= table_.LineCount; ++row)
        table_.SavedRowTexts(row) = table_.RowCellTexts(row);
    // Rows above the last used one are empty now; their saved texts must be
    // too, or a text typed there later could match a stale one.
    for (int row = table_.LineCount + 1; row <= table_.Capacity(); ++row)
        table_.SavedRowTexts(row).Clear();
    if (events_)
        events_->SetFileCaptions(FileCaption(path));
    table_.SavedLineCount = table_.LineCount;
    DataSaved = true;
}

bool DataFile::TableChanged() const
{
    if (table_.SavedLineCount != table_.LineCount)
        return true;
    // Up to the last non-empty row, not just LineCount: a supplement typed
    // below the used rows is not counted until the next recount.
    const int lastRow = std::max(table_.LineCount, table_.LastNonEmptyRow());
    for (int row = 1; row <= lastRow; ++row)
        if (table_.RowCellTexts(row) != table_.SavedRowTexts(row))
            return true;
    return false;
}

SaveAnswer DataFile::QuerySaveChanges()
{
    if (!TableChanged())
        return SaveAnswer::No;
    // Without a window to ask, nothing may be dropped silently.
    if (!events_)
        return SaveAnswer::Cancel;
    return events_->AskSaveChanges(exeBaseName_, std::string(SaveChangesQuestion(language_)));
}

}  // namespace quorvane
