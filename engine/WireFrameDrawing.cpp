#include "WireFrameDrawing.h"

#include "LineTable.h"
#include "MainWindowSurface.h"
#include "Projection.h"
#include "Scale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace quorvane {

namespace {

int Saturate(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

struct GroupPoints {
    std::int64_t XM, YM, X1, Y1, X2, Y2;
};

}  // namespace

WireFrameDrawing::WireFrameDrawing(LineTable& table, ViewParameters& view,
                                   MainWindowSurface& window)
    : table_(table), view_(view), window_(window),
      labelTextLeft_(window.CreateOffscreenBitmap()),
      labelTextRight_(window.CreateOffscreenBitmap()),
      labelBoxLeft_(window.CreateOffscreenBitmap()), labelBoxRight_(window.CreateOffscreenBitmap())
{
}

WireFrameDrawing::~WireFrameDrawing() = default;

std::string WireFrameDrawing::LineLabel(int row)
{
    std::string label = " ";
    label += std::to_string(row);
    label += ' ';
    return label;
}

void WireFrameDrawing::DrawWireFrame()
{
    if (table_.CompleteLineCount == 0) {
        ClearDrawing();
        return;
    }
    ProjectForScreen();
    RedrawStoredProjection();
}

void WireFrameDrawing::ProjectForScreen()
{
    UpdateDrawFactor(view_);
    ProjectLines(view_, table_, view_.DrawingCentered, view_.DrawFactor);
    ShiftProjectedLines(view_.PanX, view_.PanY);
}

void WireFrameDrawing::PanBy(int dx, int dy)
{
    const int x = Saturate(std::int64_t(view_.PanX) + dx);
    const int y = Saturate(std::int64_t(view_.PanY) + dy);
    dx = x - view_.PanX;
    dy = y - view_.PanY;
    view_.PanX = x;
    view_.PanY = y;
    if (table_.CompleteLineCount == 0)
        return;
    // The stored projection moves along; nothing is projected again.
    ShiftProjectedLines(dx, dy);
    RedrawStoredProjection();
}

void WireFrameDrawing::RedrawStoredProjection()
{
    Bounds = ComputeDrawingBounds();
    const int labelHeight = std::min(ComputeLabelHeight(Bounds.Width, Bounds.Height, false, 1.0),
                                     2 * std::abs(window_.WindowFontHeight()));
    DrawToCanvas(window_.ImageCanvas(), Bounds.Width, Bounds.Height, 1.0, Bounds.CentreX,
                 Bounds.CentreY, {0, 0, ImageWidth, ImageHeight}, labelHeight,
                 view_.ScreenFontName);
    window_.ImageChanged();
}

void WireFrameDrawing::RestoreScreenProjection()
{
    ProjectForScreen();
}

void WireFrameDrawing::ClearDrawing()
{
    Canvas& canvas = window_.ImageCanvas();
    canvas.SetBrushColor(view_.ShowAnaglyph ? view_.AnaglyphBackgroundColor
                                            : view_.BackgroundColor);
    canvas.FillRect({0, 0, view_.VirtualScreenWidth, view_.VirtualScreenHeight});
    window_.ImageChanged();
}

DrawingBounds WireFrameDrawing::ComputeDrawingBounds() const
{
    std::int64_t minX = std::numeric_limits<std::int32_t>::max();
    std::int64_t minY = minX;
    std::int64_t maxX = -minX;
    std::int64_t maxY = -minX;
    auto takeX = [&](std::int64_t x) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
    };
    auto takeY = [&](std::int64_t y) {
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    };
    for (int row = 1; row <= table_.LineCount; ++row) {
        const LineRecord& r = table_.Record(row);
        if (!r.Complete)
            continue;
        if (view_.ShowAnaglyph) {
            takeX(r.LX1), takeX(r.LX2), takeX(r.RX1), takeX(r.RX2);
            takeY(r.LY1), takeY(r.LY2), takeY(r.RY1), takeY(r.RY2);
        } else {
            takeX(r.PX1), takeX(r.PX2);
            takeY(r.PY1), takeY(r.PY2);
        }
    }
    DrawingBounds b;
    b.MinX = Saturate(minX);
    b.MaxX = Saturate(maxX);
    b.MinY = Saturate(minY);
    b.MaxY = Saturate(maxY);
    b.Width = Saturate(maxX - minX + 1);
    b.Height = Saturate(maxY - minY + 1);
    b.CentreX = Saturate((maxX + minX) / 2);
    b.CentreY = Saturate((maxY + minY) / 2);
    return b;
}

int WireFrameDrawing::ComputeLabelHeight(int width, int height, bool useDrawingDiagonal,
                                         double factor) const
{
    const double modelDiagonal = view_.ModelDiagonal * view_.DrawFactor * factor;
    const double reference = useDrawingDiagonal ? std::hypot(double(width), double(height))
                                                : double(view_.VirtualScreenWidth);
    const double divisor = std::max(10.0, 4.0 * std::sqrt(double(table_.LineCount)));
    return std::max(1, RoundToPixel(std::min(reference, modelDiagonal) / divisor));
}

