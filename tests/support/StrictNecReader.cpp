#include "StrictNecReader.h"

#include <charconv>
#include <cmath>

namespace quorvane::testing {

namespace {

std::vector<std::string_view> Fields(std::string_view text)
{
    std::vector<std::string_view> fields;
    while (!text.empty()) {
        const std::size_t start = text.find_first_not_of(' ');
        if (start == std::string_view::npos)
            break;
        text.remove_prefix(start);
        const std::size_t end = std::min(text.find(' '), text.size());
        fields.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return fields;
}

template <typename Number>
bool ReadWhole(std::string_view field, Number& value)
{
    const char* end = field.data() + field.size();
    const auto result = std::from_chars(field.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

class Reader {
public:
    StrictNecDeck Deck;

    void Line(int number, std::string_view line)
    {
        number_ = number;
        if (ended_)
            return Warn("a card after EN");
        for (char c : line)
            if (c == '\r' || c == '\t' || (static_cast<unsigned char>(c) < 0x20))
                return Warn("a control character");
        if (line.size() < 2)
            return Warn("no card name");
        const std::string_view name = line.substr(0, 2);
        if (line.size() > 2 && line[2] != ' ')
            return Warn("the card name runs into its fields");
        const std::vector<std::string_view> fields = Fields(line.substr(2));
        if (stage_ == Stage::Comments)
            return Comment(name, line);
        if (line.size() > 80)
            Warn("a card longer than 80 columns");
        if (name == "CM" || name == "CE")
            return Warn("a comment card among the geometry");
        if (stage_ == Stage::Geometry) {
            if (name == "GW")
                return Wire(fields);
            if (name == "GE") {
                if (fields.size() != 1 || fields[0] != "0")
                    Warn("GE needs the one field 0 for a structure without ground");
                stage_ = Stage::Control;
                return;
            }
            return Warn("an unexpected geometry card");
        }
        if (name == "EN")
            ended_ = true;
    }

    void End()
    {
        if (stage_ != Stage::Control)
            Warn("no GE card");
        if (!ended_)
            Warn("no EN card");
    }

private:
    enum class Stage { Comments, Geometry, Control };

    void Warn(std::string_view why)
    {
        Deck.Warnings.push_back("line " + std::to_string(number_) + ": " + std::string(why));
    }

    void Comment(std::string_view name, std::string_view line)
    {
        if (line.size() > 80)
            Warn("a comment card longer than 80 columns");
        if (name == "CM") {
            Deck.Comments.emplace_back(line.size() > 3 ? line.substr(3) : std::string_view());
        } else if (name == "CE") {
            stage_ = Stage::Geometry;
        } else {
            Warn("the deck does not begin with comment cards");
            stage_ = Stage::Geometry;
        }
    }

    void Wire(const std::vector<std::string_view>& fields)
    {
        if (fields.size() != 9)
            return Warn("GW needs nine fields");
        StrictNecWire wire;
        if (!ReadWhole(fields[0], wire.Tag) || !ReadWhole(fields[1], wire.Segments))
            return Warn("GW's tag and segment count are integers");
        for (int i = 0; i < 7; ++i) {
            double& value = i < 6 ? wire.Ends[i] : wire.Radius;
            if (!ReadWhole(fields[static_cast<std::size_t>(2 + i)], value) || !std::isfinite(value))
                return Warn("a GW field is not a finite number");
        }
        const double length = std::hypot(wire.Ends[3] - wire.Ends[0], wire.Ends[4] - wire.Ends[1],
                                         wire.Ends[5] - wire.Ends[2]);
        if (wire.Segments < 1)
            Warn("a wire without segments");
        else if (wire.Radius <= 0)
            Warn("a wire without a radius");
        else if (length / static_cast<double>(wire.Segments) < 2 * wire.Radius)
            Warn("segments shorter than the wire is thick");
        Deck.Wires.push_back(wire);
    }

    int number_ = 0;
    Stage stage_ = Stage::Comments;
    bool ended_ = false;
};

}  // namespace

StrictNecDeck ReadNecDeckStrictly(std::string_view text)
{
    Reader reader;
    int number = 0;
    if (!text.empty() && text.back() != '\n')
        reader.Deck.Warnings.push_back("the last card has no line end");
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        reader.Line(++number, text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    reader.End();
    return std::move(reader.Deck);
}

}  // namespace quorvane::testing
