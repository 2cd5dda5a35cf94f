#include "GeometryChecker.h"

#include "CheckLimits.h"
#include "LineTable.h"
#include "SegmentGeometry.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <tuple>

namespace quorvane {

namespace {

bool LessPoint(Vec3 a, Vec3 b)
{
    return std::tie(a.X, a.Y, a.Z) < std::tie(b.X, b.Y, b.Z);
}

void SortUniquePoints(std::vector<Vec3>& points)
{
    std::sort(points.begin(), points.end(), LessPoint);
    points.erase(std::unique(points.begin(), points.end()), points.end());
}

// The segment end of `line` nearest the point the fraction s of its way.
Vec3 NearestNode(const CheckLine& line, double s)
{
    const int n = line.Segments();
    return line.Node(int(std::lround(std::clamp(s, 0.0, 1.0) * n)));
}

bool Within(Vec3 p, Vec3 q, double tolerance)
{
    return Distance(p, q) <= tolerance;
}

bool IsEnd(const CheckLine& line, Vec3 p, double tolerance)
{
    return Within(p, line.A, tolerance) || Within(p, line.B, tolerance);
}

// How far along the line the point nearest p lies, 0 to 1.
double Fraction(const CheckLine& line, Vec3 p)
{
    const Vec3 u = (line.B - line.A) * (1 / line.Length);
    return Dot(p - line.A, u) / line.Length;
}

std::optional<double> Wavelength(const CheckConditions& conditions)
{
    const std::optional<double> f = conditions.FrequencyMHz;
    if (!f || !std::isfinite(*f) || *f <= 0)
        return std::nullopt;
    return limits::SpeedOfLight / *f;
}

}  // namespace

double GeometryChecker::ReachOf(const CheckLine& line) const
{
    const double reach = std::max(line.Radius(),
                                  limits::NearEndsSegmentFraction * line.SegmentLength());
    return reach + line.Tolerance();
}

void GeometryChecker::SetLine(const LineTable& table, int row)
{
    if (row >= int(lines_.size())) {
        lines_.resize(row + 1);
        alone_.resize(row + 1);
        partners_.resize(row + 1);
        endAtNode_.resize(2 * (row + 1), 0);
        copy_.resize(row + 1, 0);
    }
    lines_[row] = ReadCheckLine(table, row);
}

std::size_t GeometryChecker::CopyKeyHash::operator()(const CopyKey& key) const
{
    std::size_t hash = 0;
    for (double v : key)
        hash = hash * 1000003u ^ std::hash<double>()(v);
    return hash;
}

std::optional<GeometryChecker::CopyKey> GeometryChecker::CopyKeyOf(const CheckLine& line)
{
    if (!line.Present || !std::isfinite(line.Length))
        return std::nullopt;
    Vec3 a = line.A, b = line.B;
    if (LessPoint(b, a))
        std::swap(a, b);
    // Adding zero makes -0 the same key as 0.
    return CopyKey{a.X + 0.0, a.Y + 0.0, a.Z + 0.0, b.X + 0.0, b.Y + 0.0, b.Z + 0.0};
}

int GeometryChecker::JoinCopies(int row)
{
    copy_[row] = 0;
    const std::optional<CopyKey> key = CopyKeyOf(lines_[row]);
    if (!key)
        return 0;
    std::vector<int>& rows = copies_[*key];
    rows.insert(std::upper_bound(rows.begin(), rows.end(), row), row);
    if (rows.front() != row) {
        copy_[row] = 1;
        return 0;
    }
    if (rows.size() == 1)
        return 0;
    copy_[rows[1]] = 1;
    return rows[1];
}

int GeometryChecker::LeaveCopies(int row)
{
    const bool wasCopy = copy_[row];
    copy_[row] = 0;
    const std::optional<CopyKey> key = CopyKeyOf(lines_[row]);
    if (!key)
        return 0;
    const auto group = copies_.find(*key);
    if (group == copies_.end())
        return 0;
    std::erase(group->second, row);
    if (group->second.empty()) {
        copies_.erase(group);
        return 0;
    }
    if (wasCopy)
        return 0;
    const int holder = group->second.front();
    copy_[holder] = 0;
    return holder;
}

CheckLine GeometryChecker::GridLine(int row) const
{
    return copy_[row] ? CheckLine{} : lines_[row];
}

void GeometryChecker::BuildGrid(const std::vector<double>& reach)
{
    std::vector<CheckLine> held(lines_.size());
    for (std::size_t row = 1; row < lines_.size(); ++row)
        held[row] = GridLine(int(row));
    grid_.Build(held, reach);
}

void GeometryChecker::Load(const LineTable& table, const CheckConditions& conditions)
{
    conditions_ = conditions;
    const int rows = table.LineCount + 1;
    lines_.assign(rows, {});
    alone_.assign(rows, {});
    partners_.assign(rows, {});
    endAtNode_.assign(2 * rows, 0);
    pairs_.clear();
    junctions_.clear();
    pendingJunctions_.clear();
    copies_.clear();
    copy_.assign(rows, 0);
    std::vector<double> reach(rows, 0);
    for (int row = 1; row < rows; ++row) {
        lines_[row] = ReadCheckLine(table, row);
        JoinCopies(row);
        reach[row] = ReachOf(lines_[row]);
    }
    BuildGrid(reach);
    for (int row = 1; row < rows; ++row)
        CheckLineAlone(row);
    for (int row = 1; row < rows; ++row)
        if (!copy_[row])
            grid_.ForEachCandidate(row, [&](int other) {
                if (other > row)
                    CheckPair(row, other);
            });
    // Every junction but where wires cross at inner segment ends has a line
    // end in it; the lowest row ending there looks at it.
    for (int row = 1; row < rows; ++row) {
        if (endAtNode_[2 * row])
            EvaluateJunction(lines_[row].A, row);
        if (endAtNode_[2 * row + 1])
            EvaluateJunction(lines_[row].B, row);
    }
    SortUniquePoints(pendingJunctions_);
    for (Vec3 p : pendingJunctions_)
        EvaluateJunction(p);
    pendingJunctions_.clear();
    assembled_ = false;
}

void GeometryChecker::UpdateRows(const LineTable& table, std::span<const int> changed)
{
    std::vector<int> rows(changed.begin(), changed.end());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(), [](int row) { return row < 1; }),
               rows.end());
    std::vector<Vec3> places;
    // Rows whose standing among copies changed with the edited ones.
    std::vector<int> others;
    for (int row : rows) {
        if (row < int(lines_.size())) {
            alone_[row].clear();
            DropPairFindings(row);
            DropJunctionsOf(row, places);
            others.push_back(LeaveCopies(row));
        }
    }
    for (int row : rows) {
        SetLine(table, row);
        others.push_back(JoinCopies(row));
    }
    std::sort(others.begin(), others.end());
    others.erase(std::unique(others.begin(), others.end()), others.end());
    std::erase_if(others, [&](int row) {
        return row < 1 || std::binary_search(rows.begin(), rows.end(), row);
    });
    for (int row : others) {
        alone_[row].clear();
        DropPairFindings(row);
        DropJunctionsOf(row, places);
    }
    rows.insert(rows.end(), others.begin(), others.end());
    for (int row : rows)
        grid_.Move(row, GridLine(row), ReachOf(lines_[row]));
    for (int row : rows) {
        CheckLineAlone(row);
        if (!copy_[row])
            grid_.ForEachCandidate(row, [&](int other) {
                CheckPair(std::min(row, other), std::max(row, other));
            });
        NoteJunctionsOf(row, places);
    }
    places.insert(places.end(), pendingJunctions_.begin(), pendingJunctions_.end());
    pendingJunctions_.clear();
    SortUniquePoints(places);
    for (Vec3 p : places) {
        const double tolerance = CoincidenceTolerance(p, p);
        std::erase_if(junctions_, [&](const Junction& j) {
            return Distance(j.Place, p) <= tolerance;
        });
        EvaluateJunction(p);
    }
    // The grid keeps moved lines aside; past a share of the table, a fresh
    // grid is quicker to search.
    if (grid_.MovedCount() > std::max(1000, int(lines_.size()) / 8)) {
        std::vector<double> reach(lines_.size(), 0);
        for (std::size_t row = 1; row < lines_.size(); ++row)
            reach[row] = ReachOf(lines_[row]);
        BuildGrid(reach);
    }
    assembled_ = false;
}

