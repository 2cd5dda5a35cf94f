// Any bytes read as an MMANA file, and imported into the line table as the
// program opens one: the file stays within its limit of wires, every
// reported line lies within the file, every wire's supplement carries its
// wire data, and the table holds the wires and the rows without
// coordinates, each in its place.
//
// The table written back as an MMANA file reads again without a warning
// into the same lines, with the same supplements where the file had a
// frequency (without one, the written default changes the segments MMANA
// leaves to itself), and into the same MMANA data; and what is written once
// is written again as it is.

#include "DataFile.h"
#include "FuzzInput.h"
#include "LineTable.h"
#include "MaaFile.h"
#include "MaaFileWriter.h"
#include "NecDeckWriter.h"
#include "ScratchFolder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvane::fuzzing {
namespace {

constexpr std::size_t MaxRows = 2000;

const ScratchFolder& Folder()
{
    static const ScratchFolder folder;
    return folder;
}

int LineCountOf(std::string_view text)
{
    const auto feeds = std::count(text.begin(), text.end(), '\n');
    return static_cast<int>(feeds) + (text.empty() || text.back() == '\n' ? 0 : 1);
}

void CheckFile(std::string_view text, const MaaImport& file)
{
    Require(file.Wires.size() + file.Rows.size() <= MaxRows,
            "a file makes no more rows than its limit");
    const int lines = LineCountOf(text);
    for (const MaaLineError& error : file.Errors) {
        if (error.LineNumber < 1 || error.LineNumber > lines)
            Fail("every reported line lies within the file",
                 "line " + std::to_string(error.LineNumber) + " of " + std::to_string(lines));
        Require(error.Line.size() <= 120, "a reported line's text is cut to 120 characters");
    }
    for (const NecWire& wire : file.Wires)
        if (!ReadNecSupplement(wire.Supplement))
            Fail("every wire's supplement carries its wire data", wire.Supplement);
    for (std::size_t i = 1; i < file.Rows.size(); ++i)
        Require(file.Rows[i - 1].LinesBefore <= file.Rows[i].LinesBefore &&
                    file.Rows[i].LinesBefore <= file.Wires.size(),
                "rows stand among the wires in file order");
}

std::string FrequencyRow(const MaaImport& file)
{
    for (const NecCardRow& row : file.Rows)
        if (row.Text.rfind("FR ", 0) == 0)
            return row.Text;
    return {};
}

// The MMANA rows of one kind, in order.
std::vector<std::string> RowsOfKind(const MaaImport& file, MaaRowKind kind)
{
    std::vector<std::string> rows;
    MaaRow row;
    for (const NecCardRow& card : file.Rows)
        if (ReadMaaRow(card.Text, row) && row.Kind == kind)
            rows.push_back(row.Text);
    return rows;
}

void CheckWrittenFile(const MaaImport& file, const LineTable& table)
{
    const MaaFileText written = MakeMaaFile(table, "");
    const MaaImport again = ReadMaaText(written.Text, MaxRows);
    if (!again.Errors.empty())
        Fail("a written file reads without warnings", written.Text);
    Require(written.WrittenLines == table.CompleteLineCount, "every complete row is written");
    Require(static_cast<int>(again.Wires.size()) == written.WrittenLines,
            "every written wire reads as one line");
    const bool sameSegments = !FrequencyRow(file).empty();
    std::size_t next = 0;
    for (int row = 1; row <= table.LineCount; ++row) {
        const LineRecord& record = table.Record(row);
        if (!record.Complete)
            continue;
        const NecWire& wire = again.Wires[next++];
        const double ends[6] = {wire.X1, wire.Y1, wire.Z1, wire.X2, wire.Y2, wire.Z2};
        for (int column = 1; column <= 6; ++column)
            Require(ends[column - 1] == record.Coordinate(column),
                    "a written coordinate reads back exactly");
        if (sameSegments && wire.Supplement != table.CellText(SupplementColumn, row))
            Fail("a wire keeps its supplement", wire.Supplement);
    }
    for (MaaRowKind kind :
         {MaaRowKind::Source, MaaRowKind::Load, MaaRowKind::Segmentation, MaaRowKind::Ground,
          MaaRowKind::CombinedWire, MaaRowKind::Comment, MaaRowKind::Line, MaaRowKind::Name}) {
        const std::vector<std::string> kept = RowsOfKind(file, kind);
        const std::vector<std::string> read = RowsOfKind(again, kind);
        // MMANA needs a segmentation and a ground: where the file had none,
        // the writer gives MMANA's defaults, which read back as one row.
        const bool defaulted =
            kept.empty() && (kind == MaaRowKind::Segmentation || kind == MaaRowKind::Ground);
        if (defaulted ? read.size() != 1 : read != kept)
            Fail("the MMANA rows of each kind are kept in order", MaaRowKindWord(kind));
    }
    if (sameSegments && FrequencyRow(again) != FrequencyRow(file))
        Fail("the frequency is kept", FrequencyRow(again));

    Folder().Write("again.maa", written.Text);
    LineTable tableAgain;
    const DataFileSettings settings;
    const Language language = Language::English;
    DataFile fileAgain(tableAgain, settings, language, "Quorvane");
    fileAgain.ImportMaaFile(Folder().Path("again.maa"), Folder().Path("again.qrv"));
    if (MakeMaaFile(tableAgain, "").Text != written.Text)
        Fail("what is written once is written again as it is", written.Text);
}

}  // namespace
}  // namespace quorvane::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace quorvane;
    using namespace quorvane::fuzzing;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const MaaImport file = ReadMaaText(text, MaxRows);
    CheckFile(text, file);
    // The import fills the table's own 100000 rows; the reader's lower
    // limit keeps a run short.
    if (std::any_of(file.Errors.begin(), file.Errors.end(), [](const MaaLineError& error) {
            return error.Problem == MaaProblem::TooManyWires;
        }))
        return 0;

    Folder().Write("model.maa", text);
    const DataFileSettings settings;
    const Language language = Language::English;
    LineTable table;
    DataFile dataFile(table, settings, language, "Quorvane");
    const auto errors = dataFile.ImportMaaFile(Folder().Path("model.maa"), Folder().Path("model.qrv"));
    Require(errors.size() == file.Errors.size(), "the import reports the file's unread lines");
    Require(table.LineCount == static_cast<int>(file.Wires.size() + file.Rows.size()),
            "the table holds one row for each wire and each row of the file");
    CheckWrittenFile(file, table);
    return 0;
}
