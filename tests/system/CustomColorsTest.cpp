#include "CustomColors.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(CustomColors, SlotTextsAreUpperCaseHexWithAtLeastSixDigits)
{
    EXPECT_EQ(CustomColorText(0x0000FF), "0000FF");
    EXPECT_EQ(CustomColorText(0xABCDEF), "ABCDEF");
    EXPECT_EQ(CustomColorOf("00ff80"), Color(0x00FF80));
    EXPECT_EQ(CustomColorOf(CustomColorText(0x123456)), Color(0x123456));
    // Never set, without colour, or not a colour at all.
    for (const char* text : {"", "FFFFFFFF", "12G456", "-1", " 123456"})
        EXPECT_EQ(CustomColorOf(text), std::nullopt) << text;
}

}  // namespace
}  // namespace quorvane