std::vector<int> GeometryChecker::StaleRows(const LineTable& table) const
{
    std::vector<int> stale;
    const int last = std::max(int(lines_.size()) - 1, table.LineCount);
    for (int row = 1; row <= last; ++row) {
        const bool held = row < int(lines_.size()) && lines_[row].Present;
        const LineRecord* r = row <= table.LineCount ? &table.Record(row) : nullptr;
        const bool present = r && r->Complete && r->AllCoordinatesDefined();
        if (held != present) {
            stale.push_back(row);
        } else if (present) {
            const CheckLine& line = lines_[row];
            if (line.A.X != r->X1 || line.A.Y != r->Y1 || line.A.Z != r->Z1 ||
                line.B.X != r->X2 || line.B.Y != r->Y2 || line.B.Z != r->Z2)
                stale.push_back(row);
        }
    }
    return stale;
}

void GeometryChecker::SetConditions(const CheckConditions& conditions)
{
    if (conditions == conditions_)
        return;
    conditions_ = conditions;
    for (int row = 1; row < int(lines_.size()); ++row)
        CheckLineAlone(row);
    assembled_ = false;
}

void GeometryChecker::CheckLineAlone(int row)
{
    std::vector<Stored>& found = alone_[row];
    found.clear();
    const CheckLine& line = lines_[row];
    if (!line.Present)
        return;
    const Vec3 middle = Along(line.A, line.B, 0.5);
    const double tolerance = line.Tolerance();
    const bool hasLength = line.Length > tolerance;
    if (!hasLength)
        found.push_back({CheckRule::ZeroLength, CheckSeverity::Error, line.A, line.Length, 0});

    if (conditions_.Ground) {
        const Vec3 low = line.A.Z <= line.B.Z ? line.A : line.B;
        if (low.Z < -tolerance)
            found.push_back({CheckRule::BelowGround, CheckSeverity::Error, low, low.Z, 0});
        else if (const double height = std::max(line.A.Z, line.B.Z),
                 limit = limits::NearEndsSegmentFraction * line.SegmentLength();
                 hasLength && height <= std::max(limit, tolerance))
            found.push_back({CheckRule::InGroundPlane, CheckSeverity::Error, middle,
                             std::max(height, 0.0), limit});
    }

    if (!line.Wire || !hasLength)
        return;
    const double radius = line.Radius();
    const double segment = line.SegmentLength();
    if (radius <= 0) {
        found.push_back({CheckRule::ZeroRadius, CheckSeverity::Error, middle, radius, 0});
    } else {
        const double ratio = segment / radius;
        if (ratio < limits::SegmentRadiusError)
            found.push_back({CheckRule::ThickSegment, CheckSeverity::Error, middle, ratio,
                             limits::SegmentRadiusError});
        else if (ratio < limits::SegmentRadiusWarning)
            found.push_back({CheckRule::ThickSegment, CheckSeverity::Warning, middle, ratio,
                             limits::SegmentRadiusWarning});
    }
    const std::optional<double> wavelength = Wavelength(conditions_);
    if (!wavelength)
        return;
    const double inWavelengths = segment / *wavelength;
    if (inWavelengths > limits::MaxSegmentWavelengths)
        found.push_back({CheckRule::SegmentTooLong, CheckSeverity::Warning, middle, inWavelengths,
                         limits::MaxSegmentWavelengths});
    else if (inWavelengths < limits::MinSegmentWavelengths)
        found.push_back({CheckRule::SegmentTooShort, CheckSeverity::Warning, middle,
                         inWavelengths, limits::MinSegmentWavelengths});
    if (radius / *wavelength > limits::MaxRadiusWavelengths)
        found.push_back({CheckRule::ThickWire, CheckSeverity::Warning, middle,
                         radius / *wavelength, limits::MaxRadiusWavelengths});
}

