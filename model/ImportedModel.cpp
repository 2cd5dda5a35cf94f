#include "DataFile.h"

#include "FileAccess.h"
#include "FileErrors.h"
#include "LineTable.h"
#include "NecDeck.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>

namespace quorvane {

namespace {

// The capacity that a read growing from the smallest table in steps of
// `increment` reaches for `rows` rows, within the table's limits.
int CapacityFor(int rows, int increment)
{
    if (rows <= MinCapacity)
        return MinCapacity;
    const long long steps = (static_cast<long long>(rows) - MinCapacity + increment - 1) / increment;
    return static_cast<int>(std::min<long long>(MinCapacity + steps * increment, MaxCapacity));
}

// A line's row: its coordinates, or the text of one beyond the number range,
// and its supplement.
void SetWireRow(LineTable& table, int decimals, int row, const NecWire& wire,
                std::array<std::string, 6>& numbers)
{
    LineRecord& record = table.Record(row);
    const double ends[6] = {wire.X1, wire.Y1, wire.Z1, wire.X2, wire.Y2, wire.Z2};
    std::array<std::string_view, TextColumnCount> texts{};
    record.Complete = true;
    for (int column = 1; column <= 6; ++column) {
        const double value = ends[column - 1];
        std::string& text = numbers[static_cast<std::size_t>(column - 1)];
        if (std::isfinite(value) && value != Undefined) {
            record.Coordinate(column) = value;
            table.FormatNumber(text, decimals, value);
        } else {
            // Scaling or moving can carry a point beyond the number range; it
            // stays visible as text, as an unreadable field of a data file does.
            record.Coordinate(column) = Undefined;
            record.Complete = false;
            char buffer[32];
            text.assign(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
        }
        texts[static_cast<std::size_t>(column - 1)] = text;
    }
    texts[SupplementColumn - 1] = wire.Supplement;
    table.RowCellTexts(row).Assign(texts);
}

}  // namespace

bool DataFile::ReadImportedFile(const std::string& path, std::string& bytes)
{
    FileContents file = ReadWholeFile(path);
    if (file.error == ENOENT || file.error == ENOTDIR) {
        table_.SavedLineCount = table_.LineCount;
        return false;
    }
    if (file.error != 0) {
        if (events_)
            events_->ShowFileError(FileErrorText(file.error) + "\n" + path);
        return false;
    }
    bytes = std::move(file.bytes);
    return true;
}

void DataFile::TakeImportedModel(const std::vector<NecWire>& wires,
                                 const std::vector<NecCardRow>& rows, const std::string& tablePath)
{
    table_.ClearTable();
    const int lines = static_cast<int>(wires.size() + rows.size());
    table_.SetCapacity(CapacityFor(lines, std::max(1, settings_.CapacityIncrement)));
    // A table that could not grow keeps what fits.
    const int taken = std::min(lines, table_.Capacity());
    std::size_t wire = 0;
    std::size_t card = 0;
    std::array<std::string, 6> numbers;
    for (int row = 1; row <= taken; ++row) {
        // Rows without coordinates stand where the file had them among the lines.
        if (card < rows.size() && (rows[card].LinesBefore <= wire || wire == wires.size())) {
            std::array<std::string_view, TextColumnCount> texts{};
            texts[SupplementColumn - 1] = rows[card++].Text;
            table_.RowCellTexts(row).Assign(texts);
            continue;
        }
        SetWireRow(table_, settings_.Decimals, row, wires[wire++], numbers);
    }
    table_.LineHighWater = taken;

    if (events_)
        events_->SetFileCaptions(FileCaption(tablePath));
    table_.Recount();
    if (table_.LineCount == table_.Capacity())
        table_.GrowCapacity(1);
    if (events_)
        events_->ResizeDataTable();
    table_.ComputeAllMidpoints();
    if (events_)
        events_->ModelChanged();
    // Nothing is saved yet: every imported row differs from its empty saved
    // text, so the close question and Save both know there is work to keep.
    table_.SavedLineCount = 0;
}

}  // namespace quorvane
