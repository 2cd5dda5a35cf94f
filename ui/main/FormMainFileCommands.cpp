#include "FormMain.h"

#include "DataFile.h"
#include "DroppedFiles.h"
#include "FileDialogs.h"
#include "FormDataTable.h"
#include "ModelFileTypes.h"
#include "UnitLanguage.h"

#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMouseEvent>
#include <QToolButton>

namespace quorvane {

namespace {

// The model types of the save dialog, by its 1-based index: the data file,
// then after the pictures the exported types. Pictures are DataFile here.
ModelFileType ModelTypeOf(int type)
{
    switch (type) {
    case 6:
        return ModelFileType::NecDeck;
    case 7:
        return ModelFileType::MaaFile;
    default:
        return ModelFileType::DataFile;
    }
}

bool IsExportedModelType(int type)
{
    return ModelTypeOf(type) != ModelFileType::DataFile;
}

// The file extension of each type of the save dialog, by its 1-based index.
QString ExtensionOf(int type)
{
    switch (type) {
    case 2:
        return QStringLiteral("bmp");
    case 3:
        return QStringLiteral("emf");
    case 4:
        return QStringLiteral("svg");
    case 5:
        return QStringLiteral("pdf");
    default:
        return QString::fromLatin1(ModelFileExtension(ModelTypeOf(type)).substr(1));
    }
}

QString WithoutExtension(const QString& path)
{
    return WithExtension(path, QString());
}

void SaveDialogOnTypeChange(QFileDialog& dialog, int type)
{
    FollowTypeExtension(dialog, ExtensionOf(type));
}

}  // namespace

void FormMain::ConnectFileCommands()
{
    connect(SpeedButtonOpen, &QToolButton::clicked, this, [this] { SpeedButtonOpenOnClick(); });
    connect(SpeedButtonSave, &QToolButton::clicked, this, [this] { SpeedButtonSaveOnClick(); });
    connect(SpeedButtonSaveAs, &QToolButton::clicked, this, [this] { SpeedButtonSaveAsOnClick(); });
    connect(SpeedButtonCopy, &QToolButton::clicked, this,
            [this] { SpeedButtonCopyOnClick(PictureDestination::Clipboard); });
    connect(PopupMenuImageCopy, &QAction::triggered, this,
            [this] { SpeedButtonCopyOnClick(PictureDestination::Clipboard); });
    connect(SpeedButtonPrint, &QToolButton::clicked, this, [this] { SpeedButtonPrintOnClick(); });
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
    // Save follows the type last chosen in the save dialog: a picture is
    // written again, even when the data changed, until the data type is
    // chosen again.
    if (saveDialogType_ == 1) {
        if (dataTable_)
            dataTable_->SpeedButtonSaveOnClick();
        return;
    }
    program_.Activity = ActivityState::Saving;
    exportFileName_ = WithExtension(saveDialogFileName_, QLatin1Char('.') + ExtensionOf(saveDialogType_));
    if (IsExportedModelType(saveDialogType_)) {
        if (dataTable_)
            dataTable_->WriteModelFile(ModelTypeOf(saveDialogType_), exportFileName_);
    } else {
        SpeedButtonCopyOnClick(PictureDestination::File);
    }
    program_.Activity = ActivityState::Idle;
}

void FormMain::SpeedButtonSaveAsOnClick()
{
    SaveAs(PictureDestination::File);
}

void FormMain::SaveAs(PictureDestination pictureDestination)
{
    if (!dataTable_)
        return;
    program_.Activity = ActivityState::Saving;
    const Language language = program_.Main.CurrentLanguage;
    const QString qrvFile = QString::fromStdString(program_.Main.QrvFile);
    SaveDialogRequest request;
    request.Title = Text(MainTexts::SaveDialogTitle, language);
    request.TypeList = Text(MainTexts::SaveDialogFilter, language);
    request.TypeIndex = saveDialogType_;
    // Before the first picture or export, one is proposed under the model's name.
    request.ProposedPath = WithoutExtension(
        saveDialogType_ == 1 || exportFileName_.isEmpty() ? qrvFile : exportFileName_);
    request.DefaultSuffix = ExtensionOf(saveDialogType_);
    request.ShowHiddenFiles = true;
    request.TypeChanged = SaveDialogOnTypeChange;
    if (const std::optional<SaveDialogChoice> choice = RunSaveDialog(this, request)) {
        saveDialogType_ = choice->TypeIndex;
        saveDialogFileName_ = choice->Path;
        if (saveDialogType_ == 1) {
            dataTable_->SaveTableAs(choice->Path);
        } else if (IsExportedModelType(saveDialogType_)) {
            // An exported model is a file even when the close question asked
            // for it; the table stays unsaved, so the window stays open.
            const ModelFileType type = ModelTypeOf(saveDialogType_);
            if (dataTable_->SaveModelFileAs(type, choice->Path)) {
                exportFileName_ = WithExtension(choice->Path,
                                                QString::fromLatin1(ModelFileExtension(type)));
                SpeedButtonSave->setEnabled(true);
            }
        } else {
            const QString target =
                WithExtension(choice->Path, QLatin1Char('.') + ExtensionOf(saveDialogType_));
            if (ConfirmReplacement(this, choice->Path, target,
                                   QString::fromStdString(program_.ExeBaseName), language)) {
                exportFileName_ = target;
                SpeedButtonCopyOnClick(pictureDestination);
                SpeedButtonSave->setEnabled(true);
            }
        }
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

void FormMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (DroppedDataFile(event->mimeData()))
        event->acceptProposedAction();
}

void FormMain::dropEvent(QDropEvent* event)
{
    if (const std::optional<QString> path = DroppedDataFile(event->mimeData())) {
        event->acceptProposedAction();
        if (dataTable_)
            dataTable_->OpenDroppedFile(*path);
    }
}

}  // namespace quorvane