void GeometryChecker::CheckPair(int i, int j)
{
    const CheckLine& a = lines_[i];
    const CheckLine& b = lines_[j];
    if (!a.Present || !b.Present || !std::isfinite(a.Length) || !std::isfinite(b.Length))
        return;
    // A line without length is a fault of its own; what it touches says
    // nothing more.
    if (a.Length <= a.Tolerance() || b.Length <= b.Tolerance())
        return;
    // Where the lines meet, no coordinate is larger than the smaller line's.
    const double tolerance = std::min(a.Tolerance(), b.Tolerance());
    if (a.Wire && b.Wire)
        MarkEndsAtNodes(i, j, tolerance);
    auto report = [&](CheckRule rule, CheckSeverity severity, Vec3 place, double value,
                      double limit) {
        // Rounding leaves gaps and coordinates of 1e-16 where there are none.
        auto tidy = [tolerance](double v) { return std::abs(v) <= tolerance ? 0.0 : v; };
        place = {tidy(place.X), tidy(place.Y), tidy(place.Z)};
        value = tidy(value);
        if (pairs_.insert_or_assign(KeyOf(i, j), Stored{rule, severity, place, value, limit})
                .second) {
            partners_[i].push_back(j);
            partners_[j].push_back(i);
        }
    };

    if ((Within(a.A, b.A, tolerance) && Within(a.B, b.B, tolerance)) ||
        (Within(a.A, b.B, tolerance) && Within(a.B, b.A, tolerance))) {
        report(CheckRule::DuplicateLines, CheckSeverity::Error, Along(a.A, a.B, 0.5), a.Length, 0);
        return;
    }
    const double shortest = std::min(a.SegmentLength(), b.SegmentLength());
    const double nearEnds = std::max({a.Radius(), b.Radius(),
                                      limits::NearEndsSegmentFraction * shortest});
    const double nearCross =
        std::max(a.Radius() + b.Radius(), limits::NearEndsSegmentFraction * shortest);

    Vec3 middle;
    const double shared = a.Length >= b.Length
                              ? SharedStretch(a.A, a.B, b.A, b.B, std::max(nearCross, tolerance), middle)
                              : SharedStretch(b.A, b.B, a.A, a.B, std::max(nearCross, tolerance), middle);
    if (shared > tolerance) {
        report(CheckRule::OverlappingLines, CheckSeverity::Error, middle, shared, 0);
        return;
    }

    // Ends that are one point make a junction; ends that almost are do not.
    double endGap = Distance(a.A, b.A);
    Vec3 endPlace = Along(a.A, b.A, 0.5);
    for (auto [p, q] : {std::pair{a.A, b.B}, std::pair{a.B, b.A}, std::pair{a.B, b.B}})
        if (const double gap = Distance(p, q); gap < endGap) {
            endGap = gap;
            endPlace = Along(p, q, 0.5);
        }
    if (endGap <= tolerance)
        return;

    const ClosestApproach c = ClosestPoints(a.A, a.B, b.A, b.B);
    if (c.Gap > nearCross && c.Gap > tolerance && endGap > nearEnds)
        return;
    const Vec3 nodeA = NearestNode(a, c.S), nodeB = NearestNode(b, c.T);
    const double nodeGap = Distance(nodeA, nodeB);
    if (nodeGap <= tolerance) {
        if (a.Wire && b.Wire && !IsEnd(a, nodeA, tolerance) && !IsEnd(b, nodeB, tolerance))
            pendingJunctions_.push_back(nodeA);
        return;
    }
    if (nodeGap <= nearEnds) {
        report(CheckRule::EndsNearlyMeet, CheckSeverity::Warning, Along(nodeA, nodeB, 0.5),
               nodeGap, nearEnds);
        return;
    }
    if (endGap <= nearEnds) {
        report(CheckRule::EndsNearlyMeet, CheckSeverity::Warning, endPlace, endGap, nearEnds);
        return;
    }
    if (c.Gap > nearCross && c.Gap > tolerance)
        return;
    const Vec3 place = Along(c.OnA, c.OnB, 0.5);
    if (IsEnd(a, c.OnA, tolerance) || IsEnd(b, c.OnB, tolerance))
        report(CheckRule::EndOnLine, CheckSeverity::Error, place, c.Gap, nearCross);
    else
        report(CheckRule::LinesCross, CheckSeverity::Error, place, c.Gap, nearCross);
}

