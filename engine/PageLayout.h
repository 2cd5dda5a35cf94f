#pragma once

#include "Canvas.h"

namespace quorvane {

// What a printer tells about its page in the orientation in use, in
// printer pixels unless named otherwise.
struct PrinterMetrics {
    int PrintableWidth = 0;   // of the printable area
    int PrintableHeight = 0;
    double PrintableWidthMillimetres = 0;
    int PageWidth = 0;  // of the whole sheet
    int PageHeight = 0;
    int OffsetX = 0;  // left and top unprintable strips
    int OffsetY = 0;
    int DotsPerInchX = 0;
    int DotsPerInchY = 0;
};

// The whole sheet in the orientation in use.
struct PageSize {
    int WidthPixels = 0;
    int HeightPixels = 0;
    int WidthMillimetres = 0;
    int HeightMillimetres = 0;
};

// Page margins of one orientation, millimetres.
struct PageMargins {
    int Left = 0, Right = 0, Top = 0, Bottom = 0;
    friend bool operator==(const PageMargins&, const PageMargins&) = default;
};

struct PrintableArea {
    // In the coordinates of the printer's canvas, whose origin is the top
    // left corner of the printable area; right and bottom exclusive.
    PixelRect Rect;
    double PrinterPixelsPerMetre = 0;
    int DotsPerInchX = 0;
    int DotsPerInchY = 0;
};

PageSize ComputePageSize(const PrinterMetrics& printer);

// The rectangle the margins leave. A margin narrower than the printer's
// unprintable strip on its side is widened to the strip, and `margins` takes
// the strip's width rounded up to whole millimetres, so that the raised
// value is what the user sees and what is stored.
PrintableArea ComputePrintableArea(const PrinterMetrics& printer, PageMargins& margins);

}  // namespace quorvane
