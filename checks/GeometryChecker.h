#pragma once

#include "CheckFinding.h"
#include "CheckLines.h"
#include "LineGrid.h"

#include <array>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace quorvane {

class LineTable;

// The geometry checks of a line table, kept up to date as rows change: after
// Load, an edit of a few rows costs about what checking those rows against
// their neighbours costs, not a run over the whole table.
class GeometryChecker {
public:
    void Load(const LineTable& table, const CheckConditions& conditions);
    // The coordinates or supplements of these rows changed (rows beyond the
    // last one loaded are new). Rows inserted or deleted move every row
    // after them: that needs Load.
    void UpdateRows(const LineTable& table, std::span<const int> rows);
    void SetConditions(const CheckConditions& conditions);
    // Rows whose line the table holds otherwise than the checker does: moved
    // ends, or a line come or gone. Wire data in supplements is not
    // compared; whoever edits a supplement names its row.
    std::vector<int> StaleRows(const LineTable& table) const;
    const CheckConditions& Conditions() const { return conditions_; }

    // Sorted by their first row, then rule.
    const std::vector<CheckFinding>& Findings();

private:
    struct Stored {
        CheckRule Rule;
        CheckSeverity Severity;
        Vec3 Place;
        double Value, Limit;
    };
    struct Junction {
        Vec3 Place;
        std::vector<int> Rows;
        double Ratio;
    };
    using PairKey = std::uint64_t;
    static PairKey KeyOf(int i, int j) { return std::uint64_t(i) << 32 | std::uint32_t(j); }

    double ReachOf(const CheckLine& line) const;
    void CheckLineAlone(int row);
    void CheckPair(int i, int j);
    void DropPairFindings(int row);
    void MarkEndsAtNodes(int i, int j, double tolerance);
    // Where the line's junctions may be: its ends, and others' ends on it.
    void NoteJunctionsOf(int row, std::vector<Vec3>& places);
    // With an owner, only when it is the lowest row at the junction.
    void EvaluateJunction(Vec3 p, int owner = 0);
    void DropJunctionsOf(int row, std::vector<Vec3>& places);
    void SetLine(const LineTable& table, int row);
    // Exact copies of a line (either way round) are kept as one: the lowest
    // row holds the line in the grid and its pairs, the others only have
    // the faults of a line alone and their part in the copies' finding. A
    // table of many copies would otherwise compare each with every other.
    using CopyKey = std::array<double, 6>;
    struct CopyKeyHash {
        std::size_t operator()(const CopyKey& key) const;
    };
    static std::optional<CopyKey> CopyKeyOf(const CheckLine& line);
    // Both return the row whose standing changed with it (the holder taking
    // over, or the one a lower copy replaces), or 0.
    int JoinCopies(int row);
    int LeaveCopies(int row);
    // The line as the grid has it: none for a copy held by a lower row.
    CheckLine GridLine(int row) const;
    void BuildGrid(const std::vector<double>& reach);

    CheckConditions conditions_;
    std::vector<CheckLine> lines_;  // index = row; row 0 unused
    LineGrid grid_;
    std::vector<std::vector<Stored>> alone_;                  // by row
    std::unordered_map<PairKey, Stored> pairs_;               // by lower row, higher row
    std::vector<std::vector<int>> partners_;                  // rows with a pair finding
    std::vector<Junction> junctions_;
    // Where wires cross at inner segment ends; junctions at line ends are
    // found from the lines' ends.
    std::vector<Vec3> pendingJunctions_;
    // Each line's two ends: whether one sits at a segment end of another wire.
    std::vector<char> endAtNode_;
    std::unordered_map<CopyKey, std::vector<int>, CopyKeyHash> copies_;  // rows ascending
    std::vector<char> copy_;  // by row: a copy of a lower row's line
    std::vector<CheckFinding> findings_;
    bool assembled_ = false;
};

// All checks of the table at once.
std::vector<CheckFinding> CheckGeometry(const LineTable& table, const CheckConditions& conditions);

}  // namespace quorvane