void GeometryChecker::DropPairFindings(int row)
{
    for (int other : partners_[row]) {
        pairs_.erase(KeyOf(std::min(row, other), std::max(row, other)));
        std::erase(partners_[other], row);
    }
    partners_[row].clear();
}

void GeometryChecker::MarkEndsAtNodes(int i, int j, double tolerance)
{
    const CheckLine& a = lines_[i];
    const CheckLine& b = lines_[j];
    auto atNode = [tolerance](const CheckLine& line, Vec3 p) {
        return Within(p, NearestNode(line, Fraction(line, p)), tolerance);
    };
    endAtNode_[2 * i] |= atNode(b, a.A);
    endAtNode_[2 * i + 1] |= atNode(b, a.B);
    endAtNode_[2 * j] |= atNode(a, b.A);
    endAtNode_[2 * j + 1] |= atNode(a, b.B);
}

void GeometryChecker::NoteJunctionsOf(int row, std::vector<Vec3>& places)
{
    const CheckLine& line = lines_[row];
    if (!line.Present || !line.Wire || !(line.Length > line.Tolerance()))
        return;
    places.push_back(line.A);
    places.push_back(line.B);
    // Other wires may end at one of this wire's inner segment ends.
    grid_.ForEachCandidate(row, [&](int other) {
        const CheckLine& o = lines_[other];
        if (!o.Present || !o.Wire)
            return;
        for (Vec3 end : {o.A, o.B})
            if (Within(end, NearestNode(line, Fraction(line, end)),
                       CoincidenceTolerance(end, end)))
                places.push_back(end);
    });
}

