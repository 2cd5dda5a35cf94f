#include "CheckLimits.h"
#include "CheckMessages.h"
#include "CheckTables.h"
#include "DataFileFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace quorvane::testing {
namespace {

std::string Describe(const std::vector<CheckFinding>& findings)
{
    std::string text;
    for (const CheckFinding& f : findings)
        text += std::string(RuleId(f.Rule)) + " " + std::string(SeverityId(f.Severity)) +
                " rows " + RowList(f.Rows) + " " + FindingNumbers(f, Language::English) + "\n";
    return text;
}

// The one finding there is, which must be of `rule`.
CheckFinding Only(const std::vector<CheckFinding>& findings, CheckRule rule)
{
    EXPECT_EQ(findings.size(), 1u) << Describe(findings);
    if (findings.size() != 1)
        return {};
    EXPECT_EQ(findings[0].Rule, rule) << Describe(findings);
    return findings[0];
}

void ExpectPlace(const CheckFinding& f, Vec3 p)
{
    EXPECT_NEAR(f.Place.X, p.X, 1e-9);
    EXPECT_NEAR(f.Place.Y, p.Y, 1e-9);
    EXPECT_NEAR(f.Place.Z, p.Z, 1e-9);
}

TEST(GeometryRules, WiresCrossingInTheirMiddlesAreJoinedOnlyAtSegmentEnds)
{
    {
        SCOPED_TRACE("plain lines at right angles");
        LineTable table;
        AddWire(table, {-1, 0, 0, 1, 0, 0});
        AddWire(table, {0, -1, 0, 0, 1, 0});
        const CheckFinding f = Only(Check(table), CheckRule::LinesCross);
        EXPECT_EQ(f.Severity, CheckSeverity::Error);
        EXPECT_EQ(f.Rows, (std::vector<int>{1, 2}));
        ExpectPlace(f, {0, 0, 0});
        EXPECT_EQ(f.Value, 0);
    }
    {
        SCOPED_TRACE("odd segment counts: the crossing lies inside a segment of each");
        LineTable table;
        AddWire(table, {-1, 0, 0, 1, 0, 0}, Wire(3, 0.001));
        AddWire(table, {0, -1, 0, 0, 1, 0}, Wire(5, 0.001));
        Only(Check(table), CheckRule::LinesCross);
    }
    {
        SCOPED_TRACE("even segment counts: a junction the simulator makes");
        LineTable table;
        AddWire(table, {-1, 0, 0, 1, 0, 0}, Wire(4, 0.001));
        AddWire(table, {0, -1, 0, 0, 1, 0}, Wire(2, 0.001));
        EXPECT_TRUE(Check(table).empty()) << Describe(Check(table));
    }
    {
        SCOPED_TRACE("passing 1.5 mm apart with 1 mm radii: the wires go through each other");
        LineTable table;
        AddWire(table, {-1, 0, 0, 1, 0, 0}, Wire(3, 0.001));
        AddWire(table, {0, -1, 0.0015, 0, 1, 0.0015}, Wire(3, 0.001));
        const CheckFinding f = Only(Check(table), CheckRule::LinesCross);
        EXPECT_NEAR(f.Value, 0.0015, 1e-12);
        EXPECT_DOUBLE_EQ(f.Limit, 0.002);
        ExpectPlace(f, {0, 0, 0.00075});
    }
    {
        SCOPED_TRACE("passing 3 mm apart: clear of each other");
        LineTable table;
        AddWire(table, {-1, 0, 0, 1, 0, 0}, Wire(3, 0.001));
        AddWire(table, {0, -1, 0.003, 0, 1, 0.003}, Wire(3, 0.001));
        EXPECT_TRUE(Check(table).empty());
    }
}

TEST(GeometryRules, AnEndOnAnotherLineIsAJunctionOnlyAtOneOfItsSegmentEnds)
{
    LineTable table;
    AddWire(table, {-1, 0, 0, 1, 0, 0});
    AddWire(table, {0, 0, 0, 0, 0, 1});
    const CheckFinding f = Only(Check(table), CheckRule::EndOnLine);
    EXPECT_EQ(f.Rows, (std::vector<int>{1, 2}));
    ExpectPlace(f, {0, 0, 0});

    // The same tee of wires whose through wire has a segment end there: a
    // junction, whose segments differ by 1 m to 0.1 m.
    LineTable wires;
    AddWire(wires, {-1, 0, 0, 1, 0, 0}, Wire(2, 0.001));
    AddWire(wires, {0, 0, 0, 0, 0, 0.1}, Wire(1, 0.001));
    const CheckFinding j = Only(Check(wires), CheckRule::JunctionLengths);
    EXPECT_EQ(j.Severity, CheckSeverity::Warning);
    EXPECT_EQ(j.Rows, (std::vector<int>{1, 2}));
    EXPECT_NEAR(j.Value, 10, 1e-9);
    ExpectPlace(j, {0, 0, 0});
}

TEST(GeometryRules, EndsThatNearlyMeet)
{
    {
        SCOPED_TRACE("0.4 mm apart with a 1 mm radius");
        LineTable table;
        AddWire(table, {0, 0, 0, 1, 0, 0}, Wire(5, 0.001));
        AddWire(table, {1.0004, 0, 0, 2, 0, 1}, Wire(5, 0.001));
        const CheckFinding f = Only(Check(table), CheckRule::EndsNearlyMeet);
        EXPECT_EQ(f.Severity, CheckSeverity::Warning);
        EXPECT_NEAR(f.Value, 0.0004, 1e-12);
        EXPECT_DOUBLE_EQ(f.Limit, 0.001);
        ExpectPlace(f, {1.0002, 0, 0});
    }
    {
        SCOPED_TRACE("plain lines 0.4 mm apart: a thousandth of the shorter line is the limit");
        LineTable table;
        AddWire(table, {0, 0, 0, 1, 0, 0});
        AddWire(table, {1.0004, 0, 0, 1.0004, 1, 0});
        EXPECT_EQ(Only(Check(table), CheckRule::EndsNearlyMeet).Limit, 0.001);
        LineTable shorter;
        AddWire(shorter, {0, 0, 0, 0.2, 0, 0});
        AddWire(shorter, {0.2004, 0, 0, 0.2004, 1, 0});
        EXPECT_TRUE(Check(shorter).empty()) << Describe(Check(shorter));
    }
    {
        SCOPED_TRACE("meeting at a sharp angle: the ends, not the nearest points, count");
        LineTable table;
        AddWire(table, {0, 0, 0, 1, 0, 0});
        AddWire(table, {0.0004, 0.0001, 0, 1, 0.05, 0});
        EXPECT_EQ(Only(Check(table), CheckRule::EndsNearlyMeet).Rows, (std::vector<int>{1, 2}));
    }
    {
        SCOPED_TRACE("ends that differ by the rounding of computed coordinates meet");
        LineTable table;
        AddWire(table, {0, 0, 0, 0.1 + 0.2, 0, 0}, Wire(1, 0.001));
        AddWire(table, {0.3, 0, 0, 0.3, 0.3, 0}, Wire(1, 0.001));
        EXPECT_TRUE(Check(table).empty()) << Describe(Check(table));
    }
}

TEST(GeometryRules, SegmentLengthAgainstTheWavelength)
{
    // 10 MHz: the wavelength is 29.98 m.
    LineTable table;
    AddWire(table, {0, 0, 0, 10, 0, 0}, Wire(3, 0.001));
    const CheckFinding f = Only(Check(table, 10.0), CheckRule::SegmentTooLong);
    EXPECT_EQ(f.Severity, CheckSeverity::Warning);
    EXPECT_NEAR(f.Value, 10.0 / 3 / 29.9792458, 1e-12);
    EXPECT_EQ(FindingNumbers(f, Language::English), "segment 0.1112 \xCE\xBB, limit 0.1 \xCE\xBB");
    EXPECT_EQ(FindingNumbers(f, Language::German), "Segment 0.1112 \xCE\xBB, Grenze 0.1 \xCE\xBB");
    ExpectPlace(f, {5, 0, 0});
    // Without a frequency there is no wavelength to compare with.
    EXPECT_TRUE(Check(table).empty());
    // Four segments are short enough.
    table.SetCellText(7, 1, Wire(4, 0.001));
    EXPECT_TRUE(Check(table, 10.0).empty());

    LineTable tiny;
    AddWire(tiny, {0, 0, 0, 0.001, 0, 0}, Wire(1, 0.0001));
    EXPECT_NEAR(Only(Check(tiny, 10.0), CheckRule::SegmentTooShort).Value, 0.001 / 29.9792458,
                1e-15);
}

TEST(GeometryRules, WireThicknessAgainstSegmentAndWavelength)
{
    LineTable table;
    AddWire(table, {0, 0, 0, 1, 0, 0}, Wire(10, 0.06));  // 0.1 m segments: ratio 1.67
    AddWire(table, {0, 1, 0, 1, 1, 0}, Wire(10, 0.25));  // ratio 0.4
    AddWire(table, {0, 2, 0, 1, 2, 0}, Wire(10, 0.04));  // ratio 2.5
    const std::vector<CheckFinding> findings = Check(table);
    ASSERT_EQ(findings.size(), 2u) << Describe(findings);
    EXPECT_EQ(findings[0].Rule, CheckRule::ThickSegment);
    EXPECT_EQ(findings[0].Severity, CheckSeverity::Warning);
    EXPECT_NEAR(findings[0].Value, 0.1 / 0.06, 1e-12);
    EXPECT_EQ(findings[0].Limit, limits::SegmentRadiusWarning);
    EXPECT_EQ(findings[1].Severity, CheckSeverity::Error);
    EXPECT_EQ(findings[1].Limit, limits::SegmentRadiusError);
    EXPECT_EQ(findings[1].Rows, std::vector<int>{2});

    // 30 MHz: a radius of 0.12 m is more than a hundredth of 9.99 m.
    LineTable fat;
    AddWire(fat, {0, 0, 0, 0.8, 0, 0}, Wire(1, 0.12));
    EXPECT_NEAR(Only(Check(fat, 30.0), CheckRule::ThickWire).Value, 0.12 / (299.792458 / 30),
                1e-12);

    LineTable zero;
    AddWire(zero, {0, 0, 0, 0.8, 0, 0}, Wire(1, 0));
    EXPECT_EQ(Only(Check(zero, 30.0), CheckRule::ZeroRadius).Severity, CheckSeverity::Error);
}

TEST(GeometryRules, CopiesAndOverlaps)
{
    LineTable table;
    AddWire(table, {0, 0, 0, 1, 0, 0});
    AddWire(table, {1, 0, 0, 0, 0, 0});  // the same line the other way round
    AddWire(table, {5, 5, 5, 6, 6, 6});
    AddWire(table, {0, 0, 0, 1, 0, 0});
    AddWire(table, {5, 5, 5, 5, 5, 5});
    const std::vector<CheckFinding> findings = Check(table);
    ASSERT_EQ(findings.size(), 2u) << Describe(findings);
    EXPECT_EQ(findings[0].Rule, CheckRule::DuplicateLines);
    EXPECT_EQ(findings[0].Rows, (std::vector<int>{1, 2, 4}));
    // A point line is only of zero length, though it lies on the end of row 3.
    EXPECT_EQ(findings[1].Rule, CheckRule::ZeroLength);
    EXPECT_EQ(findings[1].Rows, std::vector<int>{5});

    LineTable overlapping;
    AddWire(overlapping, {0, 0, 0, 2, 0, 0});
    AddWire(overlapping, {3, 0, 0, 1, 0, 0});
    AddWire(overlapping, {3, 0, 0, 4, 0, 0});  // goes on from row 2's end: a junction
    const CheckFinding f = Only(Check(overlapping), CheckRule::OverlappingLines);
    EXPECT_EQ(f.Rows, (std::vector<int>{1, 2}));
    EXPECT_DOUBLE_EQ(f.Value, 1);
    ExpectPlace(f, {1.5, 0, 0});

    // Side by side within their radii is lying on one another too.
    LineTable twin;
    AddWire(twin, {0, 0, 0, 2, 0, 0}, Wire(3, 0.001));
    AddWire(twin, {0.5, 0.0015, 0, 1.5, 0.0015, 0}, Wire(3, 0.001));
    EXPECT_DOUBLE_EQ(Only(Check(twin), CheckRule::OverlappingLines).Value, 1);
}

TEST(GeometryRules, GroundAtZ0)
{
    LineTable table;
    AddWire(table, {0, 0, 0, 0, 0, 5});      // a monopole standing on the ground
    AddWire(table, {1, 0, 1, 2, 0, -0.5});   // reaching into it
    AddWire(table, {3, 0, 0, 4, 0, 0});      // lying on it
    AddWire(table, {5, 0, 0.0005, 6, 0, 0.0005}, Wire(1, 0.0001));  // too low for its segment
    AddWire(table, {5, 1, 0.0005, 5.2, 1, 0.0005}, Wire(1, 0.0001)); // high enough for its own
    EXPECT_TRUE(Check(table).empty());
    const std::vector<CheckFinding> findings = Check(table, {}, true);
    ASSERT_EQ(findings.size(), 3u) << Describe(findings);
    EXPECT_EQ(findings[0].Rule, CheckRule::BelowGround);
    EXPECT_EQ(findings[0].Rows, std::vector<int>{2});
    EXPECT_EQ(findings[0].Value, -0.5);
    ExpectPlace(findings[0], {2, 0, -0.5});
    EXPECT_EQ(findings[1].Rule, CheckRule::InGroundPlane);
    EXPECT_EQ(findings[1].Rows, std::vector<int>{3});
    EXPECT_EQ(findings[2].Rule, CheckRule::InGroundPlane);
    EXPECT_EQ(findings[2].Rows, std::vector<int>{4});
    EXPECT_EQ(FindingNumbers(findings[2], Language::English), "height 0.0005 m, limit 0.001 m");
}

TEST(GeometryRules, JunctionsOfUnequalSegments)
{
    LineTable table;
    AddWire(table, {0, 0, 0, 1, 0, 0}, Wire(1, 0.001));
    AddWire(table, {1, 0, 0, 1, 0.15, 0}, Wire(1, 0.001));   // 1 m to 0.15 m: 6.7
    AddWire(table, {1, 0, 0, 1, 0, 0.5}, Wire(1, 0.001));
    AddWire(table, {5, 0, 0, 6, 0, 0}, Wire(1, 0.001));
    AddWire(table, {6, 0, 0, 6, 0.25, 0}, Wire(1, 0.001));   // 4: within the limit
    AddWire(table, {6, 0, 0, 6, 0, 0.15});                    // no wire data: not compared
    const CheckFinding f = Only(Check(table), CheckRule::JunctionLengths);
    EXPECT_EQ(f.Rows, (std::vector<int>{1, 2, 3}));
    EXPECT_NEAR(f.Value, 1 / 0.15, 1e-9);
    ExpectPlace(f, {1, 0, 0});
}

TEST(GeometryRules, IncompleteRowsAndFarLinesAreNoTrouble)
{
    LineTable table;
    AddNote(table, "FR 0 1 0 0 14.2 0");
    AddWire(table, {-1e300, 0, 0, 1e300, 0, 0});  // longer than the grid spans
    AddWire(table, {0, -1, 0, 0, 1, 0});
    AddWire(table, {1e200, 1, 1, 2e200, 2, 2});
    const std::vector<CheckFinding> findings = Check(table, 14.2);
    ASSERT_EQ(findings.size(), 1u) << Describe(findings);
    EXPECT_EQ(findings[0].Rule, CheckRule::LinesCross);
    EXPECT_EQ(findings[0].Rows, (std::vector<int>{2, 3}));
}

// The samples meant for simulation are sound; the pictures of antennas with
// their masts and booms are not, and say why.
using SampleChecks = DataFileFixture;

std::string SampleText(const char* name)
{
    std::ifstream file(std::string(QUORVANE_SAMPLES_DIR) + "/" + name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST_F(SampleChecks, SoundSamplesHaveNoFindings)
{
    LineTable helix;
    AddDeck(helix, SampleText("Helical antenna.nec"));
    ASSERT_GT(helix.LineCount, 70);
    ASSERT_EQ(ReadModelFacts(helix).FrequencyMHz, 435.0);
    EXPECT_TRUE(CheckAsItSays(helix).empty()) << Describe(CheckAsItSays(helix));

    file.ReadDataFile(std::string(QUORVANE_SAMPLES_DIR) + "/Cube.qrv");
    ASSERT_EQ(table.LineCount, 12);
    EXPECT_TRUE(Check(table).empty()) << Describe(Check(table));
}

TEST_F(SampleChecks, TheYagiPictureHasItsElementsAcrossTheBoom)
{
    file.ReadDataFile(std::string(QUORVANE_SAMPLES_DIR) + "/Yagi antenna.qrv");
    const std::vector<CheckFinding> findings = Check(table);
    std::vector<std::vector<int>> crossings, tees;
    for (const CheckFinding& f : findings)
        (f.Rule == CheckRule::LinesCross ? crossings : tees).push_back(f.Rows);
    EXPECT_EQ(crossings, (std::vector<std::vector<int>>{{1, 5}, {1, 6}, {1, 7}, {1, 8}}))
        << Describe(findings);
    // The reflector and the mast clamp at the boom, the coax at the clamp,
    // the guy wires at the mast.
    EXPECT_EQ(tees, (std::vector<std::vector<int>>{{1, 2}, {1, 10}, {9, 13}, {9, 14}, {9, 15},
                                                   {10, 11}}))
        << Describe(findings);
}

}  // namespace
}  // namespace quorvane::testing
