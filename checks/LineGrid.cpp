#include "LineGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvane {

namespace {

// Cell coordinates are packed in 21 bits each.
constexpr double CellRange = 1 << 20;

std::uint64_t Pack(std::int64_t x, std::int64_t y, std::int64_t z)
{
    constexpr std::int64_t bias = 1 << 20;
    constexpr std::uint64_t mask = (1u << 21) - 1;
    return (std::uint64_t(x + bias) & mask) << 42 | (std::uint64_t(y + bias) & mask) << 21 |
           (std::uint64_t(z + bias) & mask);
}

bool Finite(Vec3 p)
{
    return std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Z);
}

}  // namespace

void LineGrid::Build(const std::vector<CheckLine>& lines, const std::vector<double>& reach)
{
    const int rows = int(lines.size());
    // The cell is about as large as a line is long, or as the space each line
    // has, whichever is larger, so that a line fills a few cells and a cell
    // holds a few lines. Flat and straight models get the lines' length as
    // their missing depth.
    double total = 0;
    int count = 0;
    Vec3 low{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
             std::numeric_limits<double>::max()};
    Vec3 high = low * -1;
    for (const CheckLine& line : lines) {
        if (!line.Present || !std::isfinite(line.Length))
            continue;
        total += line.Length;
        ++count;
        for (Vec3 p : {line.A, line.B}) {
            low = {std::min(low.X, p.X), std::min(low.Y, p.Y), std::min(low.Z, p.Z)};
            high = {std::max(high.X, p.X), std::max(high.Y, p.Y), std::max(high.Z, p.Z)};
        }
    }
    cellSize_ = 1;
    origin_ = {};
    if (count > 0) {
        const double mean = total / count;
        const Vec3 size = high - low;
        const double floor = std::max(mean, std::numeric_limits<double>::min());
        const double volume = std::max(size.X, floor) * std::max(size.Y, floor) *
                              std::max(size.Z, floor);
        double cell = std::max(mean, std::cbrt(volume / count));
        // The whole model within the cells' coordinates.
        cell = std::max(cell, std::max({size.X, size.Y, size.Z}) / (CellRange / 2));
        if (std::isfinite(cell) && cell > 0)
            cellSize_ = cell;
        // Cell borders off the round numbers models are drawn on, so that
        // lines meeting at such a point do not all fall on a border.
        origin_ = low - Vec3{1, 1, 1} * (cellSize_ * 0.381966);
    }

    present_.assign(rows, 0);
    moved_.assign(rows, 0);
    everywhere_.assign(rows, 0);
    everywhereRows_.clear();
    movedCount_ = 0;
    movedCells_.clear();
    movedKeysOf_.clear();
    stamp_.assign(rows, 0);
    stampNow_ = 0;

    std::vector<std::pair<Key, int>> entries;
    entries.reserve(std::size_t(count) * 3);
    lineStart_.assign(rows + 1, 0);
    std::vector<Key> keys;
    for (int row = 0; row < rows; ++row) {
        const CheckLine& line = lines[row];
        lineStart_[row] = int(entries.size());
        if (!line.Present)
            continue;
        present_[row] = 1;
        if (!CellsOf(line, reach[row], keys)) {
            everywhere_[row] = 1;
            everywhereRows_.push_back(row);
            continue;
        }
        for (Key key : keys)
            entries.emplace_back(key, row);
    }
    lineStart_[rows] = int(entries.size());

    // Cells in key order, each with its lines; each line's cells as indices.
    std::sort(entries.begin(), entries.end());
    cellKeys_.clear();
    cellStart_.clear();
    cellLines_.resize(entries.size());
    lineCells_.resize(entries.size());
    std::vector<int> next(lineStart_.begin(), lineStart_.end() - 1);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const auto& [key, row] = entries[k];
        if (cellKeys_.empty() || cellKeys_.back() != key) {
            cellKeys_.push_back(key);
            cellStart_.push_back(int(k));
        }
        cellLines_[k] = row;
        lineCells_[next[row]++] = int(cellKeys_.size()) - 1;
    }
    cellStart_.push_back(int(entries.size()));
}

bool LineGrid::KeyOf(Vec3 p, Key& key) const
{
    const Vec3 q = (p - origin_) * (1 / cellSize_);
    if (!(std::abs(q.X) < CellRange && std::abs(q.Y) < CellRange && std::abs(q.Z) < CellRange))
        return false;
    key = Pack(std::int64_t(std::floor(q.X)), std::int64_t(std::floor(q.Y)),
               std::int64_t(std::floor(q.Z)));
    return true;
}

