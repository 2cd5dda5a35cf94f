#include "PageLayout.h"

#include "Projection.h"

#include <algorithm>
#include <cmath>

namespace quorvane {

namespace {

constexpr double MillimetresPerInch = 25.4;

int MillimetresToPixels(int millimetres, int dotsPerInch)
{
    return RoundToPixel(millimetres * double(dotsPerInch) / MillimetresPerInch);
}

int PixelsToWholeMillimetres(int pixels, int dotsPerInch)
{
    return static_cast<int>(std::ceil(pixels * MillimetresPerInch / dotsPerInch));
}

// Widens a margin to its unprintable strip; returns the margin in pixels.
int RaiseToStrip(int& millimetres, int strip, int dotsPerInch)
{
    const int pixels = MillimetresToPixels(millimetres, dotsPerInch);
    if (pixels >= strip)
        return pixels;
    millimetres = PixelsToWholeMillimetres(strip, dotsPerInch);
    return strip;
}

}  // namespace

PageSize ComputePageSize(const PrinterMetrics& printer)
{
    PageSize size;
    size.WidthPixels = printer.PageWidth;
    size.HeightPixels = printer.PageHeight;
    if (printer.DotsPerInchX > 0)
        size.WidthMillimetres =
            RoundToPixel(printer.PageWidth * MillimetresPerInch / printer.DotsPerInchX);
    if (printer.DotsPerInchY > 0)
        size.HeightMillimetres =
            RoundToPixel(printer.PageHeight * MillimetresPerInch / printer.DotsPerInchY);
    return size;
}

PrintableArea ComputePrintableArea(const PrinterMetrics& printer, PageMargins& margins)
{
    PrintableArea area;
    area.DotsPerInchX = printer.DotsPerInchX;
    area.DotsPerInchY = printer.DotsPerInchY;
    if (printer.DotsPerInchX <= 0 || printer.DotsPerInchY <= 0)
        return area;
    const int stripLeft = std::max(0, printer.OffsetX);
    const int stripTop = std::max(0, printer.OffsetY);
    const int stripRight = std::max(0, printer.PageWidth - printer.PrintableWidth - printer.OffsetX);
    const int stripBottom =
        std::max(0, printer.PageHeight - printer.PrintableHeight - printer.OffsetY);

    const int left = RaiseToStrip(margins.Left, stripLeft, printer.DotsPerInchX);
    const int right = RaiseToStrip(margins.Right, stripRight, printer.DotsPerInchX);
    const int top = RaiseToStrip(margins.Top, stripTop, printer.DotsPerInchY);
    const int bottom = RaiseToStrip(margins.Bottom, stripBottom, printer.DotsPerInchY);

    area.Rect = {left - stripLeft, top - stripTop, printer.PrintableWidth - (right - stripRight),
                 printer.PrintableHeight - (bottom - stripBottom)};
    if (printer.PrintableWidthMillimetres > 0)
        area.PrinterPixelsPerMetre =
            printer.PrintableWidth * 1000.0 / printer.PrintableWidthMillimetres;
    return area;
}

}  // namespace quorvane
