#include "NecCardText.h"

#include "NecCardRows.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace quorvane {

namespace {

// The significant digits of a non-zero value and the power of ten of the
// first: 0.0125 is "125" and -2.
struct Decimal {
    std::array<char, 17> Digits;  // the first Count of them
    int Count = 0;
    int Exponent = 0;
    bool Negative = false;
};

// Rounded to `precision` digits, or with 0 the fewest that read back exactly.
Decimal DecimalOf(double value, int precision)
{
    std::array<char, 40> buffer;
    const double magnitude = std::abs(value);
    char* const first = buffer.data();
    char* const last = first + buffer.size();
    const std::to_chars_result written =
        precision == 0
            ? std::to_chars(first, last, magnitude, std::chars_format::scientific)
            : std::to_chars(first, last, magnitude, std::chars_format::scientific, precision - 1);
    Decimal d;
    d.Negative = value < 0;
    const char* p = first;
    d.Digits[static_cast<std::size_t>(d.Count++)] = *p++;
    if (*p == '.')
        for (++p; *p != 'e'; ++p)
            d.Digits[static_cast<std::size_t>(d.Count++)] = *p;
    ++p;  // the 'e'
    if (*p == '+')
        ++p;
    std::from_chars(p, written.ptr, d.Exponent);
    while (d.Count > 1 && d.Digits[static_cast<std::size_t>(d.Count - 1)] == '0')
        --d.Count;
    return d;
}

// Long enough for the longest choice: "-1.2345678901234567e-308".
struct NumberText {
    std::array<char, 32> Chars;  // the first Size of them
    std::size_t Size = 0;

    void Add(char c) { Chars[Size++] = c; }
    void Add(char c, int times)
    {
        for (int i = 0; i < times; ++i)
            Add(c);
    }
    std::string_view View() const { return {Chars.data(), Size}; }
};

int DecimalLength(int value)
{
    int length = 1;
    for (; value >= 10; value /= 10)
        ++length;
    return length;
}

// The shorter of fixed and scientific notation, always with a point;
// fixed notation where both are as long. Without the leading zero of a
// value below one when `leadingZero` is false: ".5".
NumberText Render(const Decimal& d, bool leadingZero)
{
    const int k = d.Count, e = d.Exponent;
    const int fixedLength = e >= k - 1 ? e + 2 : e >= 0 ? k + 1 : k - e + (leadingZero ? 1 : 0);
    const int scientificLength = k + 2 + (e < 0 ? 1 : 0) + DecimalLength(std::abs(e));
    const auto digit = [&d](int i) { return d.Digits[static_cast<std::size_t>(i)]; };

    NumberText text;
    if (d.Negative)
        text.Add('-');
    if (fixedLength <= scientificLength) {
        if (e < 0) {
            if (leadingZero)
                text.Add('0');
            text.Add('.');
            text.Add('0', -e - 1);
            for (int i = 0; i < k; ++i)
                text.Add(digit(i));
        } else if (e >= k - 1) {
            for (int i = 0; i < k; ++i)
                text.Add(digit(i));
            text.Add('0', e - (k - 1));
            text.Add('.');
        } else {
            for (int i = 0; i < k; ++i) {
                text.Add(digit(i));
                if (i == e)
                    text.Add('.');
            }
        }
        return text;
    }
    text.Add(digit(0));
    text.Add('.');
    for (int i = 1; i < k; ++i)
        text.Add(digit(i));
    text.Add('e');
    std::array<char, 8> exponent{};
    const char* end = std::to_chars(exponent.data(), exponent.data() + exponent.size(), e).ptr;
    for (const char* c = exponent.data(); c != end; ++c)
        text.Add(*c);
    return text;
}

struct RealText {
    NumberText Text;
    int Digits = 0;  // 0 for zero, which has nothing to round
    bool Exact = true;
};

RealText Zero()
{
    RealText real;
    real.Text.Add('0');
    real.Text.Add('.');
    return real;
}

// The shortest exact text as std::to_chars chooses it, with a point in it
// and the exponent without '+' and leading zeros: "100.", "0.001",
// "1.5e-5". Most numbers need nothing more, so this comes first.
void Plain(double value, RealText& real)
{
    real.Text.Size = 0;
    real.Digits = 0;
    real.Exact = true;
    if (value == 0) {
        real.Text.Add('0');
        real.Text.Add('.');
        return;
    }
    std::array<char, 32> buffer;
    const char* const end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    const char* const e = std::find(static_cast<const char*>(buffer.data()), end, 'e');
    bool point = false, leading = true;
    for (const char* c = buffer.data(); c != e; ++c) {
        real.Text.Add(*c);
        point = point || *c == '.';
        if (*c >= '1' && *c <= '9')
            leading = false;
        if (*c >= '0' && *c <= '9' && !leading)
            ++real.Digits;
    }
    if (!point) {
        // Zeros before the point of a whole number are no digits to round.
        for (const char* c = e; c != buffer.data() && c[-1] == '0'; --c)
            --real.Digits;
        real.Text.Add('.');
    }
    if (e != end) {
        real.Text.Add('e');
        const char* c = e + 1;
        if (*c == '-')
            real.Text.Add(*c);
        if (*c == '-' || *c == '+')
            ++c;
        while (c + 1 != end && *c == '0')
            ++c;
        for (; c != end; ++c)
            real.Text.Add(*c);
    }
}

RealText Shortest(double value, bool leadingZero)
{
    if (value == 0)
        return Zero();
    const Decimal d = DecimalOf(value, 0);
    return {Render(d, leadingZero), d.Count, true};
}

int PowerOfTen(double value) { return static_cast<int>(std::floor(std::log10(std::abs(value)))); }

// The fewest digits a real keeps: NecLeastDigits of the larger of itself
// and its scale.
int LeastDigits(double value, double scale)
{
    if (value == 0 || !(std::abs(scale) > std::abs(value)))
        return NecLeastDigits;
    return std::max(1, NecLeastDigits - (PowerOfTen(scale) - PowerOfTen(value)));
}

// The most digits a text of a value whose first digit stands for 10^e can
// have within `room` characters, without a leading zero: rounding may still
// carry into one more place.
int DigitsThatFit(int e, bool negative, std::size_t room)
{
    const int r = static_cast<int>(room) - (negative ? 1 : 0);
    const int fixed = e >= 0 ? (e + 2 <= r ? r - 1 : 0) : r + e;
    const int scientific = r - 2 - (e < 0 ? 1 : 0) - DecimalLength(std::abs(e));
    return std::max(fixed, scientific);
}

// The shortest exact text if it fits `room`, else the most digits that fit,
// else the fewest digits it keeps, which do not fit.
void Fitted(double value, double scale, std::size_t room, RealText& real)
{
    Plain(value, real);
    if (real.Text.Size <= room)
        return;
    const Decimal shortest = DecimalOf(value, 0);
    real = {Render(shortest, false), shortest.Count, true};
    const int least = LeastDigits(value, scale);
    const int most = std::min(real.Digits - 1, DigitsThatFit(shortest.Exponent, value < 0, room));
    if (real.Text.Size > room && most < least) {
        const Decimal d = DecimalOf(value, least);
        real = {Render(d, false), d.Count, false};
        return;
    }
    for (int digits = most; real.Text.Size > room && digits >= least; --digits) {
        const Decimal d = DecimalOf(value, digits);
        real = {Render(d, false), d.Count, false};
    }
}

// One field's text, as it stands in a card.
struct FieldText {
    RealText Number;        // integers and reals
    std::string_view Text;  // text fields
    bool IsText = false;

