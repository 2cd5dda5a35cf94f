// Any bytes read as an antenna deck, and imported into the line table as the
// program opens a deck: the deck stays within its limit of lines, every
// reported card lies within the deck, every line's supplement is the one its
// fields make, and the table holds exactly the lines, each complete where all
// six of its coordinates are numbers.
//
// The table written back as a deck reads again into the same lines: every
// card fits 80 columns where seven digits allow it, every complete row is a
// line with its coordinates as exact as seven digits of its largest (of the
// model's largest for patches, computed again from their cards; a kept
// expression within a data file's rounding), or left out for having no
// length; a row whose supplement carries wire data keeps it, with the
// thin-wire radius for a radius of 0; tapers stay tapers and patches stay
// patches. SY cards go back as the deck had them, whatever was wrong.
//
// One GM, GR or GA card with a huge count makes as many lines as the limit
// allows, and 100000 lines take the better part of a second under the
// sanitizers. So decks are read here with a lower limit, which the reader
// handles as it does the table's: a deck that stays within it makes the same
// lines under the table's limit, and only such a deck is imported into the
// table as well.

#include "DataFile.h"
#include "FuzzInput.h"
#include "LineTable.h"
#include "NecDeck.h"
#include "NecDeckWriter.h"
#include "NecKeptCards.h"
#include "ScratchFolder.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvane::fuzzing {
namespace {

constexpr std::size_t MaxWires = 2000;

const ScratchFolder& Folder()
{
    static const ScratchFolder folder;
    return folder;
}

// Lines as the importer counts them: every LF ends one, and text after the
// last LF is one more.
int LineCountOf(std::string_view text)
{
    const auto feeds = std::count(text.begin(), text.end(), '\n');
    return static_cast<int>(feeds) + (text.empty() || text.back() == '\n' ? 0 : 1);
}

bool IsCoordinate(double value)
{
    return std::isfinite(value) && value != Undefined;
}

void CheckDeck(std::string_view text, const NecImport& deck)
{
    Require(deck.Wires.size() <= MaxWires, "a deck makes no more lines than its limit");
    const int lines = LineCountOf(text);
    for (const NecCardError& error : deck.Errors) {
        if (error.LineNumber < 1 || error.LineNumber > lines)
            Fail("every reported card lies within the deck's lines",
                 "line " + std::to_string(error.LineNumber) + " of " + std::to_string(lines));
        Require(error.Card.size() <= 120, "a reported card's text is cut to 120 characters");
    }
    for (const NecWire& wire : deck.Wires) {
        Require(wire.Segments >= 1, "every line has at least one segment");
        Require(wire.Radius >= 0, "no radius is negative");
        if (wire.Supplement != NecSupplement(wire))
            Fail("every supplement is the one of its wire data or patch", wire.Supplement);
    }
}

void CheckTable(const NecImport& deck, const LineTable& table)
{
    // Every line and every kept card has a supplement, so each is a row in
    // use; the cards stand among the lines where the deck had them.
    Require(table.LineCount <= MaxCapacity, "the table holds at most 100000 rows");
    Require(table.LineCount == static_cast<int>(deck.Wires.size() + deck.Cards.size()),
            "the table holds one row for each line and each kept card of the deck");
    std::size_t card = 0, line = 0;
    for (int row = 1; row <= table.LineCount; ++row) {
        const LineRecord& record = table.Record(row);
        if (card < deck.Cards.size() && deck.Cards[card].LinesBefore <= line) {
            Require(!record.Complete && table.CellText(SupplementColumn, row) == deck.Cards[card].Text,
                    "a kept card is a row without a line whose supplement is the card");
            ++card;
            continue;
        }
        const NecWire& wire = deck.Wires[line++];
        const bool allNumbers = IsCoordinate(wire.X1) && IsCoordinate(wire.Y1) &&
                                IsCoordinate(wire.Z1) && IsCoordinate(wire.X2) &&
                                IsCoordinate(wire.Y2) && IsCoordinate(wire.Z2);
        Require(record.Complete == allNumbers,
                "a row is complete exactly when its six coordinates are numbers");
        Require(table.CellText(SupplementColumn, row) == wire.Supplement,
                "a row's supplement is its line's");
        if (!record.Complete)
            continue;
        for (int column = 1; column <= 6; ++column)
            Require(IsCoordinate(record.Coordinate(column)),
                    "a complete row's coordinates are finite and defined");
    }
}

// Within half a unit of the seventh digit of the larger of `value` and
// `scale`, with two digits to spare for a card that had to give them.
bool Near(double read, double value, double scale)
{
    return std::abs(read - value) <= 5e-5 * std::max(std::abs(value), scale);
}

void CheckWrittenDeck(const LineTable& table)
{
    const NecDeckText written = MakeNecDeck(table, "deck.nec");
    const NecImport again = ImportNecDeck(written.Text, MaxWires);
    for (const NecCardError& error : again.Errors)
        if (error.Card.substr(0, 2) != "SY")
            Fail("a written deck reads without errors but its own SY cards'", written.Text);
    Require(written.WrittenLines + written.ZeroLengthLines == table.CompleteLineCount,
            "every complete row is written or counted as having no length");
    Require(static_cast<int>(again.Wires.size()) == written.WrittenLines,
            "every written card reads as one line");
    double size = 0;
    for (int row = 1; row <= table.LineCount; ++row)
        if (table.Record(row).Complete)
            for (int column = 1; column <= 6; ++column)
                size = std::max(size, std::abs(table.Record(row).Coordinate(column)));
    std::size_t next = 0;
    for (int row = 1; row <= table.LineCount; ++row) {
        const LineRecord& record = table.Record(row);
        if (!record.Complete)
            continue;
        const std::string_view supplement = table.CellText(SupplementColumn, row);
        const std::optional<NecPatchLine> patch = ReadNecPatchSupplement(supplement);
        const bool expressions = supplement.find(" = GW ") != std::string_view::npos;
        double scale = patch ? size : 0;
        for (int column = 1; column <= 6; ++column)
            scale = std::max(scale, std::abs(record.Coordinate(column)));
        const auto Near = [expressions](double read, double value, double scale) {
            return quorvane::fuzzing::Near(read, value, scale) ||
                   (expressions && std::abs(read - value) <= 0.5e-4);
        };
        bool point = true;
        for (int column = 1; column <= 3; ++column)
            point = point && Near(record.Coordinate(column + 3), record.Coordinate(column), scale);
        const auto matches = [&](const NecWire& wire) {
            const double ends[6] = {wire.X1, wire.Y1, wire.Z1, wire.X2, wire.Y2, wire.Z2};
            for (int column = 1; column <= 6; ++column)
                if (!Near(ends[column - 1], record.Coordinate(column), scale))
                    return false;
            return true;
        };
        if (next < again.Wires.size() && matches(again.Wires[next])) {
            const NecWire& wire = again.Wires[next++];
            const auto keys = ReadNecSupplement(supplement);
            if (patch && wire.Patch.Kind != NecPatchKind::None)
                Require(wire.Patch.Kind == patch->Kind && wire.Patch.Lines == patch->Lines,
                        "a patch's outline reads back as the same patch");
            if (keys && keys->Taper)
                Require(wire.Taper.has_value(), "a tapered wire stays tapered");
            if (keys) {
                const double radius = keys->Taper ? 0 : keys->Radius > 0 ? keys->Radius : NecDefaultRadius;
                Require(wire.Tag == keys->Tag && wire.Segments == keys->Segments &&
                            Near(wire.Radius, radius, 0),
                        "a line keeps the wire data of its supplement");
            }
            continue;
        }
        Require(point, "a written coordinate reads back as exact as seven digits allow");
    }
    Require(next == again.Wires.size(), "no wire is read that the table does not hold");
}

}  // namespace
}  // namespace quorvane::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace quorvane;
    using namespace quorvane::fuzzing;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const NecImport deck = ImportNecDeck(text, MaxWires);
    CheckDeck(text, deck);
    const bool full = std::any_of(deck.Errors.begin(), deck.Errors.end(), [](const auto& e) {
        return e.Problem == NecProblem::TooManyLines;
    });
    if (full)
        return 0;

    Folder().Write("deck.nec", text);
    const DataFileSettings settings;
    const Language language = Language::English;
    LineTable table;
    DataFile file(table, settings, language, "Quorvane");
    const auto errors = file.ImportNecFile(Folder().Path("deck.nec"), Folder().Path("deck.qrv"));
    Require(errors.size() == deck.Errors.size(), "the import reports the deck's unused cards");
    CheckTable(deck, table);
    CheckWrittenDeck(table);
    return 0;
}
