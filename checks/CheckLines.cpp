#include "CheckLines.h"

#include "CheckLimits.h"
#include "LineTable.h"
#include "NecDeckWriter.h"
#include "RowTexts.h"

#include <algorithm>

namespace quorvane {

namespace {

double Size(Vec3 p)
{
    return std::max({std::abs(p.X), std::abs(p.Y), std::abs(p.Z)});
}

}  // namespace

Vec3 CheckLine::Node(int k) const
{
    const int n = Segments();
    if (k <= 0)
        return A;
    if (k >= n)
        return B;
    return Along(A, B, double(k) / n);
}

double CheckLine::Tolerance() const
{
    return CoincidenceTolerance(A, B);
}

double CoincidenceTolerance(Vec3 a, Vec3 b)
{
    return limits::CoincidenceRelative * std::max({1.0, Size(a), Size(b)});
}

CheckLine ReadCheckLine(const LineTable& table, int row)
{
    CheckLine line;
    if (row < 1 || row > table.LineCount)
        return line;
    const LineRecord& r = table.Record(row);
    if (!r.Complete || !r.AllCoordinatesDefined())
        return line;
    line.Present = true;
    line.A = {r.X1, r.Y1, r.Z1};
    line.B = {r.X2, r.Y2, r.Z2};
    line.Length = Distance(line.A, line.B);
    if (const std::optional<NecWireKeys> keys =
            ReadNecSupplement(table.CellText(SupplementColumn, row)))
        line.Wire = WireData{keys->Segments, keys->Radius};
    return line;
}

}  // namespace quorvane