    std::string_view View() const { return IsText ? Text : Number.Text.View(); }
};

NumberText IntegerText(long long value)
{
    NumberText text;
    text.Size = static_cast<std::size_t>(
        std::to_chars(text.Chars.data(), text.Chars.data() + text.Chars.size(), value).ptr -
        text.Chars.data());
    return text;
}

std::size_t ColumnsOf(NecCardLayout layout, int field)
{
    return NecFieldStart(layout, field + 1) - NecFieldStart(layout, field);
}

}  // namespace

NecCardWritten AppendNecCard(std::string& out, std::string_view name, NecCardLayout layout,
                             std::span<const NecField> fields)
{
    const int count = std::min(static_cast<int>(fields.size()), NecFieldCount(layout));
    std::array<FieldText, NecMaxFields> texts;
    bool inColumns = true;
    for (int f = 0; f < count; ++f) {
        const NecField& field = fields[static_cast<std::size_t>(f)];
        FieldText& text = texts[static_cast<std::size_t>(f)];
        const std::size_t room = ColumnsOf(layout, f) - 1;  // a blank before every field
        switch (field.Type()) {
        case NecField::Kind::Integer:
            text.Number.Text = IntegerText(field.IntegerValue());
            break;
        case NecField::Kind::Real:
            Fitted(field.RealValue(), field.Scale(), room, text.Number);
            break;
        case NecField::Kind::Text:
            text.Text = field.TextValue();
            text.IsText = true;
            break;
        }
        inColumns = inColumns && text.View().size() <= room;
    }

    NecCardWritten written;
    if (inColumns && name.size() == 2) {
        // Made on the stack and appended at once: most cards of a large
        // deck go this way.
        std::array<char, NecCardWidth + 1> line;
        std::copy(name.begin(), name.end(), line.begin());
        std::size_t at = name.size();
        for (int f = 0; f < count; ++f) {
            const FieldText& text = texts[static_cast<std::size_t>(f)];
            const std::string_view view = text.View();
            const std::size_t blanks = ColumnsOf(layout, f) - view.size();
            std::fill_n(line.begin() + static_cast<std::ptrdiff_t>(at), blanks, ' ');
            std::copy(view.begin(), view.end(), line.begin() + static_cast<std::ptrdiff_t>(at + blanks));
            at += blanks + view.size();
            written.Exact = written.Exact && text.Number.Exact;
        }
        line[at++] = '\n';
        out.append(line.data(), at);
        return written;
    }
    out += name;

    // Free form: the room of the columns is pooled, so short fields leave
    // more of it to long ones.
    std::size_t length = name.size();
    for (int f = 0; f < count; ++f) {
        FieldText& text = texts[static_cast<std::size_t>(f)];
        if (fields[static_cast<std::size_t>(f)].Type() == NecField::Kind::Real)
            Plain(fields[static_cast<std::size_t>(f)].RealValue(), text.Number);
        length += 1 + text.View().size();
    }
    const auto eachReal = [&](auto&& action) {
        for (int f = 0; f < count; ++f)
            if (fields[static_cast<std::size_t>(f)].Type() == NecField::Kind::Real)
                action(fields[static_cast<std::size_t>(f)], texts[static_cast<std::size_t>(f)]);
    };
    const auto replace = [&length](FieldText& text, const RealText& real) {
        length = length - text.Number.Text.Size + real.Text.Size;
        text.Number = real;
    };
    if (length > NecCardWidth)
        eachReal([&](const NecField& field, FieldText& text) {
            replace(text, Shortest(field.RealValue(), false));
        });
    // The longest real gives up a digit until the card fits, down to the
    // fewest it keeps less `spare`.
    const auto shrink = [&](int spare) {
        while (length > NecCardWidth) {
            FieldText* longest = nullptr;
            double value = 0;
            eachReal([&](const NecField& field, FieldText& text) {
                if (text.Number.Digits > LeastDigits(field.RealValue(), field.Scale()) - spare &&
                    (!longest || text.Number.Digits > longest->Number.Digits)) {
                    longest = &text;
                    value = field.RealValue();
                }
            });
            if (!longest || longest->Number.Digits <= 1)
                return;
            const Decimal d = DecimalOf(value, longest->Number.Digits - 1);
            replace(*longest, {Render(d, false), d.Count, false});
        }
    };
    shrink(0);
    if (length > NecCardWidth) {
        // Readers that stop at column 80 would lose the last fields: two
        // digits more of the longest reals are the smaller loss, where they
        // make the card fit.
        const std::array<FieldText, NecMaxFields> kept = texts;
        const std::size_t keptLength = length;
        shrink(2);
        if (length > NecCardWidth) {
            texts = kept;
            length = keptLength;
        }
    }
    for (int f = 0; f < count; ++f) {
        const FieldText& text = texts[static_cast<std::size_t>(f)];
        out += ' ';
        out += text.View();
        written.Exact = written.Exact && text.Number.Exact;
    }
    out += '\n';
    return written;
}