WireFrameDrawing::LabelPlace WireFrameDrawing::LabelCorner(const LineRecord& r, Group group,
                                                           int originX, int originY,
                                                           int textWidth, int textHeight) const
{
    const GroupPoints p = group == Group::Mono   ? GroupPoints{r.PXM, r.PYM, r.PX1, r.PY1, r.PX2, r.PY2}
                          : group == Group::Left ? GroupPoints{r.LXM, r.LYM, r.LX1, r.LY1, r.LX2, r.LY2}
                                                 : GroupPoints{r.RXM, r.RYM, r.RX1, r.RY1, r.RX2, r.RY2};
    // Halving truncates towards zero, as everywhere in the drawing.
    if (view_.VanishingPointProjection)
        return {Saturate(originX + p.XM - textWidth / 2), Saturate(originY - p.YM - textHeight / 2)};
    return {Saturate(originX + (p.X1 + p.X2 - textWidth) / 2),
            Saturate(originY - (p.Y1 + p.Y2 + textHeight) / 2)};
}

void WireFrameDrawing::CollectSegments(int originX, int originY, Group group)
{
    segments_.clear();
    segments_.reserve(static_cast<std::size_t>(table_.CompleteLineCount));
    const std::int64_t ox = originX;
    const std::int64_t oy = originY;
    for (int row = 1; row <= table_.LineCount; ++row) {
        const LineRecord& r = table_.Record(row);
        if (!r.Complete)
            continue;
        switch (group) {
        case Group::Mono:
            segments_.push_back({Saturate(ox + r.PX1), Saturate(oy - r.PY1), Saturate(ox + r.PX2),
                                 Saturate(oy - r.PY2)});
            break;
        case Group::Left:
            segments_.push_back({Saturate(ox + r.LX1), Saturate(oy - r.LY1), Saturate(ox + r.LX2),
                                 Saturate(oy - r.LY2)});
            break;
        case Group::Right:
            segments_.push_back({Saturate(ox + r.RX1), Saturate(oy - r.RY1), Saturate(ox + r.RX2),
                                 Saturate(oy - r.RY2)});
            break;
        }
    }
}

void WireFrameDrawing::DrawToCanvas(Canvas& canvas, int width, int height, double factor,
                                    int centreX, int centreY, const DrawArea& area,
                                    int labelHeight, const std::string& fontName)
{
    const bool clipped = &canvas != &window_.ImageCanvas();
    if (table_.CompleteLineCount == 0) {
        if (!clipped) {
            ClearDrawing();
            return;
        }
        // A picture or page of an empty model is its background.
        canvas.SetBrushColor(view_.ShowAnaglyph ? view_.AnaglyphBackgroundColor
                                                : view_.BackgroundColor);
        canvas.FillRect({area.Left, area.Top, Saturate(std::int64_t(area.Left) + area.Width),
                         Saturate(std::int64_t(area.Top) + area.Height)});
        return;
    }
    const int originX = Saturate(std::int64_t(area.Left) + area.Width / 2);
    const int originY = Saturate(std::int64_t(area.Top) + area.Height / 2);
    const int extra = 2 * static_cast<int>(std::ceil(factor)) + 1;
    const double modelDiagonal = view_.ModelDiagonal * view_.DrawFactor * factor;
    const double areaDiagonal = std::hypot(double(area.Width), double(area.Height));
    const bool tiny = width < 4 && height < 4;
    const bool labels = view_.ShowLineNumbers && labelHeight != 0 && !tiny;
    const std::int64_t right = std::int64_t(area.Left) + area.Width;
    const std::int64_t bottom = std::int64_t(area.Top) + area.Height;
    if (clipped)
        canvas.SetClipRect({area.Left, area.Top, Saturate(right), Saturate(bottom)});

    canvas.SetBrushColor(view_.ShowAnaglyph ? view_.AnaglyphBackgroundColor
                                            : view_.BackgroundColor);
    canvas.FillRect({area.Left, area.Top, Saturate(right + extra), Saturate(bottom + extra)});
    canvas.SetPenWidth(std::max(1, RoundToPixel(std::min(areaDiagonal, modelDiagonal) * 0.0005)));
    canvas.SetPenColor(view_.LineColor);
    canvas.SetPenMode(PenMode::Copy);
    int textHeight = 0;
    if (labels) {
        canvas.SetFontColor(view_.TextColor);
        canvas.SetFont(fontName, -labelHeight);
        textHeight = canvas.TextHeight("X");
    }

    if (tiny) {
        // A drawing of at most 3 x 3 pixels is one dot at its middle.
        canvas.SetBrushColor(view_.LineColor);
        const std::int64_t cx = std::int64_t(originX) + centreX;
        const std::int64_t cy = std::int64_t(originY) - centreY;
        canvas.Rectangle({Saturate(cx - 1), Saturate(cy - 1), Saturate(cx + 2), Saturate(cy + 2)});
    } else if (view_.ShowAnaglyph) {
        DrawAnaglyph(canvas, originX, originY, textHeight, labelHeight, fontName, labels);
    } else {
        DrawMono(canvas, originX, originY, textHeight, labels);
    }

    if (clipped)
        canvas.RemoveClip();
}

