#include "StartUp.h"

#include "SettingsFile.h"
#include "SvgPictures.h"
#include "UnitLanguage.h"

#include <QGuiApplication>
#include <QLocale>
#include <QPixmap>
#include <QScreen>

#include <cmath>

// The resource macro declares a function of the global namespace.
static void InitialiseCompiledResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace quorvane {

void InitialiseResources()
{
    InitialiseCompiledResources();
    // Every window of the program carries its picture.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(
            QPixmap::fromImage(SvgImage(QStringLiteral(":/icons/Quorvane.svg"), QSize(size, size))));
    QGuiApplication::setWindowIcon(icon);
}

void ReadScreenMetrics(ProgramState& program)
{
    QRect desktop;
    for (const QScreen* screen : QGuiApplication::screens())
        desktop = desktop.united(screen->geometry());
    const QScreen* primary = QGuiApplication::primaryScreen();
    const qreal ratio = primary ? primary->devicePixelRatio() : 1.0;
    program.View.VirtualScreenWidth = std::max(1, static_cast<int>(std::lround(desktop.width() * ratio)));
    program.View.VirtualScreenHeight =
        std::max(1, static_cast<int>(std::lround(desktop.height() * ratio)));
    program.Desktop.VirtualDesktopHeight = std::max(1, desktop.height());
    if (primary) {
        program.Desktop.WorkAreaWidth = primary->availableGeometry().width();
        program.Desktop.WorkAreaHeight = primary->availableGeometry().height();
    }
}

ProgramWindows::ProgramWindows(ProgramState& program, const QString& programFile,
                               const QStringList& arguments,
                               std::unique_ptr<PrinterSource> printers)
    : printers_(printers ? std::move(printers) : SystemPrinters())
{
    program.ProgramFile = programFile.toStdString();
    program.Arguments.clear();
    for (const QString& argument : arguments)
        program.Arguments.push_back(argument.toStdString());
    program.DefaultLanguage = DefaultLanguageFor(QLocale::system());
    program.Main.CurrentLanguage = program.DefaultLanguage;

    program.PrinterAvailable = printers_->Available();

    main_ = std::make_unique<FormMain>(program, *printers_);
    dataFile_ = std::make_unique<DataFile>(program.Table, program.DataFileValues,
                                           program.Main.CurrentLanguage, program.ExeBaseName);
    link_ = std::make_unique<DataFileLink>(*main_, program);
    dataFile_->SetEvents(link_.get());
    main_->SetDataFile(dataFile_.get());

    dataTable_ = std::make_unique<FormDataTable>(program, *dataFile_, *main_, *printers_);
    link_->SetDataTable(dataTable_.get());
    main_->SetDataTable(dataTable_.get());
    dataTable_->FinishCreation();
    main_->ShowAsStored();
    settings_ = std::make_unique<FormSettings>(program, *printers_, *main_, *dataTable_);
    main_->SetSettingsDialog(settings_.get());
}

ProgramWindows::~ProgramWindows()
{
    main_->SetSettingsDialog(nullptr);
    settings_.reset();
    main_->SetDataTable(nullptr);
    link_->SetDataTable(nullptr);
    dataTable_.reset();
}

}  // namespace quorvane
