#include "PictureNames.h"
#include "RenderOptions.h"
#include "ScaleFit.h"

#include <gtest/gtest.h>

#include <limits>

namespace quorvane::testing {
namespace {

CommandLine Parse(std::vector<std::string> arguments)
{
    return ParseCommandLine(arguments);
}

TEST(RenderOptions, EveryOptionIsTakenWithItsValueInEitherSpelling)
{
    const CommandLine line =
        Parse({"--azimuth=-45.5", "--elevation", "-10", "--fit", "800X600", "--parallel",
               "--anaglyph", "--line-numbers", "--not-centred", "--settings", "s.ini", "-d",
               "out", "-f", "SVG", "a.qrv", "-", "--", "--b.qrv"});
    ASSERT_EQ(line.Do, CommandLine::Action::Render) << line.Problem;
    const RenderOptions& o = line.Options;
    EXPECT_EQ(o.Files, (std::vector<std::string>{"a.qrv", "-", "--b.qrv"}));
    EXPECT_EQ(o.Azimuth, -45.5);
    EXPECT_EQ(o.Elevation, -10);
    ASSERT_TRUE(o.Fit);
    EXPECT_EQ(o.Fit->Width, 800);
    EXPECT_EQ(o.Fit->Height, 600);
    EXPECT_FALSE(o.Scale);
    EXPECT_TRUE(o.Parallel && o.Anaglyph && o.LineNumbers && o.NotCentred);
    EXPECT_EQ(o.SettingsFile, "s.ini");
    EXPECT_EQ(o.OutputFolder, "out");
    EXPECT_EQ(o.Format, PictureFormat::Svg);

    // The main program's view without options; the output's ending is its format.
    const CommandLine plain = Parse({"-o", "picture.Emf", "a.qrv"});
    ASSERT_EQ(plain.Do, CommandLine::Action::Render) << plain.Problem;
    EXPECT_EQ(plain.Options.Format, PictureFormat::Emf);
    EXPECT_EQ(plain.Options.Azimuth, 30);
    EXPECT_EQ(plain.Options.Elevation, 30);
    EXPECT_FALSE(plain.Options.Parallel || plain.Options.Anaglyph || plain.Options.NotCentred);

    EXPECT_EQ(Parse({"a.qrv", "--version"}).Do, CommandLine::Action::Version);
    EXPECT_EQ(Parse({"-h"}).Do, CommandLine::Action::Help);
}

TEST(RenderOptions, CheckAloneMakesNoPicturesAndAnyPictureOptionDoes)
{
    const CommandLine check = Parse({"--check", "a.qrv", "--frequency", "14.2"});
    ASSERT_EQ(check.Do, CommandLine::Action::Render) << check.Problem;
    EXPECT_EQ(check.Options.Check, CheckFormat::Text);
    EXPECT_EQ(check.Options.FrequencyMHz, 14.2);
    EXPECT_FALSE(check.Options.Pictures);
    EXPECT_EQ(Parse({"--check=json", "a.qrv"}).Options.Check, CheckFormat::Json);
    EXPECT_EQ(Parse({"--check=text", "a.qrv"}).Options.Check, CheckFormat::Text);
    for (const std::vector<std::string>& pictures :
         {std::vector<std::string>{"--check", "--mark", "a.qrv"},
          std::vector<std::string>{"--check", "-o", "a.png", "a.qrv"},
          std::vector<std::string>{"--check", "-d", "out", "a.qrv"},
          std::vector<std::string>{"--check", "-f", "svg", "a.qrv"},
          std::vector<std::string>{"--check", "--booklet", "b.pdf", "a.qrv"},
          std::vector<std::string>{"a.qrv"}})
        EXPECT_TRUE(Parse(pictures).Options.Pictures) << pictures[1];
    EXPECT_TRUE(Parse({"--mark", "a.qrv"}).Options.Mark);
}

TEST(RenderOptions, ValuesOutOfRangeAndOptionsThatClashAreRefused)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--azimuth", "180.5", "a.qrv"},  {"--azimuth", "nan", "a.qrv"},
        {"--azimuth", "1e999", "a.qrv"},  {"--elevation", "4.5", "a.qrv"},
        {"--scale", "12abc", "a.qrv"},    {"--scale", "99999999999", "a.qrv"},
        {"--fit", "0x5", "a.qrv"},        {"--fit", "800", "a.qrv"},
        {"--fit", "x600", "a.qrv"},       {"-f", "gif", "a.qrv"},
        {"-f", "", "a.qrv"},              {"--parallel=1", "a.qrv"},
        {"-o", "a.png", "-f", "png", "a.qrv"},
        {"-o", "a.png", "-d", "out", "a.qrv"},
        {"--booklet", "b.pdf", "-f", "svg", "a.qrv"},
        {"--booklet", "b.pdf", "--fit", "10x10", "a.qrv"},
        {"--booklet", "b.pdfx", "a.qrv"}, {"--scale"},
        {"-x", "a.qrv"},
    };
    for (const auto& arguments : bad) {
        const CommandLine line = Parse(arguments);
        EXPECT_EQ(line.Do, CommandLine::Action::Fail) << arguments.front() << " " << arguments[1 % arguments.size()];
        EXPECT_FALSE(line.Problem.empty());
    }
    EXPECT_EQ(Parse({"--booklet", "B.PDF", "--scale", "20", "a.qrv"}).Do,
              CommandLine::Action::Render);
}