void WireFrameDrawing::DrawMono(Canvas& canvas, int originX, int originY, int textHeight,
                                bool labels)
{
    canvas.SetBrushColor(view_.BackgroundColor);
    CollectSegments(originX, originY, Group::Mono);
    canvas.DrawLines(segments_);
    if (!labels)
        return;
    // Lines first, then labels, so that labels cover lines.
    for (int row = 1; row <= table_.LineCount; ++row) {
        const LineRecord& r = table_.Record(row);
        if (!r.Complete)
            continue;
        const std::string text = LineLabel(row);
        const int textWidth = canvas.TextWidth(text);
        const LabelPlace place = LabelCorner(r, Group::Mono, originX, originY, textWidth, textHeight);
        canvas.FillRect({place.X, place.Y, Saturate(std::int64_t(place.X) + textWidth + 1),
                         Saturate(std::int64_t(place.Y) + textHeight)});
        canvas.TextOut(place.X, place.Y, text);
    }
}

ClippedBounds WireFrameDrawing::ClipBoundsToWindow(int minX, int maxX, int minY, int maxY,
                                                   double factor, int halfImageWidth,
                                                   int halfImageHeight) const
{
    const std::int64_t a = RoundToPixel(halfImageWidth * factor);
    const std::int64_t b = RoundToPixel(halfImageHeight * factor);
    const std::int64_t left = std::max<std::int64_t>(minX, -a);
    const std::int64_t right = std::min<std::int64_t>(maxX, a);
    const std::int64_t bottom = std::max<std::int64_t>(minY, -b);
    const std::int64_t top = std::min<std::int64_t>(maxY, b);
    ClippedBounds c;
    c.Left = Saturate(left);
    c.Right = Saturate(right);
    c.Bottom = Saturate(bottom);
    c.Top = Saturate(top);
    c.Width = Saturate(right - left);
    c.Height = Saturate(top - bottom);
    c.CentreX = Saturate((right + left) / 2);
    c.CentreY = Saturate((top + bottom) / 2);
    return c;
}

ExportMargin WireFrameDrawing::ComputeExportMargin(int width, int height, int labelHeight) const
{
    std::int64_t margin =
        std::max(4, RoundToPixel(std::max(width, height) * view_.CanvasMarginFactor));
    if (view_.ShowLineNumbers) {
        const auto digits = static_cast<std::int64_t>(std::to_string(table_.LineCount).size());
        margin += digits * labelHeight / 4;
    }
    return {Saturate(margin), Saturate(width + 2 * margin), Saturate(height + 2 * margin)};
}

void WireFrameDrawing::ShiftProjectedLines(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    auto shift = [](std::int32_t& value, int by) { value = Saturate(std::int64_t(value) + by); };
    const bool midpoints = view_.VanishingPointProjection;
    // Rows created since the last clear may outnumber the rows there are.
    const int lastRow = std::min(table_.LineHighWater, table_.Capacity());
    for (int row = 1; row <= lastRow; ++row) {
        LineRecord& r = table_.Record(row);
        if (!r.Complete)
            continue;
        if (view_.ShowAnaglyph) {
            shift(r.LX1, dx), shift(r.LX2, dx), shift(r.RX1, dx), shift(r.RX2, dx);
            shift(r.LY1, dy), shift(r.LY2, dy), shift(r.RY1, dy), shift(r.RY2, dy);
            if (midpoints) {
                shift(r.LXM, dx), shift(r.RXM, dx);
                shift(r.LYM, dy), shift(r.RYM, dy);
            }
        } else {
            shift(r.PX1, dx), shift(r.PX2, dx);
            shift(r.PY1, dy), shift(r.PY2, dy);
            if (midpoints) {
                shift(r.PXM, dx);
                shift(r.PYM, dy);
            }
        }
    }
}

void WireFrameDrawing::ApplyScale()
{
    // The scale is a divisor; a denominator below 1 from a settings file is
    // taken as 1.
    view_.ScaleDenominator = std::max(1, view_.ScaleDenominator);
    window_.SetScaleCaption(FormatScale(view_.ScaleDenominator));
    view_.InvScale = 1.0 / view_.ScaleDenominator;
    UpdateDrawFactor(view_);
    if (table_.LineHighWater > 0)
        DrawWireFrame();
}

}  // namespace quorvane
