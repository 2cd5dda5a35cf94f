#include "NecCardText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace quorvane::testing {
namespace {

std::string Card(std::string_view name, NecCardLayout layout, const std::vector<NecField>& fields,
                 bool* exact = nullptr)
{
    std::string out;
    const NecCardWritten written = AppendNecCard(out, name, layout, fields);
    if (exact)
        *exact = written.Exact;
    EXPECT_EQ(out.back(), '\n');
    out.pop_back();
    return out;
}

// The text of a GW card's first coordinate, which has nine columns of room.
std::string Coordinate(double value, bool* exact = nullptr)
{
    const std::string card =
        Card("GW", NecCardLayout::Geometry,
             {NecField::Integer(1), NecField::Integer(1), NecField::Real(value)}, exact);
    EXPECT_EQ(card.size(), 20u) << card;
    const std::size_t first = card.find_first_not_of(' ', 10);
    return first == std::string::npos ? std::string() : card.substr(first);
}

std::vector<std::string> FreeFormFields(std::string_view card)
{
    std::vector<std::string> fields;
    std::size_t at = 2;
    while ((at = card.find_first_not_of(' ', at)) != std::string_view::npos) {
        const std::size_t end = std::min(card.find(' ', at), card.size());
        fields.emplace_back(card.substr(at, end - at));
        at = end;
    }
    return fields;
}

// A reader by columns takes each field from its columns; one that implies
// decimals takes a real without a point as a fraction. Every field must
// stand alone in its columns, carry a point when it is real and read as a
// free-form reader reads it.
void ExpectReadTheSameByColumns(std::string_view card, NecCardLayout layout, int integers)
{
    ASSERT_LE(card.size(), NecCardWidth);
    const std::vector<std::string> free = FreeFormFields(card);
    for (int f = 0; f < static_cast<int>(free.size()); ++f) {
        SCOPED_TRACE("field " + std::to_string(f + 1));
        const std::size_t begin = NecFieldStart(layout, f);
        const std::size_t end = NecFieldStart(layout, f + 1);
        ASSERT_LE(end, card.size());
        EXPECT_EQ(card[begin], ' ') << "a field touches the one before it";
        const std::string_view columns = card.substr(begin, end - begin);
        EXPECT_EQ(columns.substr(columns.find_first_not_of(' ')), free[static_cast<std::size_t>(f)]);
        if (f >= integers) {
            EXPECT_NE(columns.find('.'), std::string_view::npos) << columns;
        }
    }
}

TEST(NecCardText, FieldsStandRightAlignedInTheirColumnsAndEveryRealHasAPoint)
{
    const std::string wire =
        Card("GW", NecCardLayout::Geometry,
             {NecField::Integer(1), NecField::Integer(11), NecField::Real(0), NecField::Real(-0.5),
              NecField::Real(1.25), NecField::Real(2), NecField::Real(1e-5),
              NecField::Real(-1234.5), NecField::Real(0.001)});
    EXPECT_EQ(wire, "GW  1   11        0.      -0.5      1.25        2.     1.e-5   -1234.5     0.001");
    ExpectReadTheSameByColumns(wire, NecCardLayout::Geometry, 2);

    const std::string excitation =
        Card("EX", NecCardLayout::Control,
             {NecField::Integer(0), NecField::Integer(1), NecField::Integer(6),
              NecField::Integer(0), NecField::Real(1), NecField::Real(-0.0)});
    EXPECT_EQ(excitation, "EX  0    1    6    0        1.        0.");
    ExpectReadTheSameByColumns(excitation, NecCardLayout::Control, 4);

    // An expression of a symbolic deck stands where its number would.
    const std::string symbolic =
        Card("GW", NecCardLayout::Geometry,
             {NecField::Integer(1), NecField::Integer(11), NecField::Text("-len/2"),
              NecField::Real(0)});
    EXPECT_EQ(symbolic, "GW  1   11    -len/2        0.");
}

TEST(NecCardText, ARealIsItsShortestExactTextWhenThatFitsElseTheMostDigitsThatFit)
{
    struct Case {
        double Value;
        const char* Text;
        bool Exact;
    };
    const Case cases[] = {
        {0.1, "0.1", true},
        {100, "100.", true},
        {1e-3, "0.001", true},          // as short as 1.e-3: the plainer one
        {1.5e-05, "1.5e-5", true},      // shorter than 0.000015
        {1e20, "1.e20", true},
        {-0.1234567, "-.1234567", true},  // the leading zero gives way first
        {1.0 / 3, ".33333333", false},
        {-1.0 / 3, "-.3333333", false},
        {123456.789, "123456.79", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        bool exact = false;
        EXPECT_EQ(Coordinate(c.Value, &exact), c.Text);
        EXPECT_EQ(exact, c.Exact);
    }

    // Over many values of every size: what claims to be exact reads back as
    // the same double, anything else is within half a unit of its seventh
    // digit.
    std::mt19937_64 random(19);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-12, 12);
    for (int i = 0; i < 20000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        bool exact = false;
        const std::string card =
            Card("GW", NecCardLayout::Geometry,
                 {NecField::Integer(1), NecField::Integer(1), NecField::Real(value)}, &exact);
        const std::string text = FreeFormFields(card).back();
        ASSERT_LE(card.size(), NecCardWidth) << card;
        ASSERT_NE(text.find('.'), std::string::npos) << text;
        const double read = std::strtod(text.c_str(), nullptr);
        if (exact) {
            ASSERT_EQ(read, value) << text;
        } else {
            ASSERT_LE(std::abs(read - value), 5e-7 * std::abs(value)) << text;
        }
    }
}

TEST(NecCardText, FieldsThatCannotStandInTheirColumnsShareTheCardsRoomInFreeForm)
{
    // A long tag and a small coordinate: free form, and still exact.
    bool exact = false;
    EXPECT_EQ(Card("GW", NecCardLayout::Geometry,
                   {NecField::Integer(1234), NecField::Integer(5), NecField::Real(0),
                    NecField::Real(0), NecField::Real(0), NecField::Real(1.2345678912e-8),
                    NecField::Real(0), NecField::Real(1), NecField::Real(0.001)},
                   &exact),
              "GW 1234 5 0. 0. 0. 1.2345678912e-8 0. 1. 0.001");
    EXPECT_TRUE(exact);

    // Five long numbers: they share the room left, eight or nine digits
    // each, and the card ends in column 80.
    const double small = 1.2345678901234e-7;
    const std::string shared =
        Card("GW", NecCardLayout::Geometry,
             {NecField::Integer(1), NecField::Integer(1), NecField::Real(small),
              NecField::Real(small), NecField::Real(small), NecField::Real(small),
              NecField::Real(0), NecField::Real(small), NecField::Real(0.001)},
             &exact);
    EXPECT_EQ(shared.size(), NecCardWidth) << shared;
    EXPECT_FALSE(exact);
    for (const std::string& field : FreeFormFields(shared))
        if (field.find('e') != std::string::npos) {
            EXPECT_TRUE(field == "1.2345679e-7" || field == "1.23456789e-7") << field;
        }

    // Where seven digits of everything do not fit, the card is longer
    // rather than less exact.
    const std::vector<NecField> crowded(
        {NecField::Integer(1), NecField::Integer(1), NecField::Real(-1.2345678901234567e-15),
         NecField::Real(-1.2345678901234567e-15), NecField::Real(-1.2345678901234567e-15),
         NecField::Real(-1.2345678901234567e-15), NecField::Real(-1.2345678901234567e-15),
         NecField::Real(-1.2345678901234567e-15), NecField::Real(-1.2345678901234567e-15)});
    const std::string longer = Card("GW", NecCardLayout::Geometry, crowded);
    EXPECT_GT(longer.size(), NecCardWidth);
    for (std::size_t f = 2; f < 9; ++f)
        EXPECT_EQ(FreeFormFields(longer)[f], "-1.234568e-15");

    // Coordinates measured against the largest of their wire: seven digits
    // of it for each, which keeps a small loop's chords in their columns.
    const std::vector<double> chord{-0.1006012766, -0.01826211999, -0.01578758812,
                                    -0.09369348123, -0.009821969012, -0.05119547111};
    std::vector<NecField> scaled{NecField::Integer(20), NecField::Integer(1)};
    for (double c : chord)
        scaled.push_back(NecField::Real(c, 0.1006012766));
    scaled.push_back(NecField::Real(0.0006096));
    const std::string loop = Card("GW", NecCardLayout::Geometry, scaled);
    EXPECT_EQ(loop, "GW 20    1 -.1006013 -.0182621 -.0157876 -.0936935  -.009822 -.0511955 0.0006096");
    ExpectReadTheSameByColumns(loop, NecCardLayout::Geometry, 2);
    for (std::size_t c = 0; c < chord.size(); ++c)
        EXPECT_LE(std::abs(std::strtod(FreeFormFields(loop)[c + 2].c_str(), nullptr) - chord[c]),
                  5e-7 * 0.1006012766);

    // A number too wide for its ten columns even at seven digits.
    EXPECT_EQ(Card("GW", NecCardLayout::Geometry,
                   {NecField::Integer(1), NecField::Integer(1), NecField::Real(123456789)}),
              "GW 1 1 123456789.");
}

}  // namespace
}  // namespace quorvane::testing
