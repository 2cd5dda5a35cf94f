#include "RenderSession.h"

#include "GeometryChecker.h"
#include "ModelFacts.h"
#include "PictureFiles.h"
#include "Projection.h"
#include "ScaleFit.h"
#include "ScaleList.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace quorvane {

RenderSession::RenderSession(ProgramState& program, const RenderOptions& options)
    : program_(program), options_(options)
{
    ViewParameters& view = program_.View;
    view.VirtualScreenWidth = ReferenceScreenWidth;
    view.VirtualScreenHeight = ReferenceScreenHeight;
    view.VanishingPointProjection = !options.Parallel;
    view.ShowAnaglyph = options.Anaglyph;
    view.ShowLineNumbers = options.LineNumbers;
    view.DrawingCentered = !options.NotCentred;
    SetUpViewAngles(view, options.Azimuth, options.Elevation);
    // The data file reads numbers as the main program does after its
    // settings dialog exists.
    program_.DataFileValues.SeparatorSet = StandardSeparatorSet();
    drawing_ = std::make_unique<WireFrameDrawing>(program_.Table, view, surface_);
    drawing_->SetupAnaglyphColors();
    dataFile_ = std::make_unique<DataFile>(program_.Table, program_.DataFileValues,
                                           program_.Main.CurrentLanguage, program_.ExeBaseName);
    UseScale(ViewParameters{}.ScaleDenominator);
}

RenderSession::~RenderSession() = default;

RenderSessions::RenderSessions(const ProgramState& settings, const RenderOptions& options,
                               int count)
{
    for (int worker = 0; worker < std::max(1, count); ++worker) {
        programs_.push_back(std::make_unique<ProgramState>(settings));
        sessions_.push_back(std::make_unique<RenderSession>(*programs_.back(), options));
    }
}

RenderSessions::~RenderSessions() = default;

PictureScreen RenderSession::Screen() const
{
    PictureScreen screen;
    screen.ScreenPixels = ReferenceScreenWidth;
    screen.ReferenceWidth = ReferenceScreenWidth;
    screen.ReferenceHeight = ReferenceScreenHeight;
    screen.WindowFontHeight = surface_.WindowFontHeight();
    screen.WholeDrawing = true;
    return screen;
}

ModelRead RenderSession::Read(const std::string& path)
{
    return ReadModel(path, *dataFile_, program_);
}

CheckConditions RenderSession::Conditions() const
{
    const ModelFacts facts = ReadModelFacts(program_.Table);
    return {options_.FrequencyMHz ? options_.FrequencyMHz : facts.FrequencyMHz, facts.Ground};
}

std::vector<CheckFinding> RenderSession::Check() const
{
    return CheckGeometry(program_.Table, Conditions());
}

void RenderSession::UseScale(int n)
{
    ViewParameters& view = program_.View;
    view.ScaleDenominator = std::max(1, n);
    view.InvScale = 1.0 / view.ScaleDenominator;
    UpdateDrawFactor(view);
}

std::string RenderSession::ChooseScale()
{
    if (options_.Scale) {
        UseScale(*options_.Scale);
        return {};
    }
    if (options_.Thumbnail)
        return FitAnyScale(options_.ThumbnailSize);
    if (!options_.Fit) {
        int index = 0;
        UseScale(SnapScaleToList(program_.Main.ScaleList, index, ViewParameters{}.ScaleDenominator));
        return {};
    }
    const PixelSize fit = *options_.Fit;
    const PictureScreen screen = Screen();
    const std::optional<int> scale =
        LargestFittingScale(program_.Main.ScaleList, [&](int n) {
            UseScale(n);
            const QSize size = DrawingBitmapSize(*drawing_, program_, screen);
            return size.width() <= fit.Width && size.height() <= fit.Height;
        });
    if (!scale)
        return "no scale draws it within " + std::to_string(fit.Width) + " x " +
               std::to_string(fit.Height) + " pixels";
    UseScale(*scale);
    return {};
}

std::string RenderSession::FitAnyScale(int pixels)
{
    const PictureScreen screen = Screen();
    const auto size = [&](int n) {
        UseScale(n);
        return DrawingBitmapSize(*drawing_, program_, screen);
    };
    // The drawing shrinks in proportion to N: the size at one scale tells
    // nearly where the border lies.
    constexpr int probe = 100;
    const QSize probed = size(probe);
    const double guess = std::ceil(probe * double(std::max(probed.width(), probed.height())) / pixels);
    const std::optional<int> scale = SmallestFittingDenominator(
        int(std::min(guess, double(std::numeric_limits<int>::max()))), [&](int n) {
            const QSize at = size(n);
            return at.width() <= pixels && at.height() <= pixels;
        });
    if (!scale)
        return "no scale draws it within " + std::to_string(pixels) + " pixels";
    UseScale(*scale);
    return {};
}

QByteArray RenderSession::Picture(PictureFormat format, const std::vector<CheckFinding>* markers)
{
    const PictureScreen screen = Screen();
    PictureKinds kinds;
    kinds.Bitmap = format == PictureFormat::Png || format == PictureFormat::Bmp;
    kinds.Metafile = format == PictureFormat::Emf;
    kinds.Svg = format == PictureFormat::Svg;
    kinds.Pdf = format == PictureFormat::Pdf;
    kinds.Markers = markers;
    if (kinds.Bitmap) {
        const QSize size = DrawingBitmapSize(*drawing_, program_, screen);
        if (double(size.width()) * size.height() > MaxBitmapPixels)
            throw std::length_error("the picture would be " + std::to_string(size.width()) +
                                    " x " + std::to_string(size.height()) +
                                    " pixels, too large at 1 : " +
                                    std::to_string(program_.View.ScaleDenominator));
    }
    const DrawingPictures pictures = MakeDrawingPictures(*drawing_, program_, screen, kinds);
    switch (format) {
    case PictureFormat::Png:
        return PngFileOf(pictures.Bitmap);
    case PictureFormat::Bmp:
        return BmpFileOf(pictures.Bitmap, program_.View.PixelsPerMetre);
    case PictureFormat::Svg:
        return pictures.Svg;
    case PictureFormat::Pdf:
        return pictures.Pdf;
    case PictureFormat::Emf:
        return pictures.Metafile;
    }
    return {};
}

}  // namespace quorvane
