#include "UnitPrinter.h"

#include "SettingsValues.h"

#include <QPageLayout>
#include <QPrinter>

#include <algorithm>

namespace quorvane {

namespace {

void SetOrientation(QPrinter& printer, std::uint8_t orientation)
{
    printer.setPageOrientation(orientation == 0 ? QPageLayout::Portrait : QPageLayout::Landscape);
}

}  // namespace

PrinterMetrics ReadPrinterMetrics(QPrinter& printer)
{
    const QPageLayout layout = printer.pageLayout();
    const int resolution = std::max(1, printer.resolution());
    const QRect page = layout.fullRectPixels(resolution);
    const QRect printable = layout.paintRectPixels(resolution);
    PrinterMetrics m;
    m.PageWidth = page.width();
    m.PageHeight = page.height();
    m.PrintableWidth = printable.width();
    m.PrintableHeight = printable.height();
    m.PrintableWidthMillimetres = layout.paintRect(QPageLayout::Millimeter).width();
    m.OffsetX = printable.left() - page.left();
    m.OffsetY = printable.top() - page.top();
    m.DotsPerInchX = printer.logicalDpiX();
    m.DotsPerInchY = printer.logicalDpiY();
    return m;
}

PageSize PageGeometry(QPrinter& printer, std::uint8_t orientation)
{
    SetOrientation(printer, orientation);
    return ComputePageSize(ReadPrinterMetrics(printer));
}

PrintableArea PrintableRect(QPrinter& printer, std::uint8_t orientation, MainSettings& settings)
{
    SetOrientation(printer, orientation);
    const int i = orientation == 0 ? 0 : 1;
    PageMargins margins{settings.MarginLeft[i], settings.MarginRight[i], settings.MarginTop[i],
                        settings.MarginBottom[i]};
    const PrintableArea area = ComputePrintableArea(ReadPrinterMetrics(printer), margins);
    settings.MarginLeft[i] = margins.Left;
    settings.MarginRight[i] = margins.Right;
    settings.MarginTop[i] = margins.Top;
    settings.MarginBottom[i] = margins.Bottom;
    return area;
}

}  // namespace quorvane
