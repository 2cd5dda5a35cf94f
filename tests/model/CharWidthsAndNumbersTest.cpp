#include "CharWidths.h"
#include "LineTable.h"
#include "NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace quorvane {
namespace {

std::optional<double> Parse(std::string_view text)
{
    double value = -999;
    if (!ParseNumber(text, value))
        return std::nullopt;
    return value;
}

TEST(ParseNumber, AcceptsTheFileSyntax)
{
    EXPECT_EQ(Parse("12"), 12.0);
    EXPECT_EQ(Parse("-12.5"), -12.5);
    EXPECT_EQ(Parse("+3"), 3.0);
    EXPECT_EQ(Parse("   7.25"), 7.25);
    EXPECT_EQ(Parse("1.5E2"), 150.0);
    EXPECT_EQ(Parse("1.5e-2"), 0.015);
    EXPECT_EQ(Parse("2e+3"), 2000.0);
    EXPECT_EQ(Parse(".5"), 0.5);
    EXPECT_EQ(Parse("5."), 5.0);
    EXPECT_EQ(Parse("-.5"), -0.5);
    EXPECT_EQ(Parse("  -.5e1"), -5.0);
}

TEST(ParseNumber, ReadsAPointOrAnExponentAloneAsZero)
{
    EXPECT_EQ(Parse("."), 0.0);
    EXPECT_EQ(Parse("E5"), 0.0);
    EXPECT_EQ(Parse("-e7"), 0.0);
    EXPECT_EQ(Parse(".E-2"), 0.0);
    EXPECT_EQ(Parse("0e99999999999999999999"), 0.0);
}

TEST(ParseNumber, RejectsWhatIsNotANumber)
{
    for (const char* text : {"", " ", "+", "-", "1e", "1e+", "E", "1 ", "1,5", "1.5.2", "abc",
                             "1a", "0x10", "inf", "nan", "Infinity", "--1", "+-1", "1e5.0",
                             "\t1", "1\t", "1 2", ". ", "1..", "e"})
        EXPECT_FALSE(Parse(text)) << '"' << text << '"';
}

TEST(ParseNumber, TreatsValuesBeyondTheDoubleRangeAsNotANumber)
{
    EXPECT_FALSE(Parse("1e309"));
    EXPECT_FALSE(Parse("-1e400"));
    EXPECT_FALSE(Parse(std::string(400, '9')));
    EXPECT_EQ(Parse("1e300"), 1e300);
    EXPECT_EQ(Parse("1.7e308"), 1.7e308);
    // Too small for a double is as good as zero.
    EXPECT_EQ(Parse("1e-400"), 0.0);
    EXPECT_EQ(Parse("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(FixedText, WritesFixedDecimalsWithAPointAndNoNegativeZero)
{
    EXPECT_EQ(FixedText(12.5, 4), "12.5000");
    EXPECT_EQ(FixedText(-0.25, 4), "-0.2500");
    EXPECT_EQ(FixedText(1.23456, 4), "1.2346");
    EXPECT_EQ(FixedText(3, 0), "3");
    EXPECT_EQ(FixedText(2.5, 0), "2");
    EXPECT_EQ(FixedText(-0.00001, 4), "0.0000");
    EXPECT_EQ(FixedText(-0.0, 2), "0.00");
    EXPECT_EQ(FixedText(123456789012.25, 2), "123456789012.25");
}

TEST(FixedText, WritesHugeValuesSoThatTheyReadBackExactly)
{
    for (double value : {1e15, -2.5e20, 1e300, 1.6e308, -1.6e308}) {
        const std::string text = FixedText(value, 4);
        EXPECT_LT(text.size(), 30u) << text;
        EXPECT_EQ(Parse(text), value) << text;
    }
}

TEST(FormatNumber, PadsWithBlanksToStandTwoBlanksFromTheRightEdge)
{
    // Digits 7 px, point 3 px, blank 3 px: "12.50" is 31 px wide;
    // round((80 - 31) / 3) - 2 = 14 blanks.
    const CharWidths widths;
    EXPECT_EQ(FormatNumber(80, 2, 12.5, widths), std::string(14, ' ') + "12.50");
    // A text as wide as the column gets no blanks.
    EXPECT_EQ(FormatNumber(80, 2, 12345678901.0, widths), "12345678901.00");
    const CharWidths wide([](char c) { return c == ' ' ? 4 : 10; });
    // (80 - 30) / 4 = 12.5 rounds to 12 (ties to even): 10 blanks.
    EXPECT_EQ(FormatNumber(80, 0, 123, wide), std::string(10, ' ') + "123");
    // (80 - 50) / 4 = 7.5 rounds to 8: 6 blanks.
    EXPECT_EQ(FormatNumber(80, 0, 12345, wide), std::string(6, ' ') + "12345");
}

TEST(CharWidths, MeasuresTextsFromOneCallPerCharacter)
{
    int calls = 0;
    const CharWidths widths([&](char c) {
        ++calls;
        return c == 'W' ? 11 : 5;
    });
    EXPECT_EQ(calls, 128);
    EXPECT_EQ(widths.TextWidth("WW a"), 32);
    EXPECT_EQ(widths.TextWidth("\xC3\xA4"), 10);  // bytes above ASCII count as '?'
    EXPECT_EQ(calls, 128);
}

TEST(RowLabel, RightAlignsUpTo999)
{
    EXPECT_EQ(RowLabel(1), "   1");
    EXPECT_EQ(RowLabel(9), "   9");
    EXPECT_EQ(RowLabel(10), "  10");
    EXPECT_EQ(RowLabel(99), "  99");
    EXPECT_EQ(RowLabel(100), "100");
    EXPECT_EQ(RowLabel(100000), "100000");
}

}  // namespace
}  // namespace quorvane
