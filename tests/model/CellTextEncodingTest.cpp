#include "CellTextEncoding.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(CellTextEncoding, ShowsValidUtf8AsItIs)
{
    EXPECT_EQ(DisplayTextOf("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC 5"), "Grüße € 5");
    EXPECT_EQ(DisplayTextOf("plain"), "plain");
    EXPECT_EQ(DisplayTextOf(""), "");
    EXPECT_EQ(DisplayTextOf("\xF0\x9F\x93\xA1"), "\xF0\x9F\x93\xA1");  // satellite antenna
}

TEST(CellTextEncoding, ReadsAnythingElseAsWindows1252)
{
    EXPECT_EQ(DisplayTextOf("Gr\xFC\xDF" "e"), "Grüße");
    EXPECT_EQ(DisplayTextOf("\x80 \x96 \x93x\x94 \x9F"), "€ – “x” Ÿ");
    EXPECT_EQ(DisplayTextOf("\x81\x8D"), "\xC2\x81\xC2\x8D");  // unassigned bytes keep their code points
    EXPECT_EQ(DisplayTextOf("\xA0\xFF"), "\xC2\xA0\xC3\xBF");
    // One stray byte decides for the whole text.
    EXPECT_EQ(DisplayTextOf("\xC3\xBC and \xFC"), "Ã¼ and ü");
}

TEST(CellTextEncoding, RejectsMalformedUtf8)
{
    EXPECT_TRUE(IsValidUtf8("\xE2\x82\xAC"));
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));          // cut short
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\x80"));              // continuation without a lead
    EXPECT_FALSE(IsValidUtf8("\xF8\x88\x80\x80\x80"));
}

}  // namespace
}  // namespace quorvane
