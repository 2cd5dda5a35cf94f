#include "DataFileLink.h"

#include "FormMain.h"
#include "Projection.h"

#include <QMessageBox>

namespace quorvane {

void DataFileLink::SetFileCaptions(const std::string& caption)
{
    main_.SetFileCaption(QString::fromStdString(caption));
}

void DataFileLink::ResizeDataTable()
{
    // The main window alone has nothing to fit to the table's rows.
}

void DataFileLink::ModelChanged()
{
    ComputeModelExtents(program_.View, program_.Table);
    main_.Drawing().DrawWireFrame();
}

void DataFileLink::ShowFileError(const std::string& message)
{
    QMessageBox::critical(&main_, QString::fromStdString(program_.ExeBaseName),
                          QString::fromStdString(message));
}

SaveAnswer DataFileLink::AskSaveChanges(const std::string& caption, const std::string& question)
{
    const auto answer = QMessageBox::question(
        &main_, QString::fromStdString(caption), QString::fromStdString(question),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        return SaveAnswer::Yes;
    if (answer == QMessageBox::No)
        return SaveAnswer::No;
    return SaveAnswer::Cancel;
}

}  // namespace quorvane
