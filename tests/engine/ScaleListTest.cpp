#include "ScaleList.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(ScaleList, SnapsToTheEntryNearerInRatio)
{
    std::vector<int> list{1, 100, 500, 1000};
    int index = -1;
    EXPECT_EQ(SnapScaleToList(list, index, 700), 500);  // 1.4 against 1.43
    EXPECT_EQ(index, 2);
    EXPECT_EQ(SnapScaleToList(list, index, 750), 1000);  // 1.5 against 1.33
    EXPECT_EQ(index, 3);

    std::vector<int> pair{200, 200, 500};
    EXPECT_EQ(SnapScaleToList(pair, index, 300), 200);  // 1.5 against 1.67 keeps the lower
    EXPECT_EQ(SnapScaleToList(pair, index, 400), 500);  // 2 against 1.25
    EXPECT_EQ(SnapScaleToList(pair, index, 200), 200);
    EXPECT_EQ(index, 1);  // the last of equal entries below the next larger one
}

TEST(ScaleList, ClampsToTheListsEnds)
{
    std::vector<int> list{1, 100, 500, 1000};
    int index = -1;
    EXPECT_EQ(SnapScaleToList(list, index, 0), 1);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(SnapScaleToList(list, index, -40), 1);
    EXPECT_EQ(SnapScaleToList(list, index, 5000), 1000);
    EXPECT_EQ(index, 3);

    std::vector<int> single{100, 100};
    EXPECT_EQ(SnapScaleToList(single, index, 12345), 100);
    EXPECT_EQ(index, 1);

    std::vector<int> empty;
    EXPECT_EQ(SnapScaleToList(empty, index, 7), 100);
    EXPECT_EQ(empty.size(), 2u);
}

TEST(ScaleList, StepsStopAtBothEnds)
{
    const std::vector<int> list{1, 100, 500};
    int index = 1;
    EXPECT_TRUE(IncreaseScale(index));
    EXPECT_EQ(list[index], 1);
    EXPECT_FALSE(IncreaseScale(index));
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(DecreaseScale(list, index));
    EXPECT_TRUE(DecreaseScale(list, index));
    EXPECT_EQ(list[index], 500);
    EXPECT_FALSE(DecreaseScale(list, index));
    EXPECT_EQ(index, 2);
}

TEST(ScaleList, EditedLinesLoseLeadingZerosAndEmptyLines)
{
    const ScaleLines cleaned = CleanScaleLines({"007", "", "0", "20"});
    EXPECT_EQ(cleaned.Lines, (std::vector<std::string>{"7", "20"}));
    EXPECT_EQ(cleaned.Scales, (std::vector<int>{7, 7, 20}));
    EXPECT_EQ(cleaned.TooLargeLine, -1);

    const ScaleLines none = CleanScaleLines({"", "000"});
    EXPECT_EQ(none.Lines, (std::vector<std::string>{"100"}));
    EXPECT_EQ(none.Scales, (std::vector<int>{100, 100}));
    EXPECT_EQ(CleanScaleLines({}).Scales, (std::vector<int>{100, 100}));
}

TEST(ScaleList, ALineBeyondThirtyTwoBitsIsNamedAndNothingIsTaken)
{
    EXPECT_EQ(CleanScaleLines({"5", "2147483647"}).Scales,
              (std::vector<int>{5, 5, 2147483647}));
    const ScaleLines large = CleanScaleLines({"5", "", "0002147483648", "7"});
    EXPECT_EQ(large.TooLargeLine, 1);
    EXPECT_EQ(large.Lines[1], "2147483648");
    EXPECT_TRUE(large.Scales.empty());
    EXPECT_EQ(CleanScaleLines({"99999999999999999999"}).TooLargeLine, 0);
}

}  // namespace
}  // namespace quorvane
