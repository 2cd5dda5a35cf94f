#include "FormMain.h"

#include "DrawingPictures.h"
#include "FileAccess.h"
#include "FileErrors.h"
#include "PictureFiles.h"
#include "UnitLanguage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>

#include <cmath>
#include <new>
#include <stdexcept>

namespace quorvane {

PictureScreen FormMain::ExportScreen() const
{
    PictureScreen screen;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        const qreal ratio = primary->devicePixelRatio();
        screen.ScreenPixels = static_cast<int>(std::lround(primary->geometry().width() * ratio));
        screen.ReferenceWidth = screen.ScreenPixels;
        screen.ReferenceHeight = static_cast<int>(std::lround(primary->geometry().height() * ratio));
    }
    screen.WindowFontHeight = WindowFontHeight();
    return screen;
}

void FormMain::SpeedButtonCopyOnClick(PictureDestination destination)
{
    const bool copying = destination == PictureDestination::Clipboard;
    if (copying)
        program_.Activity = ActivityState::Copying;
    const Language language = program_.Main.CurrentLanguage;
    QString failure;
    try {
        PictureKinds kinds;
        kinds.Metafile = copying || saveDialogType_ == 3;
        kinds.Svg = copying || saveDialogType_ == 4;
        kinds.Pdf = !copying && saveDialogType_ == 5;
        kinds.Bitmap = copying || saveDialogType_ == 2;
        const DrawingPictures pictures = MakeDrawingPictures(*drawing_, program_, ExportScreen(), kinds);
        if (copying) {
            // One clipboard content offers the vector picture and the bitmap
            // together; each reader takes the form it understands.
            auto* mime = new QMimeData;
            mime->setData(QStringLiteral("image/emf"), pictures.Metafile);
            mime->setData(QStringLiteral("image/x-emf"), pictures.Metafile);
            mime->setData(QStringLiteral("image/svg+xml"), pictures.Svg);
            mime->setImageData(pictures.Bitmap);
            QGuiApplication::clipboard()->setMimeData(mime);
        } else {
            const QByteArray bytes =
                saveDialogType_ == 2   ? BmpFileOf(pictures.Bitmap, program_.View.PixelsPerMetre)
                : saveDialogType_ == 4 ? pictures.Svg
                : saveDialogType_ == 5 ? pictures.Pdf
                                       : pictures.Metafile;
            const std::string path = exportFileName_.toStdString();
            if (const int error = ReplaceFileContents(
                    path, std::string_view(bytes.constData(), std::size_t(bytes.size())), false))
                failure = QString::fromStdString(FileErrorText(error) + "\n" + path);
        }
    } catch (const std::bad_alloc&) {
        failure = Text(MainTexts::PictureFailed, language).arg(Text(MainTexts::OutOfMemory, language));
    } catch (const std::length_error&) {
        failure =
            Text(MainTexts::PictureFailed, language).arg(Text(MainTexts::PictureTooLarge, language));
    } catch (const std::exception& error) {
        failure = Text(MainTexts::PictureFailed, language).arg(QString::fromLocal8Bit(error.what()));
    }
    if (copying)
        program_.Activity = ActivityState::Idle;
    if (!failure.isEmpty())
        QMessageBox::critical(this, QString::fromStdString(program_.ExeBaseName), failure);
}

}  // namespace quorvane
