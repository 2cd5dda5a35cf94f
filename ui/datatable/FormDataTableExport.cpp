#include "FormDataTable.h"

#include "CellTextEncoding.h"
#include "FileAccess.h"
#include "FileDialogs.h"
#include "FileErrors.h"

#include <QFileInfo>
#include <QMessageBox>

namespace quorvane {

bool FormDataTable::SaveModelFileAs(ModelFileType type, const QString& chosenPath)
{
    const QString path =
        WithExtension(chosenPath, QString::fromLatin1(ModelFileExtension(type)));
    if (!ConfirmReplacement(this, chosenPath, path, QString::fromStdString(program_.ExeBaseName),
                            program_.Main.CurrentLanguage))
        return false;
    return WriteModelFile(type, path);
}

bool FormDataTable::WriteModelFile(ModelFileType type, const QString& path)
{
    editing_->FinishEdit();
    const std::string filePath = path.toStdString();
    const std::string fileName = QFileInfo(path).fileName().toStdString();
    const ModelFileText written = MakeModelFileText(type, program_.Table, fileName);
    QWidget* parent = MessageParent(this);
    const QString caption = QString::fromStdString(program_.ExeBaseName);
    // No backup: the backup name of an exported file is that of the data
    // file beside it, whose backup it would replace.
    if (const int error = ReplaceFileContents(filePath, written.Text, false)) {
        QMessageBox::critical(parent, caption,
                              QString::fromStdString(FileErrorText(error) + "\n" + filePath));
        return false;
    }
    const std::string leftOut =
        ExportLeftOutMessage(written, fileName, program_.Main.CurrentLanguage);
    if (!leftOut.empty())
        QMessageBox::information(parent, caption, QString::fromStdString(DisplayTextOf(leftOut)));
    return true;
}

}  // namespace quorvane
