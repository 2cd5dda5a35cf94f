#pragma once

#include "CheckLines.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace quorvane {

// A spatial grid of lines, so that the checks compare each line with the few
// lying near it rather than with all. A line is registered in every cell that
// the line, thickened by its reach, passes through; two lines closer than
// the sum of their reaches then share a cell. Lines moved after the grid was
// built are kept beside it until the next build. A line that would fill too
// many cells (very long for the model, or beyond the grid's coordinates) is
// a partner of every line instead.
class LineGrid {
public:
    // Index = row; absent lines are left out. `reach` holds each line's.
    void Build(const std::vector<CheckLine>& lines, const std::vector<double>& reach);
    // The line of `row` is now `line` (perhaps absent), with `reach`.
    void Move(int row, const CheckLine& line, double reach);

    // Calls f(j) once for every other line that may lie within the reaches of
    // the line of `row`.
    template <typename F>
    void ForEachCandidate(int row, F f);
    // Calls f(j) once for every line that may pass within its reach of `p`.
    template <typename F>
    void ForEachNear(Vec3 p, F f);

    // Lines moved since the last build; the grid wants a build when many were.
    int MovedCount() const { return movedCount_; }
    double CellSize() const { return cellSize_; }

    static constexpr int MaxCellsPerLine = 4096;

private:
    using Key = std::uint64_t;
    // The cells of a line; false when it has too many.
    bool CellsOf(const CheckLine& line, double reach, std::vector<Key>& keys) const;
    bool KeyOf(Vec3 p, Key& key) const;
    int BaseCell(Key key) const;  // index into the built cells, or -1
    void Register(int row, const CheckLine& line, double reach);
    void Unregister(int row);
    void EnsureRows(int rows);
    void NextStamp();
    template <typename F>
    void VisitBaseCell(int cell, F& f);
    template <typename F>
    void VisitMovedCell(Key key, F& f);
    template <typename F>
    void VisitCell(Key key, F& f);

    double cellSize_ = 1;
    Vec3 origin_;
    // Built cells: sorted keys, and for each its lines.
    std::vector<Key> cellKeys_;
    std::vector<int> cellStart_;
    std::vector<int> cellLines_;
    // Each line's built cells, as indices into the above.
    std::vector<int> lineStart_;
    std::vector<int> lineCells_;
    // Lines moved since: their old place no longer counts, their new cells
    // are kept here.
    std::vector<char> moved_;
    int movedCount_ = 0;
    std::unordered_map<Key, std::vector<int>> movedCells_;
    std::unordered_map<int, std::vector<Key>> movedKeysOf_;
    // Lines that are everybody's partner.
    std::vector<char> everywhere_;
    std::vector<int> everywhereRows_;
    std::vector<char> present_;
    std::vector<unsigned> stamp_;
    unsigned stampNow_ = 0;
};

template <typename F>
void LineGrid::VisitBaseCell(int cell, F& f)
{
    for (int i = cellStart_[cell]; i < cellStart_[cell + 1]; ++i) {
        const int j = cellLines_[i];
        if (!moved_[j] && stamp_[j] != stampNow_) {
            stamp_[j] = stampNow_;
            f(j);
        }
    }
}

template <typename F>
void LineGrid::VisitMovedCell(Key key, F& f)
{
    if (movedCells_.empty())
        return;
    if (const auto found = movedCells_.find(key); found != movedCells_.end())
        for (int j : found->second)
            if (stamp_[j] != stampNow_) {
                stamp_[j] = stampNow_;
                f(j);
            }
}

template <typename F>
void LineGrid::VisitCell(Key key, F& f)
{
    if (const int cell = BaseCell(key); cell >= 0)
        VisitBaseCell(cell, f);
    VisitMovedCell(key, f);
}

template <typename F>
void LineGrid::ForEachCandidate(int row, F f)
{
    if (row < 0 || row >= int(present_.size()) || !present_[row])
        return;
    NextStamp();
    stamp_[row] = stampNow_;
    if (everywhere_[row]) {
        for (int j = 0; j < int(present_.size()); ++j)
            if (present_[j] && stamp_[j] != stampNow_) {
                stamp_[j] = stampNow_;
                f(j);
            }
        return;
    }
    for (int j : everywhereRows_)
        if (stamp_[j] != stampNow_) {
            stamp_[j] = stampNow_;
            f(j);
        }
    if (moved_[row]) {
        for (Key key : movedKeysOf_[row])
            VisitCell(key, f);
    } else {
        for (int i = lineStart_[row]; i < lineStart_[row + 1]; ++i) {
            VisitBaseCell(lineCells_[i], f);
            VisitMovedCell(cellKeys_[lineCells_[i]], f);
        }
    }
}

template <typename F>
void LineGrid::ForEachNear(Vec3 p, F f)
{
    NextStamp();
    for (int j : everywhereRows_)
        if (stamp_[j] != stampNow_) {
            stamp_[j] = stampNow_;
            f(j);
        }
    Key key;
    if (KeyOf(p, key))
        VisitCell(key, f);
}

}  // namespace quorvane