void GeometryChecker::EvaluateJunction(Vec3 p, int owner)
{
    std::vector<int> rows;
    int lowestEnd = 0;
    double shortest = 0, longest = 0;
    grid_.ForEachNear(p, [&](int row) {
        const CheckLine& line = lines_[row];
        if (!line.Present || !line.Wire || !(line.Length > line.Tolerance()))
            return;
        const double tolerance = std::max(line.Tolerance(), CoincidenceTolerance(p, p));
        const Vec3 node = NearestNode(line, Fraction(line, p));
        if (Distance(node, p) > tolerance)
            return;
        if (IsEnd(line, p, tolerance) && (lowestEnd == 0 || row < lowestEnd))
            lowestEnd = row;
        const double segment = line.SegmentLength();
        shortest = rows.empty() ? segment : std::min(shortest, segment);
        longest = std::max(longest, segment);
        rows.push_back(row);
    });
    if (rows.size() < 2 || !(longest > limits::MaxJunctionLengthRatio * shortest))
        return;
    if (owner > 0 && lowestEnd != owner)
        return;
    std::sort(rows.begin(), rows.end());
    junctions_.push_back({p, std::move(rows), longest / shortest});
}

void GeometryChecker::DropJunctionsOf(int row, std::vector<Vec3>& places)
{
    std::erase_if(junctions_, [&](const Junction& j) {
        if (!std::binary_search(j.Rows.begin(), j.Rows.end(), row))
            return false;
        places.push_back(j.Place);
        return true;
    });
}