bool AppendNecCardText(std::string& out, std::string_view card)
{
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (card.size() < 2 || !isLetter(card[0]) || !isLetter(card[1]) ||
        (card.size() > 2 && !IsNecBlank(card[2]) && card[2] != ','))
        return false;
    const std::string_view name = card.substr(0, 2);
    const char upper[2] = {static_cast<char>(name[0] & ~0x20), static_cast<char>(name[1] & ~0x20)};
    const NecCardLayout layout = IsNecControlCardName(std::string_view(upper, 2))
                                     ? NecCardLayout::Control
                                     : NecCardLayout::Geometry;
    std::array<NecField, NecMaxFields> fields{NecField::Integer(0), NecField::Integer(0),
                                              NecField::Integer(0), NecField::Integer(0),
                                              NecField::Integer(0), NecField::Integer(0),
                                              NecField::Integer(0), NecField::Integer(0),
                                              NecField::Integer(0), NecField::Integer(0)};
    int count = 0;
    std::string_view rest = card.substr(2);
    const auto separator = [](char c) { return IsNecBlank(c) || c == ','; };
    while (true) {
        while (!rest.empty() && separator(rest.front()))
            rest.remove_prefix(1);
        if (rest.empty())
            break;
        std::size_t end = 0;
        while (end < rest.size() && !separator(rest[end]))
            ++end;
        const std::string_view text = rest.substr(0, end);
        rest.remove_prefix(end);
        if (count == NecFieldCount(layout))
            return false;
        if (count < NecIntegerCount(layout)) {
            long long value = 0;
            const char* last = text.data() + text.size();
            const std::from_chars_result read =
                std::from_chars(text.data() + (text.front() == '+' ? 1 : 0), last, value);
            if (read.ec != std::errc() || read.ptr != last)
                return false;
            fields[static_cast<std::size_t>(count++)] = NecField::Integer(value);
        } else {
            const std::optional<double> value = ReadNecNumber(text);
            if (!value)
                return false;
            fields[static_cast<std::size_t>(count++)] = NecField::Real(*value);
        }
    }
    AppendNecCard(out, std::string_view(upper, 2), layout,
                  std::span<const NecField>(fields.data(), static_cast<std::size_t>(count)));
    return true;
}

}  // namespace quorvane
