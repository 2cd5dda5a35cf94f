#pragma once

#include "NecDeck.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// An MMANA file (*.maa) in the table. Its wires become lines whose
// supplement is that of a deck's wire ("GW 3 NS 11 R 0.0008"), tagged with
// the wire's number, so that checks and the deck writer see one form; a
// wire that MMANA segments by itself (segments 0 to -3) gets segments of at
// most the segmentation's coarsest length instead, and "MMANA S -1" after
// the keys keeps its own value; a negative radius, which names a combined
// wire, gets that wire's first radius and "MMANA R -0.001". The frequency
// becomes the row "FR 0 1 0 0 14.05 0", which the checks read. Everything
// else stays in rows without coordinates whose supplement is "MMANA", a kind
// and the line's fields, so that the file is written back with it:
//   MMANA name <title>          MMANA segmentation <fields>
//   MMANA wires <fields>        MMANA ground <fields>
//   MMANA sources <fields>      MMANA combined <fields>
//   MMANA source <fields>       MMANA combined-wire <fields>
//   MMANA loads <fields>        MMANA comment <text>
//   MMANA load <fields>         MMANA line <text>
// where "wires", "sources", "loads" and "combined" hold what a section's
// count line has after the count (the count itself follows the rows), and
// "line" is a line of a section the reader does not know, kept as it was.
enum class MaaRowKind {
    Name,
    Wires,
    Sources,
    Source,
    Loads,
    Load,
    Segmentation,
    Ground,
    Combined,
    CombinedWire,
    Comment,
    Line,
};

std::string_view MaaRowKindWord(MaaRowKind kind);

// The segmentation a file without one gets, and is read as having: pieces
// from an 800th to an 80th of the wavelength, growing by 2.0, 2 at the ends.
inline constexpr std::string_view MaaDefaultSegmentation = "800 80 2.0 2";

// Why a line of an MMANA file was not used.
enum class MaaProblem {
    BadFrequency,   // not one positive number
    BadCount,       // a section's count line does not begin with a count
    CountMismatch,  // the count line promises another number of lines
    BadWire,        // not eight numbers, or a segment count that is no integer
    TooManyWires,   // the table is full: the file from here on is left out
};

// LineNumber counts from 1; Line is the line's text (cut to 120 bytes).
struct MaaLineError {
    int LineNumber = 0;
    std::string Line;
    MaaProblem Problem = MaaProblem::BadWire;
};

struct MaaImport {
    std::vector<NecWire> Wires;
    std::vector<NecCardRow> Rows;  // the FR row and the MMANA rows, in file order
    std::vector<MaaLineError> Errors;
};

// Reads the text of an MMANA file. Sections are told by their place and by
// the first character of their header ('*', '$' for combined wires, '#' for
// the comment), not by its words, which the program writes in the user's
// language. Lines may end in CR LF, blank lines are skipped, fields are
// separated by commas and/or white space, and a line whose fields are
// separated by white space alone may have decimal commas. The wires and
// rows stay within `maxRows`, the rows of the table.
MaaImport ReadMaaText(std::string_view text, std::size_t maxRows = NecMaxWires);

// A row's MMANA data: every coordinate cell empty and a supplement that
// begins with "MMANA" and a kind. A data file read with the separator set
// has turned its blanks into the data separator; they are blanks again here.
struct MaaRow {
    MaaRowKind Kind = MaaRowKind::Line;
    std::string Text;  // after the kind word and one blank
};
bool ReadMaaRow(std::string_view supplement, MaaRow& row);

// The fields of a line or of a row's text: split at commas and white space,
// or, where white space alone separates them and every comma stands between
// digits, at white space with the commas as decimal points.
std::vector<std::string> MaaFields(std::string_view line);

}  // namespace quorvane
