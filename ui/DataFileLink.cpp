#include "DataFileLink.h"

#include "FileDialogs.h"
#include "FormDataTable.h"
#include "FormMain.h"
#include "Projection.h"

#include <QMessageBox>

namespace quorvane {

void DataFileLink::SetFileCaptions(const std::string& caption)
{
    main_.SetFileCaption(QString::fromStdString(caption));
    if (dataTable_)
        dataTable_->SetFileCaption(QString::fromStdString(caption));
}

void DataFileLink::ResizeDataTable()
{
    if (dataTable_)
        dataTable_->FormDataTableOnResize();
}

void DataFileLink::ModelChanged()
{
    ComputeModelExtents(program_.View, program_.Table);
    main_.Drawing().DrawWireFrame();
}

void DataFileLink::ShowFileError(const std::string& message)
{
    QMessageBox::critical(MessageParent(&main_), QString::fromStdString(program_.ExeBaseName),
                          QString::fromStdString(message));
}

SaveAnswer DataFileLink::AskSaveChanges(const std::string& caption, const std::string& question)
{
    const auto answer = QMessageBox::question(
        MessageParent(&main_), QString::fromStdString(caption), QString::fromStdString(question),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        return SaveAnswer::Yes;
    if (answer == QMessageBox::No)
        return SaveAnswer::No;
    return SaveAnswer::Cancel;
}

}  // namespace quorvane
