#pragma once

#include <string>
#include <string_view>

namespace quorvane {

class LineTable;

struct MaaFileText {
    std::string Text;
    int WrittenLines = 0;
    int LeftOutRows = 0;  // rows with text that are neither lines nor MMANA data
};

// The table as an MMANA file, with CR LF line ends as the program writes
// them: the title of the "MMANA name" row, else, unless the table has other
// MMANA rows, `fileName` without its extension; the frequency
// of the first FR row (14 MHz without one); one wire for each complete
// line, with the radius and segments its supplement carries (MMANA's own
// values where "MMANA R" and "MMANA S" keep them), a line without them
// getting NecDefaultRadius and MMANA's automatic segmentation (-1); then the
// sources, loads, segmentation, ground, combined wires and comment of the
// MMANA rows, the sections MMANA needs written with its defaults where the
// table has none. A source or load names its wire by number; where that
// wire's line is tagged, the number becomes its place among the lines now.
MaaFileText MakeMaaFile(const LineTable& table, std::string_view fileName);

}  // namespace quorvane
