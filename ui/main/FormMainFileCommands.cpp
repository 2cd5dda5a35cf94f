#include "FormMain.h"

#include "DataFile.h"
#include "FileDialogs.h"
#include "FormDataTable.h"
#include "UnitLanguage.h"

#include <QMouseEvent>
#include <QToolButton>

namespace quorvane {

namespace {

// The types of the main window's save dialog that exist so far: the data
// file. The picture types come with the drawing's export.
QString SaveDialogTypes(Language language)
{
    return Text(MainTexts::SaveDialogFilter, language).section(QLatin1Char('|'), 0, 1);
}

QString WithoutExtension(const std::string& path)
{
    return WithExtension(QString::fromStdString(path), QString());
}

}  // namespace

void FormMain::ConnectFileCommands()
{
    connect(SpeedButtonOpen, &QToolButton::clicked, this, [this] { SpeedButtonOpenOnClick(); });
    connect(SpeedButtonSave, &QToolButton::clicked, this, [this] { SpeedButtonSaveOnClick(); });
    connect(SpeedButtonSaveAs, &QToolButton::clicked, this, [this] { SpeedButtonSaveAsOnClick(); });
    connect(SpeedButtonDataTable, &QToolButton::clicked, this,
            [this] { SpeedButtonDataTableOnClick(); });
    SpeedButtonDataTable->installEventFilter(this);
}

void FormMain::SpeedButtonOpenOnClick()
{
    if (dataTable_)
        dataTable_->SpeedButtonOpenOnClick();
}

void FormMain::SpeedButtonSaveOnClick()
{
    if (dataTable_ && saveDialogType_ == 1)
        dataTable_->SpeedButtonSaveOnClick();
}

void FormMain::SpeedButtonSaveAsOnClick()
{
    if (!dataTable_)
        return;
    program_.Activity = ActivityState::Saving;
    const Language language = program_.Main.CurrentLanguage;
    SaveDialogRequest request;
    request.Title = Text(MainTexts::SaveDialogTitle, language);
    request.TypeList = SaveDialogTypes(language);
    request.TypeIndex = saveDialogType_;
    request.ProposedPath = WithoutExtension(program_.Main.QrvFile);
    request.DefaultSuffix = QStringLiteral("qrv");
    request.ShowHiddenFiles = true;
    if (const std::optional<SaveDialogChoice> choice = RunSaveDialog(this, request)) {
        saveDialogType_ = choice->TypeIndex;
        if (saveDialogType_ == 1)
            dataTable_->SaveTableAs(choice->Path);
    }
    program_.Activity = ActivityState::Idle;
}

void FormMain::SpeedButtonDataTableOnClick()
{
    if (!dataTable_)
        return;
    if (SpeedButtonDataTable->isChecked()) {
        dataTable_->show();
        dataTable_->raise();
        dataTable_->activateWindow();
    } else {
        dataTable_->hide();
    }
}

}  // namespace quorvane
