#include "Booklet.h"

#include "DrawingPictures.h"
#include "PageLayout.h"
#include "RenderSession.h"
#include "Scale.h"
#include "ScaleFit.h"

#include <QFile>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPdfWriter>

#include <stdexcept>

namespace quorvane {

namespace {

// The sheet as a printer without unprintable strips would report it.
PrinterMetrics SheetMetrics(const QPageLayout& layout, int dotsPerInch)
{
    const QRect sheet = layout.fullRectPixels(dotsPerInch);
    PrinterMetrics metrics;
    metrics.PageWidth = metrics.PrintableWidth = sheet.width();
    metrics.PageHeight = metrics.PrintableHeight = sheet.height();
    metrics.PrintableWidthMillimetres = layout.fullRect(QPageLayout::Millimeter).width();
    metrics.DotsPerInchX = metrics.DotsPerInchY = dotsPerInch;
    return metrics;
}

QRect ToQRect(const PixelRect& rect)
{
    return QRect(QPoint(rect.Left, rect.Top), QPoint(rect.Right - 1, rect.Bottom - 1));
}

QFont CaptionFont(const MainSettings& settings)
{
    QFont font(QString::fromStdString(settings.PrinterFontName));
    font.setPointSize(settings.PrinterFontSize > 0 ? settings.PrinterFontSize
                                                   : MainSettings{}.PrinterFontSize);
    return font;
}

}  // namespace

Booklet::Booklet(const MainSettings& settings, const std::string& title) : settings_(settings)
{
    file_.open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(&file_);
    writer_->setTitle(QString::fromStdString(title));
    writer_->setCreator(QStringLiteral("quorvane-render"));
    writer_->setResolution(DotsPerInch);
    writer_->setPageSize(QPageSize(QPageSize::A4));
    const int orientation = settings.PrinterOrientation == 0 ? 0 : 1;
    writer_->setPageOrientation(orientation == 0 ? QPageLayout::Portrait : QPageLayout::Landscape);
    writer_->setPageMargins(QMarginsF(0, 0, 0, 0));

    const PrinterMetrics sheet = SheetMetrics(writer_->pageLayout(), DotsPerInch);
    PageMargins margins{settings.MarginLeft[orientation], settings.MarginRight[orientation],
                        settings.MarginTop[orientation], settings.MarginBottom[orientation]};
    PrintableArea area = ComputePrintableArea(sheet, margins);
    // Margins that leave less than half the sheet are no layout anyone wants.
    const PixelRect& r = area.Rect;
    if (2 * (r.Right - r.Left) < sheet.PageWidth || 2 * (r.Bottom - r.Top) < sheet.PageHeight) {
        const MainSettings defaults;
        margins = {defaults.MarginLeft[orientation], defaults.MarginRight[orientation],
                   defaults.MarginTop[orientation], defaults.MarginBottom[orientation]};
        area = ComputePrintableArea(sheet, margins);
    }
    area_ = ToQRect(area.Rect);
    pixelsPerMetre_ = area.PrinterPixelsPerMetre;
}

Booklet::~Booklet()
{
    if (painter_.isActive())
        painter_.end();
}

void Booklet::AddPage(RenderSession& session, const std::string& caption, std::optional<int> scale,
                      const std::vector<CheckFinding>* markers)
{
    ProgramState& program = session.Program();
    const QFont font = CaptionFont(settings_);
    const QFontMetrics metrics(font, writer_.get());
    const int captionHeight = metrics.height();
    const QRect room = area_.adjusted(0, captionHeight + captionHeight / 2, 0, 0);
    // Page pixels per pixel of the screen the scale refers to.
    const double factor = pixelsPerMetre_ / program.View.PixelsPerMetre;
    const auto fits = [&](int n) {
        session.UseScale(n);
        const QSize size = WholePictureSize(session.Drawing(), program, factor);
        return size.width() <= room.width() && size.height() <= room.height();
    };
    if (!scale)
        scale = LargestFittingScale(program.Main.ScaleList, fits);
    if (!scale)
        throw std::length_error("no scale draws it on the page");
    if (!fits(*scale))
        throw std::length_error("at " + FormatScale(*scale) + " it does not fit on the page");
    const QSize size = WholePictureSize(session.Drawing(), program, factor);

    if (pages_ == 0 ? !painter_.begin(writer_.get()) : !writer_->newPage())
        throw std::runtime_error("the booklet's page could not be begun");
    ++pages_;
    painter_.setFont(font);
    painter_.setPen(Qt::black);
    const QString scaleText = QString::fromStdString(FormatScale(*scale));
    const int scaleWidth = metrics.horizontalAdvance(scaleText);
    const QString name = metrics.elidedText(QFile::decodeName(caption.c_str()), Qt::ElideMiddle,
                                            area_.width() - scaleWidth - captionHeight);
    const QRect line(area_.left(), area_.top(), area_.width(), captionHeight);
    painter_.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, name);
    painter_.drawText(line, Qt::AlignRight | Qt::AlignVCenter, scaleText);

    const QPoint at(room.left() + (room.width() - size.width()) / 2,
                    room.top() + (room.height() - size.height()) / 2);
    PaintWholePicture(painter_, at, session.Drawing(), program, factor, markers);
}

QByteArray Booklet::Finish()
{
    if (painter_.isActive())
        painter_.end();
    return file_.data();
}

}  // namespace quorvane
