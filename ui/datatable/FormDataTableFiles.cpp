#include "FormDataTable.h"

#include "CellTextEncoding.h"
#include "DataFile.h"
#include "DataTableGrid.h"
#include "DataTableTexts.h"
#include "DroppedFiles.h"
#include "FileDialogs.h"
#include "FormMain.h"
#include "ModelFileTypes.h"
#include "Projection.h"
#include "UnitLanguage.h"

#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>

namespace quorvane {

namespace {

QString FromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

// The folder part of a path with its trailing separator; empty without one.
std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The save dialog's types: data files, all files (written as data files),
// then the exported types.
ModelFileType DataTableSaveType(int index)
{
    switch (index) {
    case 3:
        return ModelFileType::NecDeck;
    case 4:
        return ModelFileType::MaaFile;
    default:
        return ModelFileType::DataFile;
    }
}

QString DataTableSaveExtension(int index)
{
    return QString::fromLatin1(ModelFileExtension(DataTableSaveType(index)).substr(1));
}

}  // namespace

void FormDataTable::ReadFile(const std::string& path)
{
    // A copy: `path` may be QrvFile itself, which an import renames.
    const std::string file = path;
    const bool imported = ModelFileTypeOf(file) != ModelFileType::DataFile;
    model_.BeginBulkChange();
    // An imported file is never written: the table takes the name of a data
    // file beside it, under which Save puts it.
    if (imported)
        program_.Main.QrvFile =
            WithExtension(FromStd(file), QStringLiteral(".qrv")).toStdString();
    const ModelImport import = ReadModelFile(dataFile_, file, program_.Main.QrvFile);
    EndBulkChange();
    // A table read starts a history of its own; an import is unsaved, as no
    // file holds it yet.
    changes_.Restart(!dataFile_.TableChanged());
    editing_->TableChanged();
    replaceUnasked_ = imported;
    if (!imported)
        return;
    if (formReady_) {
        ReportImport(file, import);
    } else {
        // At start-up the message waits for the main window, which shows the
        // model it speaks of.
        QTimer::singleShot(0, this, [this, file, import] { ReportImport(file, import); });
    }
}

void FormDataTable::ReportImport(const std::string& importedPath, const ModelImport& import)
{
    if (ImportOverflowed(import))
        ShowCapacityMessage();
    const std::string message =
        ImportLeftOutMessage(import, importedPath, program_.Main.CurrentLanguage);
    if (message.empty())
        return;
    QMessageBox::warning(MessageParent(&main_), FromStd(program_.ExeBaseName),
                         FromStd(DisplayTextOf(message)));
}

void FormDataTable::EndBulkChange()
{
    model_.EndBulkChange();
    UpdateLabelColumn();
    if (clearedInBulk_) {
        clearedInBulk_ = false;
        StringGrid->SetCurrentCell(1, 1);
        StringGrid->scrollToTop();
    }
}

void FormDataTable::WriteTable(const std::string& path)
{
    editing_->FinishEdit();
    dataFile_.DataSaved = false;
    dataFile_.WriteDataFile(path);
}

bool FormDataTable::SaveBeforeLosingChanges()
{
    editing_->FinishEdit();
    switch (dataFile_.QuerySaveChanges()) {
    case SaveAnswer::Cancel:
        return false;
    case SaveAnswer::No:
        return true;
    case SaveAnswer::Yes:
        break;
    }
    dataFile_.DataSaved = false;
    if (SaveButtonsEnabled() && !untitled_)
        WriteCurrentFile();
    else
        SpeedButtonSaveAsOnClick();
    return dataFile_.DataSaved;
}

void FormDataTable::SpeedButtonNewOnClick()
{
    // Unsaved changes are asked about first, as before opening a file.
    if (!SaveBeforeLosingChanges())
        return;
    model_.BeginBulkChange();
    program_.Table.ClearTable();
    EndBulkChange();
    std::string& file = program_.Main.QrvFile;
    file = FolderOf(file) + "NewFile." + "qrv";
    const QString caption = QStringLiteral(" ") + FromStd(program_.ExeBaseName) +
                            QStringLiteral(" - ") + FromStd(file);
    main_.SetFileCaption(caption);
    SetFileCaption(caption);
    ComputeModelExtents(program_.View, program_.Table);
    main_.Drawing().ClearDrawing();
    changes_.Restart(true);
    editing_->TableChanged();
    untitled_ = true;
    replaceUnasked_ = false;
}

void FormDataTable::SpeedButtonOpenOnClick()
{
    if (SaveBeforeLosingChanges()) {
        program_.Activity = ActivityState::Opening;
        const QString folder = QFileInfo(FromStd(program_.Main.QrvFile)).absolutePath();
        const std::optional<QString> chosen =
            RunOpenDialog(this, folder,
                          Text(DataTableTexts::OpenDialogFilter, program_.Main.CurrentLanguage));
        if (chosen)
            ReadChosenFile(*chosen);
    }
    // Also after a failed read: the program must not stay busy.
    program_.Activity = ActivityState::Idle;
}

void FormDataTable::OpenDroppedFile(const QString& path)
{
    if (SaveBeforeLosingChanges()) {
        program_.Activity = ActivityState::Opening;
        ReadChosenFile(path);
    }
    program_.Activity = ActivityState::Idle;
}

void FormDataTable::ReadChosenFile(const QString& path)
{
    program_.Main.QrvFile = path.toStdString();
    ReadFile(program_.Main.QrvFile);
    program_.RememberQrvFile = true;
    untitled_ = false;
}

void FormDataTable::SpeedButtonSaveOnClick()
{
    if (untitled_) {
        SpeedButtonSaveAsOnClick();
        return;
    }
    program_.Activity = ActivityState::Saving;
    WriteCurrentFile();
    // A failed write leaves the buttons enabled, so that the user can try
    // again and the close question still knows.
    if (dataFile_.DataSaved)
        changes_.MarkSaved();
    program_.Activity = ActivityState::Idle;
}

void FormDataTable::WriteCurrentFile()
{
    const QString path = FromStd(program_.Main.QrvFile);
    if (replaceUnasked_ && QFileInfo::exists(path) &&
        !AskReplaceFile(this, path, FromStd(program_.ExeBaseName), program_.Main.CurrentLanguage)) {
        editing_->FinishEdit();
        dataFile_.DataSaved = false;
        return;
    }
    WriteTable(program_.Main.QrvFile);
    if (dataFile_.DataSaved)
        replaceUnasked_ = false;
}

void FormDataTable::SpeedButtonSaveAsOnClick()
{
    program_.Activity = ActivityState::Saving;
    SaveDialogRequest request;
    request.Title = Text(DataTableTexts::SaveDialogTitle, program_.Main.CurrentLanguage);
    request.TypeList = Text(DataTableTexts::SaveDialogFilter, program_.Main.CurrentLanguage);
    request.TypeIndex = saveDialogType_;
    request.DefaultSuffix = DataTableSaveExtension(saveDialogType_);
    request.ProposedPath = WithExtension(FromStd(program_.Main.QrvFile),
                                         QLatin1Char('.') + request.DefaultSuffix);
    request.TypeChanged = [](QFileDialog& dialog, int type) {
        FollowTypeExtension(dialog, DataTableSaveExtension(type));
    };
    if (const std::optional<SaveDialogChoice> choice = RunSaveDialog(this, request)) {
        saveDialogType_ = choice->TypeIndex;
        if (const ModelFileType type = DataTableSaveType(saveDialogType_);
            type != ModelFileType::DataFile)
            SaveModelFileAs(type, choice->Path);
        else
            SaveTableAs(choice->Path);
        StringGrid->setFocus();
    }
    program_.Activity = ActivityState::Idle;
}

bool FormDataTable::SaveTableAs(const QString& chosenPath)
{
    const QString path = WithExtension(chosenPath, QStringLiteral(".qrv"));
    if (!ConfirmReplacement(this, chosenPath, path, FromStd(program_.ExeBaseName),
                            program_.Main.CurrentLanguage))
        return false;
    const std::string previous = program_.Main.QrvFile;
    program_.Main.QrvFile = path.toStdString();
    WriteTable(program_.Main.QrvFile);
    if (!dataFile_.DataSaved) {
        // Nothing was saved: the table keeps the name it has.
        program_.Main.QrvFile = previous;
        return false;
    }
    changes_.MarkSaved();
    program_.RememberQrvFile = true;
    untitled_ = false;
    replaceUnasked_ = false;
    return true;
}

void FormDataTable::dragEnterEvent(QDragEnterEvent* event)
{
    if (DroppedDataFile(event->mimeData()))
        event->acceptProposedAction();
}

void FormDataTable::dropEvent(QDropEvent* event)
{
    if (const std::optional<QString> path = DroppedDataFile(event->mimeData())) {
        event->acceptProposedAction();
        OpenDroppedFile(*path);
    }
}

}  // namespace quorvane