TEST(RenderOptions, WorkersAreAsManyAsAskedOrAsProcessorsButNeverMoreThanFiles)
{
    const CommandLine glued = Parse({"-j3", "a.qrv", "b.qrv", "c.qrv", "d.qrv"});
    ASSERT_EQ(glued.Do, CommandLine::Action::Render) << glued.Problem;
    EXPECT_EQ(glued.Options.Jobs, 3);
    EXPECT_EQ(WorkerCount(glued.Options), 3);
    EXPECT_EQ(WorkerCount(Parse({"--jobs=8", "a.qrv", "b.qrv"}).Options), 2);
    EXPECT_EQ(WorkerCount(Parse({"-j", "1", "a.qrv", "b.qrv"}).Options), 1);
    const RenderOptions unasked = Parse({"a.qrv", "b.qrv", "c.qrv", "d.qrv", "e.qrv"}).Options;
    EXPECT_FALSE(unasked.Jobs);
    EXPECT_GE(WorkerCount(unasked), 1);
    EXPECT_LE(WorkerCount(unasked), 5);
    // Other short options take a glued value too.
    EXPECT_EQ(Parse({"-opicture.svg", "a.qrv"}).Options.Output, "picture.svg");
    for (const char* bad : {"-j0", "-j", "--jobs=-2", "-jx"})
        EXPECT_EQ(Parse({bad, "a.qrv"}).Do, CommandLine::Action::Fail) << bad;
}

TEST(RenderOptions, PicturesAreNamedAfterTheirModel)
{
    RenderOptions options;
    EXPECT_EQ(PictureNameFor("dir/Model v2.1.qrv", options), "dir/Model v2.1.png");
    EXPECT_EQ(PictureNameFor("model", options), "model.png");
    options.Format = PictureFormat::Pdf;
    options.OutputFolder = "out/";
    EXPECT_EQ(PictureNameFor("/models/deck.NEC", options), "out/deck.pdf");
    options.Output = "chosen.svg";
    EXPECT_EQ(PictureNameFor("/models/deck.NEC", options), "chosen.svg");
}

TEST(ScaleFit, TheSmallestListedDenominatorThatFitsElseTheSmallestBeyondTheList)
{
    const std::vector<int> list = {1, 100, 10, 20, 50, 200, 0, -5};
    int trials = 0;
    auto from = [&trials](int first) {
        return [&trials, first](int n) {
            ++trials;
            return n >= first;
        };
    };
    EXPECT_EQ(LargestFittingScale(list, from(37)), 50);
    EXPECT_EQ(LargestFittingScale(list, from(1)), 1);
    EXPECT_EQ(LargestFittingScale(list, from(247)), 247);
    EXPECT_EQ(LargestFittingScale({}, from(3)), 3);
    trials = 0;
    EXPECT_EQ(LargestFittingScale(list, from(std::numeric_limits<int>::max())),
              std::numeric_limits<int>::max());
    // Doubling, then halving the gap: a few dozen trials, not billions.
    EXPECT_LT(trials, 80);
    EXPECT_EQ(LargestFittingScale(list, [](int) { return false; }), std::nullopt);
}

TEST(ScaleFit, TheSmallestFittingDenominatorIsFoundFromAnyGuessInAFewTrialsWhenNear)
{
    int trials = 0;
    auto from = [&trials](int first) {
        return [&trials, first](int n) {
            ++trials;
            return n >= first;
        };
    };
    for (const int guess : {1, 436, 437, 438, 1000, 5, std::numeric_limits<int>::max(), -3})
        EXPECT_EQ(SmallestFittingDenominator(guess, from(437)), 437) << guess;
    EXPECT_EQ(SmallestFittingDenominator(9, from(1)), 1);
    EXPECT_EQ(SmallestFittingDenominator(1, from(std::numeric_limits<int>::max())),
              std::numeric_limits<int>::max());
    EXPECT_EQ(SmallestFittingDenominator(7, [](int) { return false; }), std::nullopt);
    trials = 0;
    EXPECT_EQ(SmallestFittingDenominator(440, from(437)), 437);
    EXPECT_LE(trials, 6);
    trials = 0;
    EXPECT_EQ(SmallestFittingDenominator(1, from(2000000000)), 2000000000);
    EXPECT_LT(trials, 70);
}

TEST(RenderOptions, AThumbnailTakesTheModelAndItsPictureAndOnlyItsOwnOptions)
{
    const CommandLine line = Parse({"--thumbnail", "-s", "256", "--azimuth", "10", "in.qrv", "out"});
    ASSERT_EQ(line.Do, CommandLine::Action::Render) << line.Problem;
    EXPECT_TRUE(line.Options.Thumbnail);
    EXPECT_EQ(line.Options.ThumbnailSize, 256);
    EXPECT_EQ(line.Options.Files, (std::vector<std::string>{"in.qrv", "out"}));
    EXPECT_EQ(Parse({"--thumbnail", "--time-limit=0.5", "a", "b"}).Options.TimeLimitSeconds, 0.5);
    const std::vector<std::vector<std::string>> bad = {
        {"--thumbnail", "in.qrv"}, {"--thumbnail", "a", "b", "c"},
        {"--thumbnail", "-o", "x.png", "a", "b"}, {"--thumbnail", "--scale", "5", "a", "b"},
        {"--thumbnail", "-s", "8", "a", "b"}, {"--thumbnail", "-s", "5000", "a", "b"},
        {"--thumbnail", "--time-limit", "0", "a", "b"}, {"-s", "128", "a.qrv"},
        {"--time-limit", "3", "a.qrv"}};
    for (const auto& arguments : bad)
        EXPECT_EQ(Parse(arguments).Do, CommandLine::Action::Fail) << arguments[1];
}

}  // namespace
}  // namespace quorvane::testing
