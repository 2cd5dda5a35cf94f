#include "MaaFile.h"

#include "NecDeckWriter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace quorvane {

namespace {

constexpr std::array<std::string_view, 12> KindWords{
    "name",         "wires",  "sources",  "source",         "loads",   "load",
    "segmentation", "ground", "combined", "combined-wire", "comment", "line"};

constexpr double SpeedOfLightMegametres = 299.792458;  // wavelength in m = this / MHz
constexpr double DefaultCoarsestDivisor = 80;  // the second field of MaaDefaultSegmentation
constexpr std::size_t ReportedLineLength = 120;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view TrimmedEnd(std::string_view text)
{
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<double> NumberOf(std::string_view field)
{
    if (!field.empty() && field.front() == '+')
        field.remove_prefix(1);
    double value = 0;
    const char* end = field.data() + field.size();
    const auto result = std::from_chars(field.data(), end, value);
    if (field.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<long long> IntegerOf(std::string_view field)
{
    const std::optional<double> value = NumberOf(field);
    if (!value || *value != std::floor(*value) || std::fabs(*value) > NecLargestInteger)
        return std::nullopt;
    return static_cast<long long>(*value);
}

std::string Joined(const std::vector<std::string>& fields, std::size_t from)
{
    std::string text;
    for (std::size_t i = from; i < fields.size(); ++i) {
        if (!text.empty())
            text += ' ';
        text += fields[i];
    }
    return text;
}

std::string ShortestText(double value)
{
    char buffer[32];
    return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr};
}

enum class Section { Wires, Sources, Loads, Segmentation, Ground, Unknown, Combined, Comment };

struct RawWire {
    double Ends[6];
    double Radius;
    long long Segments;
};

class Reader {
public:
    Reader(std::size_t maxRows) : maxRows_(maxRows) {}

    MaaImport Read(std::string_view text);

private:
    void Report(int number, std::string_view line, MaaProblem problem)
    {
        result_.Errors.push_back(
            {number, std::string(line.substr(0, std::min(line.size(), ReportedLineLength))),
             problem});
    }
    void AddRow(MaaRowKind kind, std::string_view text)
    {
        std::string row = "MMANA ";
        row += KindWords[static_cast<std::size_t>(kind)];
        if (!text.empty()) {
            row += ' ';
            row += text;
        }
        result_.Rows.push_back({wires_.size(), std::move(row)});
        rowLines_.push_back(current_);
    }
    void TakeTitleAndFrequency(std::size_t& next);
    void StartSection(Section section, std::string_view header);
    void EndSection();
    void TakeLine(int number, std::string_view line);
    void TakeCountLine(int number, std::string_view line, MaaRowKind kind);
    void TakeWire(int number, std::string_view line);
    void KeepWhatTheTableHolds();
    void MakeWires();

    struct Line {
        int Number;
        std::string_view Text;
    };

    std::size_t maxRows_;
    std::string text_;
    MaaImport result_;
    std::vector<Line> lines_;
    std::vector<RawWire> wires_;
    std::vector<std::string_view> fieldViews_;  // reused from wire to wire
    std::vector<int> wireLines_;  // the line number of each wire
    std::vector<int> rowLines_;   // and of each row
    int current_ = 1;             // the number of the line being read
    std::optional<double> frequency_;
    Section section_ = Section::Wires;
    int starHeaders_ = 0;  // headers of the '*' sections passed
    // The open section's count line, and how many lines it promises.
    bool countTaken_ = false;
    std::optional<Line> countLine_;
    long long counted_ = 0;
    long long sectionLines_ = 0;
    bool tooMany_ = false;
    std::optional<double> coarsestDivisor_;
    std::vector<std::vector<std::string>> combined_;
};

void Reader::TakeTitleAndFrequency(std::size_t& next)
{
    const auto skipBlank = [&] {
        while (next < lines_.size() && Trimmed(lines_[next].Text).empty())
            ++next;
    };
    // A file may begin with the line of the asterisk when it has no title.
    if (!lines_.empty() && Trimmed(lines_[0].Text) != "*") {
        const std::string_view title = Trimmed(lines_[0].Text);
        if (!title.empty())
            AddRow(MaaRowKind::Name, title);
        next = 1;
    }
    skipBlank();
    if (next < lines_.size() && Trimmed(lines_[next].Text) == "*")
        ++next;
    skipBlank();
    if (next >= lines_.size())
        return;
    const Line line = lines_[next];
    const std::string_view text = Trimmed(line.Text);
    if (text.front() == '*' || text.front() == '$' || text.front() == '#') {
        Report(line.Number, text, MaaProblem::BadFrequency);
        return;
    }
    ++next;
    std::vector<std::string> fields = MaaFields(text);
    // One number alone may have a decimal comma whatever surrounds it.
    if (fields.size() == 2 && std::count(text.begin(), text.end(), ',') == 1) {
        std::string point(text);
        std::replace(point.begin(), point.end(), ',', '.');
        fields = MaaFields(point);
    }
    const std::optional<double> megahertz =
        fields.size() == 1 ? NumberOf(fields[0]) : std::nullopt;
    if (!megahertz || *megahertz <= 0) {
        Report(line.Number, text, MaaProblem::BadFrequency);
        return;
    }
    frequency_ = megahertz;
    result_.Rows.push_back({0, "FR 0 1 0 0 " + ShortestText(*megahertz) + " 0"});
    rowLines_.push_back(line.Number);
}

void Reader::EndSection()
{
    if (countLine_ && counted_ != sectionLines_)
        Report(countLine_->Number, Trimmed(countLine_->Text), MaaProblem::CountMismatch);
    countTaken_ = false;
    countLine_.reset();
    counted_ = 0;
    sectionLines_ = 0;
}

void Reader::StartSection(Section section, std::string_view header)
{
    EndSection();
    section_ = section;
    if (section == Section::Unknown)
        AddRow(MaaRowKind::Line, header);
    if (section == Section::Comment) {
        // "###Comment### text": the comment may begin on the header's line.
        const std::string_view rest = Trimmed(header.substr(header.find_last_of('#') + 1));
        if (!rest.empty())
            AddRow(MaaRowKind::Comment, rest);
    }
}

void Reader::TakeCountLine(int number, std::string_view line, MaaRowKind kind)
{
    const std::vector<std::string> fields = MaaFields(line);
    const std::optional<long long> count = fields.empty() ? std::nullopt : IntegerOf(fields[0]);
    if (!count || *count < 0) {
        Report(number, line, MaaProblem::BadCount);
        return;
    }
    countLine_ = Line{number, line};
    counted_ = *count;
    if (fields.size() > 1)
        AddRow(kind, Joined(fields, 1));
}

// The fields of a line split at commas and white space, without copies;
// false when the line may have decimal commas and needs MaaFields.
bool SplitAtCommas(std::string_view line, std::vector<std::string_view>& fields)
{
    fields.clear();
    bool spaced = false, commaBetweenDigits = true;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        const char c = i < line.size() ? line[i] : ' ';
        const bool blank = IsBlank(c);
        if (!blank && c != ',' && c != ';')
            continue;
        if (blank && i < line.size())
            spaced = true;
        if (c == ',' && (i == 0 || i + 1 == line.size() || !IsDigit(line[i - 1]) ||
                         !IsDigit(line[i + 1])))
            commaBetweenDigits = false;
        if (i > start)
            fields.push_back(line.substr(start, i - start));
        start = i + 1;
    }
    const bool anyComma = line.find(',') != std::string_view::npos;
    return !(anyComma && spaced && commaBetweenDigits);
}

void Reader::TakeWire(int number, std::string_view line)
{
    std::vector<std::string_view>& fields = fieldViews_;
    std::vector<std::string> copies;
    if (!SplitAtCommas(line, fields)) {
        copies = MaaFields(line);
        fields.assign(copies.begin(), copies.end());
    }
    RawWire wire{};
    bool read = fields.size() == 8;
    for (std::size_t i = 0; read && i < 7; ++i) {
        const std::optional<double> value = NumberOf(fields[i]);
        read = value.has_value();
        // "-0.0" is 0: a radius of -0 would stand as "-0" in the supplement,
        // which no written file gives back.
        if (read)
            (i < 6 ? wire.Ends[i] : wire.Radius) = *value + 0.0;
    }
    const std::optional<long long> segments = read ? IntegerOf(fields[7]) : std::nullopt;
    if (!segments) {
        Report(number, line, MaaProblem::BadWire);
        return;
    }
    wire.Segments = *segments;
    if (wires_.size() >= maxRows_) {
        if (!tooMany_)
            Report(number, line, MaaProblem::TooManyWires);
        tooMany_ = true;
        return;
    }
    wires_.push_back(wire);
    wireLines_.push_back(number);
}

void Reader::TakeLine(int number, std::string_view line)
{
    const std::string_view text = Trimmed(line);
    if (section_ == Section::Comment) {
        AddRow(MaaRowKind::Comment, TrimmedEnd(line));
        return;
    }
    if (text.empty())
        return;
    switch (text.front()) {
    case '#':
        StartSection(Section::Comment, text);
        return;
    case '$':
        StartSection(Section::Combined, text);
        return;
    case '*':
        // The first header names the wires; a file may leave it out and
        // begin them with their count line.
        if (starHeaders_ == 0 && !countTaken_) {
            starHeaders_ = 1;
            return;
        }
        starHeaders_ = std::max(starHeaders_, 1) + 1;
        StartSection(starHeaders_ <= 5 ? static_cast<Section>(starHeaders_ - 1) : Section::Unknown,
                     text);
        return;
    default:
        break;
    }

    const bool counted = section_ == Section::Wires || section_ == Section::Sources ||
                         section_ == Section::Loads || section_ == Section::Combined;
    if (counted && !countTaken_) {
        static constexpr MaaRowKind countKinds[] = {MaaRowKind::Wires, MaaRowKind::Sources,
                                                    MaaRowKind::Loads};
        const MaaRowKind kind = section_ == Section::Combined
                                    ? MaaRowKind::Combined
                                    : countKinds[static_cast<std::size_t>(section_)];
        // The lines after a count line that is none are still the section's.
        countTaken_ = true;
        TakeCountLine(number, text, kind);
        return;
    }
    // Separators alone give no fields: such a line is as blank as an empty
    // one, and kept as a row it would be written as an empty line.
    const bool fieldsLine = section_ != Section::Wires && section_ != Section::Unknown;
    if (fieldsLine && std::all_of(text.begin(), text.end(),
                                  [](char c) { return IsBlank(c) || c == ',' || c == ';'; }))
        return;
    ++sectionLines_;
    switch (section_) {
    case Section::Wires:
        TakeWire(number, text);
        return;
    case Section::Sources:
        AddRow(MaaRowKind::Source, Joined(MaaFields(text), 0));
        return;
    case Section::Loads:
        AddRow(MaaRowKind::Load, Joined(MaaFields(text), 0));
        return;
    case Section::Segmentation: {
        const std::vector<std::string> fields = MaaFields(text);
        if (!coarsestDivisor_ && fields.size() > 1)
            if (const std::optional<double> divisor = NumberOf(fields[1]); divisor && *divisor > 0)
                coarsestDivisor_ = divisor;
        AddRow(MaaRowKind::Segmentation, Joined(fields, 0));
        return;
    }
    case Section::Ground:
        AddRow(MaaRowKind::Ground, Joined(MaaFields(text), 0));
        return;
    case Section::Combined:
        combined_.push_back(MaaFields(text));
        AddRow(MaaRowKind::CombinedWire, Joined(combined_.back(), 0));
        return;
    case Section::Unknown:
    case Section::Comment:
        AddRow(MaaRowKind::Line, text);
        return;
    }
}

// The table takes the rows and wires in the order they stand in until it is
// full, as a data file's reading does; the rest is left out, and said so.
void Reader::KeepWhatTheTableHolds()
{
    std::vector<NecCardRow>& rows = result_.Rows;
    std::size_t wire = 0, row = 0;
    const auto rowIsNext = [&] {
        return row < rows.size() && (rows[row].LinesBefore <= wire || wire == wires_.size());
    };
    for (std::size_t taken = 0; taken < maxRows_ && (wire < wires_.size() || row < rows.size());
         ++taken)
        ++(rowIsNext() ? row : wire);
    if (wire == wires_.size() && row == rows.size())
        return;
    const int number = rowIsNext() ? rowLines_[row] : wireLines_[wire];
    if (!tooMany_)
        Report(number, Trimmed(lines_[static_cast<std::size_t>(number - 1)].Text),
               MaaProblem::TooManyWires);
    wires_.resize(wire);
    rows.resize(row);
}

void Reader::MakeWires()
{
    const double divisor = coarsestDivisor_.value_or(DefaultCoarsestDivisor);
    result_.Wires.reserve(wires_.size());
    long long tag = 0;
    for (const RawWire& raw : wires_) {
        NecWire wire;
        wire.X1 = raw.Ends[0], wire.Y1 = raw.Ends[1], wire.Z1 = raw.Ends[2];
        wire.X2 = raw.Ends[3], wire.Y2 = raw.Ends[4], wire.Z2 = raw.Ends[5];
        wire.Tag = ++tag;
        const double dx = wire.X2 - wire.X1, dy = wire.Y2 - wire.Y1, dz = wire.Z2 - wire.Z1;
        const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
        if (raw.Segments >= 1) {
            wire.Segments = static_cast<int>(raw.Segments);
        } else if (frequency_) {
            const double pieces = std::ceil(length * divisor * *frequency_ / SpeedOfLightMegametres);
            wire.Segments = static_cast<int>(
                std::clamp(std::isfinite(pieces) ? pieces : 1.0, 1.0, double(NecLargestInteger)));
        } else {
            wire.Segments = NecSegmentsForLength(length);
        }
        wire.Radius = raw.Radius;
        if (raw.Radius < 0) {
            // A combined wire: its first radius stands for it.
            wire.Radius = NecDefaultRadius;
            for (const std::vector<std::string>& combined : combined_) {
                if (combined.size() < 4 || NumberOf(combined[0]) != raw.Radius)
                    continue;
                if (const std::optional<double> radius = NumberOf(combined[3]); radius && *radius > 0)
                    wire.Radius = *radius;
                break;
            }
        }
        wire.Supplement = NecSupplement(wire.Tag, wire.Segments, wire.Radius);
        if (raw.Radius < 0 || raw.Segments < 1) {
            wire.Supplement += " MMANA";
            if (raw.Radius < 0)
                wire.Supplement += " R " + ShortestText(raw.Radius);
            if (raw.Segments < 1)
                wire.Supplement += " S " + std::to_string(raw.Segments);
        }
        result_.Wires.push_back(std::move(wire));
    }
}

MaaImport Reader::Read(std::string_view text)
{
    // A Ctrl+Z ends a file of old editors.
    text_ = text.substr(0, text.find('\x1A'));
    // A CR within a line is no line end; it stands for a blank, as it will
    // when the line is written back.
    std::replace(text_.begin(), text_.end(), '\r', ' ');
    std::string_view rest = text_;
    int number = 0;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = TrimmedEnd(rest.substr(0, end));
        lines_.push_back({++number, line});
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    std::size_t next = 0;
    TakeTitleAndFrequency(next);
    for (; next < lines_.size(); ++next) {
        current_ = lines_[next].Number;
        TakeLine(lines_[next].Number, lines_[next].Text);
    }
    EndSection();
    // A comment's blank lines at its end are the file's end, not its text.
    while (!result_.Rows.empty() && result_.Rows.back().Text == "MMANA comment") {
        result_.Rows.pop_back();
        rowLines_.pop_back();
    }
    KeepWhatTheTableHolds();
    MakeWires();
    return std::move(result_);
}

}  // namespace

std::string_view MaaRowKindWord(MaaRowKind kind)
{
    return KindWords[static_cast<std::size_t>(kind)];
}

std::vector<std::string> MaaFields(std::string_view line)
{
    line = Trimmed(line);
    bool spaced = false;
    bool decimalCommas = true;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (IsBlank(line[i]))
            spaced = true;
        else if (line[i] == ',' &&
                 (i == 0 || i + 1 == line.size() || !IsDigit(line[i - 1]) || !IsDigit(line[i + 1])))
            decimalCommas = false;
    }
    decimalCommas = decimalCommas && spaced;
    std::vector<std::string> fields;
    std::string field;
    for (char c : line) {
        const bool separator = IsBlank(c) || c == ';' || (c == ',' && !decimalCommas);
        if (!separator) {
            field += c == ',' ? '.' : c;
        } else if (!field.empty()) {
            fields.push_back(std::move(field));
            field.clear();
        }
    }
    if (!field.empty())
        fields.push_back(std::move(field));
    return fields;
}

bool ReadMaaRow(std::string_view supplement, MaaRow& row)
{
    std::string text(Trimmed(supplement));
    constexpr std::string_view word = "MMANA";
    if (text.compare(0, word.size(), word) != 0 || text.size() == word.size())
        return false;
    const char after = text[word.size()];
    // A data file's reading may have put its separator in place of every blank.
    if (text.find(' ') == std::string::npos &&
        std::string_view(",;|:/\\\t").find(after) != std::string_view::npos)
        std::replace(text.begin(), text.end(), after, ' ');
    if (text[word.size()] != ' ')
        return false;
    std::string_view rest = std::string_view(text).substr(word.size() + 1);
    const std::string_view kindWord = rest.substr(0, rest.find(' '));
    const auto kind = std::find(KindWords.begin(), KindWords.end(), kindWord);
    if (kind == KindWords.end())
        return false;
    row.Kind = static_cast<MaaRowKind>(kind - KindWords.begin());
    rest.remove_prefix(kindWord.size());
    row.Text = std::string(rest.empty() ? rest : rest.substr(1));
    return true;
}

MaaImport ReadMaaText(std::string_view text, std::size_t maxRows)
{
    return Reader(maxRows).Read(text);
}

}  // namespace quorvane
