#include "RenderOptions.h"

#include "AsciiText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sched.h>
#include <thread>

namespace quorvane {

namespace {

enum class OptionId {
    Output, OutputFolder, Format, Booklet, Settings, Azimuth, Elevation, Scale, Fit,
    Parallel, Anaglyph, LineNumbers, NotCentred, Jobs, Thumbnail, Size, TimeLimit, Check, Mark,
    Frequency, Help, Version
};

// Whether an option has a value: never, always (after '=' or as the next
// argument), or only after '=' (so that the next argument stays a file).
enum class Value { None, Needed, AfterEquals };

struct OptionName {
    std::string_view Long;
    std::string_view Short;
    Value Takes;
    OptionId Id;
};

constexpr OptionName Options[] = {
    {"--output", "-o", Value::Needed, OptionId::Output},
    {"--output-dir", "-d", Value::Needed, OptionId::OutputFolder},
    {"--format", "-f", Value::Needed, OptionId::Format},
    {"--booklet", "", Value::Needed, OptionId::Booklet},
    {"--settings", "", Value::Needed, OptionId::Settings},
    {"--azimuth", "", Value::Needed, OptionId::Azimuth},
    {"--elevation", "", Value::Needed, OptionId::Elevation},
    {"--scale", "", Value::Needed, OptionId::Scale},
    {"--fit", "", Value::Needed, OptionId::Fit},
    {"--parallel", "", Value::None, OptionId::Parallel},
    {"--anaglyph", "", Value::None, OptionId::Anaglyph},
    {"--line-numbers", "", Value::None, OptionId::LineNumbers},
    {"--not-centred", "", Value::None, OptionId::NotCentred},
    {"--jobs", "-j", Value::Needed, OptionId::Jobs},
    {"--thumbnail", "", Value::None, OptionId::Thumbnail},
    {"--size", "-s", Value::Needed, OptionId::Size},
    {"--time-limit", "", Value::Needed, OptionId::TimeLimit},
    {"--check", "", Value::AfterEquals, OptionId::Check},
    {"--mark", "", Value::None, OptionId::Mark},
    {"--frequency", "", Value::Needed, OptionId::Frequency},
    {"--help", "-h", Value::None, OptionId::Help},
    {"--version", "", Value::None, OptionId::Version},
};

constexpr std::pair<std::string_view, PictureFormat> Formats[] = {
    {".png", PictureFormat::Png}, {".bmp", PictureFormat::Bmp}, {".svg", PictureFormat::Svg},
    {".pdf", PictureFormat::Pdf}, {".emf", PictureFormat::Emf},
};

std::optional<int> WholeNumber(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<double> Number(std::string_view text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<PixelSize> SizeOf(std::string_view text)
{
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos)
        return std::nullopt;
    const std::optional<int> width = WholeNumber(text.substr(0, x));
    const std::optional<int> height = WholeNumber(text.substr(x + 1));
    if (!width || !height || *width < 1 || *height < 1)
        return std::nullopt;
    return PixelSize{*width, *height};
}

const OptionName* FindOption(std::string_view name)
{
    for (const OptionName& option : Options)
        if (name == option.Long || (!option.Short.empty() && name == option.Short))
            return &option;
    return nullptr;
}

// Takes one option's value; empty text when it is sound, else the problem.
std::string TakeOption(OptionId id, const std::string& value, RenderOptions& o, bool& formatGiven)
{
    switch (id) {
    case OptionId::Output:
        o.Output = value;
        break;
    case OptionId::OutputFolder:
        o.OutputFolder = value;
        break;
    case OptionId::Format: {
        const std::optional<PictureFormat> format =
            FormatOfName(value.starts_with('.') ? value : "." + value);
        if (!format || value.empty())
            return "--format takes png, bmp, svg, pdf or emf";
        o.Format = *format;
        formatGiven = true;
        break;
    }
    case OptionId::Booklet:
        o.Booklet = value;
        break;
    case OptionId::Settings:
        o.SettingsFile = value;
        break;
    case OptionId::Azimuth: {
        const std::optional<double> azimuth = Number(value);
        if (!azimuth || *azimuth < -180 || *azimuth > 180)
            return "--azimuth takes degrees from -180 to 180";
        o.Azimuth = *azimuth;
        break;
    }
    case OptionId::Elevation: {
        const std::optional<int> elevation = WholeNumber(value);
        if (!elevation || *elevation < -90 || *elevation > 90)
            return "--elevation takes whole degrees from -90 to 90";
        o.Elevation = *elevation;
        break;
    }
    case OptionId::Scale: {
        const std::optional<int> scale = WholeNumber(value);
        if (!scale || *scale < 1)
            return "--scale takes the N of 1 : N, a whole number from 1";
        o.Scale = scale;
        break;
    }
    case OptionId::Fit: {
        const std::optional<PixelSize> size = SizeOf(value);
        if (!size)
            return "--fit takes a size in pixels such as 800x600";
        o.Fit = size;
        break;
    }
    case OptionId::Parallel:
        o.Parallel = true;
        break;
    case OptionId::Anaglyph:
        o.Anaglyph = true;
        break;
    case OptionId::LineNumbers:
        o.LineNumbers = true;
        break;
    case OptionId::NotCentred:
        o.NotCentred = true;
        break;
    case OptionId::Jobs: {
        const std::optional<int> jobs = WholeNumber(value);
        if (!jobs || *jobs < 1)
            return "--jobs takes the number of workers, a whole number from 1";
        o.Jobs = jobs;
        break;
    }
    case OptionId::Thumbnail:
        o.Thumbnail = true;
        break;
    case OptionId::Size: {
        const std::optional<int> size = WholeNumber(value);
        if (!size || *size < 16 || *size > 4096)
            return "--size takes the thumbnail's size in pixels, 16 to 4096";
        o.ThumbnailSize = *size;
        break;
    }
    case OptionId::TimeLimit: {
        const std::optional<double> seconds = Number(value);
        if (!seconds || *seconds < 0.001 || *seconds > 3600)
            return "--time-limit takes seconds, from 0.001 to 3600";
        o.TimeLimitSeconds = *seconds;
        break;
    }
    case OptionId::Check:
        if (value.empty() || value == "text")
            o.Check = CheckFormat::Text;
        else if (value == "json")
            o.Check = CheckFormat::Json;
        else
            return "--check takes text (the default) or json after '='";
        break;
    case OptionId::Mark:
        o.Mark = true;
        break;
    case OptionId::Frequency: {
        const std::optional<double> frequency = Number(value);
        if (!frequency || *frequency <= 0)
            return "--frequency takes the frequency in MHz, a number above 0";
        o.FrequencyMHz = frequency;
        break;
    }
    case OptionId::Help:
    case OptionId::Version:
        break;
    }
    return {};
}

// What the options say together; empty text when they agree.
std::string CheckTogether(const RenderOptions& o, bool formatGiven, bool thumbnailOnly)
{
    if (o.Thumbnail) {
        if (o.Files.size() != 2)
            return "--thumbnail takes the model and the thumbnail's name";
        if (!o.Output.empty() || !o.OutputFolder.empty() || formatGiven || !o.Booklet.empty() ||
            o.Scale || o.Fit)
            return "--output, --output-dir, --format, --booklet, --scale and --fit do not "
                   "apply to a thumbnail";
        if (o.Check || o.Mark || o.FrequencyMHz)
            return "--check, --mark and --frequency do not apply to a thumbnail";
        return {};
    }
    if (thumbnailOnly)
        return "--size and --time-limit apply to --thumbnail only";
    if (o.Files.empty())
        return "no model file given";
    if (o.Scale && o.Fit)
        return "--scale and --fit exclude each other";
    if (!o.Booklet.empty()) {
        if (FormatOfName(o.Booklet) != PictureFormat::Pdf)
            return "the booklet's name must end in .pdf";
        if (!o.Output.empty() || !o.OutputFolder.empty() || formatGiven || o.Fit)
            return "--output, --output-dir, --format and --fit do not apply to a booklet";
        return {};
    }
    if (!o.Output.empty()) {
        if (o.Files.size() > 1)
            return "--output names one picture; give one file, or --output-dir for many";
        if (!o.OutputFolder.empty() || formatGiven)
            return "the name of --output gives its folder and format; leave out --output-dir "
                   "and --format";
        if (!FormatOfName(o.Output))
            return "--output must end in .png, .bmp, .svg, .pdf or .emf";
    }
    return {};
}

}  // namespace

std::optional<PictureFormat> FormatOfName(std::string_view name)
{
    for (const auto& [extension, format] : Formats)
        if (name.size() >= extension.size() &&
            EqualIgnoringCase(name.substr(name.size() - extension.size()), extension))
            return format;
    return std::nullopt;
}

std::string_view ExtensionOf(PictureFormat format)
{
    for (const auto& [extension, f] : Formats)
        if (f == format)
            return extension;
    return {};
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    RenderOptions& o = line.Options;
    bool formatGiven = false;
    bool thumbnailOnly = false;
    auto fail = [&line](std::string problem) {
        line.Do = CommandLine::Action::Fail;
        line.Problem = std::move(problem);
        return line;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") {
            o.Files.insert(o.Files.end(), arguments.begin() + std::ptrdiff_t(i) + 1,
                           arguments.end());
            break;
        }
        // A lone "-" names a file, as nothing is read from standard input.
        if (argument.size() < 2 || argument[0] != '-') {
            o.Files.push_back(argument);
            continue;
        }
        std::string name = argument;
        std::optional<std::string> value;
        if (const std::size_t equals = argument.find('=');
            argument.starts_with("--") && equals != std::string::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
        } else if (const OptionName* glued = FindOption(argument.substr(0, 2));
                   !argument.starts_with("--") && argument.size() > 2 && glued &&
                   glued->Takes == Value::Needed) {
            // A short option's value may follow it at once: -j4.
            name = argument.substr(0, 2);
            value = argument.substr(2);
        }
        const OptionName* option = FindOption(name);
        if (!option)
            return fail("unknown option " + name);
        if (option->Id == OptionId::Help)
            return {CommandLine::Action::Help, {}, {}};
        if (option->Id == OptionId::Version)
            return {CommandLine::Action::Version, {}, {}};
        if (option->Takes == Value::Needed && !value) {
            if (i + 1 == arguments.size())
                return fail(name + " needs a value");
            value = arguments[++i];
        } else if (option->Takes == Value::None && value) {
            return fail(name + " takes no value");
        }
        if (std::string problem = TakeOption(option->Id, value.value_or(""), o, formatGiven);
            !problem.empty())
            return fail(std::move(problem));
        thumbnailOnly = thumbnailOnly || option->Id == OptionId::Size ||
                        option->Id == OptionId::TimeLimit;
    }
    if (std::string problem = CheckTogether(o, formatGiven, thumbnailOnly); !problem.empty())
        return fail(std::move(problem));
    if (!o.Output.empty())
        o.Format = *FormatOfName(o.Output);
    o.Pictures = !o.Check || o.Mark || !o.Output.empty() || !o.OutputFolder.empty() ||
                 formatGiven || !o.Booklet.empty();
    return line;
}

int WorkerCount(const RenderOptions& options)
{
    int processors = 1;
    cpu_set_t allowed;
    if (sched_getaffinity(0, sizeof allowed, &allowed) == 0)
        processors = CPU_COUNT(&allowed);
    else
        processors = int(std::thread::hardware_concurrency());
    const int files = int(std::min<std::size_t>(options.Files.size(), 1 << 20));
    return std::clamp(options.Jobs.value_or(processors), 1, std::max(1, files));
}

std::string UsageText(std::string_view programName)
{
    const std::string name(programName);
    return "Usage: " + name + " [options] FILE...\n"
           "       " + name + " --booklet BOOKLET.pdf [options] FILE...\n"
           "       " + name + " --thumbnail [-s PIXELS] FILE THUMBNAIL.png\n"
R"(
Draws wire-frame models (.qrv data files, NEC-2 decks named *.nec and MMANA
files named *.maa) as pictures, without a display: one picture per file, or
one PDF booklet with a page per model, captioned with its file name and scale.

Pictures:
  -o, --output FILE       the picture of the one FILE given; its ending picks
                          the format: .png .bmp .svg .pdf .emf
  -f, --format TYPE       png (the default), bmp, svg, pdf or emf: pictures
                          named after their model, with this ending
  -d, --output-dir DIR    where pictures named after their model go (default:
                          beside the model)
      --booklet FILE.pdf  one A4 page per model in the printer orientation and
                          margins of the settings, each drawn at the largest
                          scale of the scale list that fits below its caption

View, as in Quorvane (default: azimuth 30, elevation 30, vanishing point,
centred, scale 1 : 100 or the listed scale nearest to it):
      --azimuth DEGREES   -180 to 180
      --elevation DEGREES whole degrees, -90 to 90
      --scale N           map scale 1 : N, taken as given even when the scale
                          list does not hold it
      --fit WxH           the largest scale of the scale list whose bitmap
                          fits W x H pixels (when none does, the largest
                          scale beyond the list that does)
      --parallel          parallel projection instead of vanishing point
      --anaglyph          red and cyan anaglyph for 3-D glasses
      --line-numbers      each line with its number
      --not-centred       the view aimed at the model's origin, not its centre
      --settings FILE     colours, fonts, scale list, screen width, viewer
                          distance, margin, page orientation and margins from
                          this settings file (default: the user's own Quorvane
                          settings; only ever read)

Geometry checks (crossing wires, ends that nearly meet, segments too long or
too short for the frequency, wires too thick, lines below the ground, ...):
      --check[=json]      print each model's findings on standard output, one
                          line each, or with =json one JSON document; only the
                          checks are made unless a picture option or --mark
                          asks for pictures too
      --mark              a marker at every finding in the pictures and pages
      --frequency MHZ     the frequency the checks take instead of the model's
                          own (a deck's FR card); without either, the rules
                          that need a wavelength are left out

  -j, --jobs N            N models drawn at once (default: one per processor);
                          the pictures, the booklet's pages and the messages
                          are the same, and in the same order, as with -j 1

Thumbnails, for file managers:
      --thumbnail         draws FILE (a path or a file:// URI) into the PNG
                          named THUMBNAIL, whatever its ending, at the largest
                          scale that fits; in the default colours unless
                          --settings is given; nothing else is written
  -s, --size PIXELS       the thumbnail's longest side at most (16 to 4096,
                          default 128)
      --time-limit SECONDS
                          gives the thumbnail up after this long (default 5);
                          files over 32 MB and anything but a plain file are
                          refused at once

  -h, --help              this text
      --version           the program's version

Every picture shows the whole model with a margin. The scale refers to a
screen )" + std::to_string(ReferenceScreenWidth) +
           R"( pixels wide whose width is the settings' ScreenWidth (0.3 m
unless set): at 1 : N a bitmap is as large as Quorvane draws the model on
such a screen, and the vector pictures are those Quorvane saves from it. A
booklet's pages show the scale true on paper.

Exit status: 0 when every file was drawn (or checked), 1 when some could not
be (each is named on standard error, the others are still drawn), 2 for a bad
command line, 3 when every file was read but --check found an error in one.
)";
}

}  // namespace quorvane
