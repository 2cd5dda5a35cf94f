#include "Transforms.h"

#include "NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace quorvane {
namespace {

Transform Rotation(Axis axis, double degrees, bool aboutCentre = false)
{
    Transform t;
    t.Kind = TransformKind::Rotate;
    t.RotationAxis = axis;
    t.AngleDegrees = degrees;
    t.AboutCentre = aboutCentre;
    return t;
}

void ExpectNear(const Point3& actual, const Point3& expected)
{
    EXPECT_NEAR(actual.X, expected.X, 1e-12);
    EXPECT_NEAR(actual.Y, expected.Y, 1e-12);
    EXPECT_NEAR(actual.Z, expected.Z, 1e-12);
}

TEST(Transforms, RotationsTurnTheAxesCounterClockwiseAndQuarterTurnsExactly)
{
    const Point3 origin{};
    // Exactly, not nearly: a quarter turn leaves no traces like 6e-17.
    EXPECT_EQ(TransformPoint(Rotation(Axis::Z, 90), origin, {1, 0, 0}), (Point3{0, 1, 0}));
    EXPECT_EQ(TransformPoint(Rotation(Axis::X, 90), origin, {0, 1, 0}), (Point3{0, 0, 1}));
    EXPECT_EQ(TransformPoint(Rotation(Axis::Y, 90), origin, {0, 0, 1}), (Point3{1, 0, 0}));
    EXPECT_EQ(TransformPoint(Rotation(Axis::Z, -90), origin, {1, 0, 0}), (Point3{0, -1, 0}));
    EXPECT_EQ(TransformPoint(Rotation(Axis::Z, 450), origin, {2, 3, 4}), (Point3{-3, 2, 4}));
    EXPECT_EQ(TransformPoint(Rotation(Axis::Y, 180), origin, {2, 3, 4}), (Point3{-2, 3, -4}));
    const double half = std::sqrt(0.5);
    ExpectNear(TransformPoint(Rotation(Axis::Z, 45), origin, {1, 0, 5}), {half, half, 5});
    ExpectNear(TransformPoint(Rotation(Axis::X, 30), origin, {0, 2, 0}), {0, std::sqrt(3.0), 1});
    // About a centre: (3, 1) turns a quarter round (2, 1) to (2, 2).
    EXPECT_EQ(TransformPoint(Rotation(Axis::Z, 90, true), {2, 1, 0}, {3, 1, 7}),
              (Point3{2, 2, 7}));
}

TEST(Transforms, MovesScalesAndMirrors)
{
    Transform move;
    move.Offset = {1, -2, 0.5};
    move.AboutCentre = true;  // a move goes the same way from anywhere
    EXPECT_EQ(TransformPoint(move, {9, 9, 9}, {1, 1, 1}), (Point3{2, -1, 1.5}));

    Transform scale;
    scale.Kind = TransformKind::Scale;
    scale.Factor = 2;
    EXPECT_EQ(TransformPoint(scale, {1, 1, 1}, {2, 3, 4}), (Point3{4, 6, 8}));
    scale.AboutCentre = true;
    EXPECT_EQ(TransformPoint(scale, {1, 1, 1}, {2, 3, 4}), (Point3{3, 5, 7}));

    Transform mirror;
    mirror.Kind = TransformKind::Mirror;
    const Point3 p{1, 2, 3};
    mirror.Plane = MirrorPlane::XY;
    EXPECT_EQ(TransformPoint(mirror, {}, p), (Point3{1, 2, -3}));
    mirror.Plane = MirrorPlane::YZ;
    EXPECT_EQ(TransformPoint(mirror, {}, p), (Point3{-1, 2, 3}));
    mirror.Plane = MirrorPlane::ZX;
    EXPECT_EQ(TransformPoint(mirror, {}, p), (Point3{1, -2, 3}));
    mirror.AboutCentre = true;
    EXPECT_EQ(TransformPoint(mirror, {0, 5, 0}, p), (Point3{1, 8, 3}));
}

class TransformRowsTest : public ::testing::Test {
protected:
    void SetRow(int row, const std::string& line)
    {
        // Six coordinate texts and a supplement, comma-separated; a text
        // that is no number leaves its coordinate undefined.
        std::size_t start = 0;
        LineRecord& record = table.Record(row);
        for (int column = 1; column <= 7; ++column) {
            const std::size_t comma = column < 7 ? line.find(',', start) : line.size();
            const std::string text = line.substr(start, comma - start);
            table.SetCellText(column, row, text);
            double value = Undefined;
            if (column <= 6)
                record.Coordinate(column) = ParseNumber(text, value) ? value : Undefined;
            start = comma + 1;
        }
        record.Complete = record.AllCoordinatesDefined();
        if (record.Complete)
            ComputeMidpoint(record);
    }

    LineTable table;
};

TEST_F(TransformRowsTest, MapsEveryWholeEndPointAndLeavesRowsWithoutCoordinates)
{
    SetRow(1, "1,0,0,3,0,0,wire");
    SetRow(2, ",,,,,,FR 0 1 0 0 14.2 0");
    SetRow(3, "0,2,0,x,y,z,half");
    table.Recount();
    const std::vector<int> rows{1, 2, 3};
    ASSERT_EQ(SelectionCentre(table, rows), (Point3{1.5, 1, 0}));

    const TransformedRows result = TransformRows(table, rows, Rotation(Axis::Z, 90), 2);
    EXPECT_EQ(result.OverflowRow, 0);
    // The card row has nothing to turn and is not among the results.
    ASSERT_EQ(result.Rows, (std::vector<int>{1, 3}));
    const RowContent& wire = result.Contents[0];
    EXPECT_EQ(wire.Record.X2, 0);
    EXPECT_EQ(wire.Record.Y2, 3);
    EXPECT_EQ(wire.Record.YM, 2);
    EXPECT_TRUE(wire.Record.Complete);
    EXPECT_EQ(wire.Texts.Get(5), table.FormatNumber(2, 3));
    EXPECT_EQ(wire.Texts.Get(SupplementColumn), "wire");
    // Of a row with one whole end point, that point turns; the other keeps
    // its texts and stays undefined.
    const RowContent& half = result.Contents[1];
    EXPECT_EQ(half.Record.X1, -2);
    EXPECT_EQ(half.Texts.Get(1), table.FormatNumber(2, -2));
    EXPECT_EQ(half.Texts.Get(4), "x");
    EXPECT_EQ(half.Record.X2, Undefined);
    EXPECT_FALSE(half.Record.Complete);
    // The table itself is untouched: the change path writes the results.
    EXPECT_EQ(table.Record(1).X2, 3);
}

TEST_F(TransformRowsTest, ACoordinateBeyondTheRangeIsReportedWithItsRow)
{
    SetRow(1, "1,0,0,2,0,0,a");
    SetRow(2, "1e300,0,0,2,0,0,b");
    table.Recount();
    Transform scale;
    scale.Kind = TransformKind::Scale;
    scale.Factor = 1e10;
    EXPECT_EQ(TransformRows(table, {1, 2}, scale, 2).OverflowRow, 2);
    // Reaching the mark of an undefined coordinate is beyond the range too.
    SetRow(2, "1.7e307,0,0,2,0,0,b");
    scale.Factor = 10;
    EXPECT_EQ(TransformRows(table, {1, 2}, scale, 2).OverflowRow, 2);
    Transform move;
    move.Offset = {0, 0, 1e308};
    SetRow(2, "0,0,1e308,2,0,0,b");
    EXPECT_EQ(TransformRows(table, {1, 2}, move, 2).OverflowRow, 2);
}

}  // namespace
}  // namespace quorvane