bool LineGrid::CellsOf(const CheckLine& line, double reach, std::vector<Key>& keys) const
{
    keys.clear();
    if (!Finite(line.A) || !Finite(line.B) || !std::isfinite(reach))
        return false;
    const double pieces = std::ceil(line.Length / cellSize_);
    if (!(pieces <= MaxCellsPerLine))
        return false;
    const int n = std::max(1, int(pieces));
    for (int k = 0; k < n; ++k) {
        const Vec3 p = Along(line.A, line.B, double(k) / n);
        const Vec3 q = k + 1 == n ? line.B : Along(line.A, line.B, double(k + 1) / n);
        const Vec3 low = Vec3{std::min(p.X, q.X), std::min(p.Y, q.Y), std::min(p.Z, q.Z)} -
                         Vec3{reach, reach, reach};
        const Vec3 high = Vec3{std::max(p.X, q.X), std::max(p.Y, q.Y), std::max(p.Z, q.Z)} +
                          Vec3{reach, reach, reach};
        const Vec3 a = (low - origin_) * (1 / cellSize_), b = (high - origin_) * (1 / cellSize_);
        for (double c : {a.X, a.Y, a.Z, b.X, b.Y, b.Z})
            if (!(std::abs(c) < CellRange))
                return false;
        const std::int64_t x0 = std::int64_t(std::floor(a.X)), x1 = std::int64_t(std::floor(b.X));
        const std::int64_t y0 = std::int64_t(std::floor(a.Y)), y1 = std::int64_t(std::floor(b.Y));
        const std::int64_t z0 = std::int64_t(std::floor(a.Z)), z1 = std::int64_t(std::floor(b.Z));
        if ((x1 - x0 + 1) * (y1 - y0 + 1) * (z1 - z0 + 1) + std::int64_t(keys.size()) >
            MaxCellsPerLine)
            return false;
        for (std::int64_t x = x0; x <= x1; ++x)
            for (std::int64_t y = y0; y <= y1; ++y)
                for (std::int64_t z = z0; z <= z1; ++z)
                    keys.push_back(Pack(x, y, z));
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return true;
}

int LineGrid::BaseCell(Key key) const
{
    const auto at = std::lower_bound(cellKeys_.begin(), cellKeys_.end(), key);
    return at != cellKeys_.end() && *at == key ? int(at - cellKeys_.begin()) : -1;
}

void LineGrid::EnsureRows(int rows)
{
    if (rows <= int(present_.size()))
        return;
    present_.resize(rows, 0);
    moved_.resize(rows, 0);
    everywhere_.resize(rows, 0);
    stamp_.resize(rows, 0);
    lineStart_.resize(rows + 1, lineStart_.empty() ? 0 : lineStart_.back());
}

void LineGrid::Unregister(int row)
{
    if (everywhere_[row]) {
        everywhere_[row] = 0;
        everywhereRows_.erase(std::find(everywhereRows_.begin(), everywhereRows_.end(), row));
    }
    if (const auto found = movedKeysOf_.find(row); found != movedKeysOf_.end()) {
        for (Key key : found->second) {
            std::vector<int>& cell = movedCells_[key];
            cell.erase(std::find(cell.begin(), cell.end(), row));
            if (cell.empty())
                movedCells_.erase(key);
        }
        movedKeysOf_.erase(found);
    }
    present_[row] = 0;
}

void LineGrid::Register(int row, const CheckLine& line, double reach)
{
    if (!line.Present)
        return;
    present_[row] = 1;
    std::vector<Key> keys;
    if (!CellsOf(line, reach, keys)) {
        everywhere_[row] = 1;
        everywhereRows_.push_back(row);
        return;
    }
    for (Key key : keys)
        movedCells_[key].push_back(row);
    movedKeysOf_[row] = std::move(keys);
}

void LineGrid::Move(int row, const CheckLine& line, double reach)
{
    EnsureRows(row + 1);
    Unregister(row);
    if (!moved_[row]) {
        moved_[row] = 1;
        ++movedCount_;
    }
    Register(row, line, reach);
}

void LineGrid::NextStamp()
{
    if (++stampNow_ == 0) {
        std::fill(stamp_.begin(), stamp_.end(), 0u);
        stampNow_ = 1;
    }
}

}  // namespace quorvane