const std::vector<CheckFinding>& GeometryChecker::Findings()
{
    if (assembled_)
        return findings_;
    findings_.clear();
    for (int row = 1; row < int(alone_.size()); ++row)
        for (const Stored& s : alone_[row])
            findings_.push_back({s.Rule, s.Severity, {row}, s.Place, s.Value, s.Limit});

    // Copies of one line make one finding, however many there are.
    std::vector<int> group(lines_.size());
    std::iota(group.begin(), group.end(), 0);
    auto root = [&](int row) {
        while (group[row] != row)
            row = group[row] = group[group[row]];
        return row;
    };
    std::vector<int> duplicated;
    for (const auto& [key, s] : pairs_) {
        const int i = int(key >> 32), j = int(key & 0xFFFFFFFFu);
        if (s.Rule == CheckRule::DuplicateLines) {
            const int ri = root(i), rj = root(j);
            group[std::max(ri, rj)] = std::min(ri, rj);
            duplicated.push_back(i);
            duplicated.push_back(j);
            continue;
        }
        findings_.push_back({s.Rule, s.Severity, {i, j}, s.Place, s.Value, s.Limit});
    }
    for (const auto& [key, rows] : copies_) {
        const CheckLine& line = lines_[rows.front()];
        // Copies without length are each a fault of their own.
        if (rows.size() < 2 || !(line.Length > line.Tolerance()))
            continue;
        for (int row : rows) {
            const int r = root(row), first = root(rows.front());
            group[std::max(r, first)] = std::min(r, first);
            duplicated.push_back(row);
        }
    }
    std::sort(duplicated.begin(), duplicated.end());
    duplicated.erase(std::unique(duplicated.begin(), duplicated.end()), duplicated.end());
    std::vector<std::vector<int>> copies(lines_.size());
    for (int row : duplicated)
        copies[root(row)].push_back(row);
    for (int first : duplicated)
        if (copies[first].size() > 1) {
            const CheckLine& line = lines_[first];
            findings_.push_back({CheckRule::DuplicateLines, CheckSeverity::Error,
                                 std::move(copies[first]), Along(line.A, line.B, 0.5),
                                 line.Length, 0});
        }

    // A junction met twice at points a rounding apart is one junction.
    std::vector<const Junction*> junctions;
    for (const Junction& j : junctions_)
        junctions.push_back(&j);
    std::sort(junctions.begin(), junctions.end(),
              [](const Junction* a, const Junction* b) { return a->Rows < b->Rows; });
    for (std::size_t k = 0; k < junctions.size(); ++k) {
        const Junction& j = *junctions[k];
        if (k > 0 && junctions[k - 1]->Rows == j.Rows &&
            Distance(junctions[k - 1]->Place, j.Place) <= CoincidenceTolerance(j.Place, j.Place))
            continue;
        findings_.push_back({CheckRule::JunctionLengths, CheckSeverity::Warning, j.Rows, j.Place,
                             j.Ratio, limits::MaxJunctionLengthRatio});
    }

    std::sort(findings_.begin(), findings_.end(), [](const CheckFinding& a, const CheckFinding& b) {
        return std::tie(a.Rows.front(), a.Rule, a.Rows) < std::tie(b.Rows.front(), b.Rule, b.Rows);
    });
    assembled_ = true;
    return findings_;
}

std::vector<CheckFinding> CheckGeometry(const LineTable& table, const CheckConditions& conditions)
{
    GeometryChecker checker;
    checker.Load(table, conditions);
    return checker.Findings();
}

}  // namespace quorvane
