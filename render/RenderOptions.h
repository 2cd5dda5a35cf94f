#pragma once

#include "ViewParameters.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

enum class PictureFormat { Png, Bmp, Svg, Pdf, Emf };

// The format a picture's name asks for by its ending, in any case; none for
// an ending that is no picture format.
std::optional<PictureFormat> FormatOfName(std::string_view name);
// The ending of a format's files, with its dot: ".png".
std::string_view ExtensionOf(PictureFormat format);

// The screen the scale refers to: the drawing at 1 : N is as large as on a
// screen this many pixels wide whose width the settings give (ScreenWidth).
inline constexpr int ReferenceScreenWidth = 1920;
inline constexpr int ReferenceScreenHeight = 1080;

// How --check tells what it finds.
enum class CheckFormat { Text, Json };

struct PixelSize {
    int Width = 0, Height = 0;
};

// What the command line asks for. The view's defaults are the main
// program's for a user without settings.
struct RenderOptions {
    std::vector<std::string> Files;
    std::string Output;        // the one picture's name
    std::string OutputFolder;  // where pictures named after their model go
    PictureFormat Format = PictureFormat::Png;
    std::string Booklet;       // the booklet's name; empty: one picture per file
    std::string SettingsFile;  // empty: the user's own
    double Azimuth = ViewParameters{}.Azimuth;
    int Elevation = ViewParameters{}.Elevation;
    std::optional<int> Scale;     // 1 : Scale, as given
    std::optional<PixelSize> Fit;  // the largest listed scale that fits
    bool Parallel = false;
    bool Anaglyph = false;
    bool LineNumbers = false;
    bool NotCentred = false;
    std::optional<int> Jobs;  // workers drawing at once; none: one per processor
    // A file manager's thumbnail: Files holds the model and the PNG to write.
    bool Thumbnail = false;
    int ThumbnailSize = 128;           // the longest side at most, in pixels
    double TimeLimitSeconds = 5;       // a thumbnail given up after this long
    std::optional<CheckFormat> Check;    // the geometry checks printed
    bool Mark = false;                   // the checks' markers drawn into the pictures
    std::optional<double> FrequencyMHz;  // for the checks, instead of the model's
    // Pictures or a booklet are made: always, unless --check alone asks
    // for nothing but the checks.
    bool Pictures = true;
};

struct CommandLine {
    enum class Action { Render, Help, Version, Fail };
    Action Do = Action::Render;
    RenderOptions Options;
    std::string Problem;  // why the command line fails
};

// Reads the arguments after the program's name. Options take their value
// as the next argument or after '='; "--" ends the options.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// How many workers draw: --jobs, else one per processor this process may
// run on; never more than there are files.
int WorkerCount(const RenderOptions& options);

// The text of --help.
std::string UsageText(std::string_view programName);

}  // namespace quorvane
