#include "FormDataTable.h"

#include "CellTextEncoding.h"
#include "FileAccess.h"
#include "FileDialogs.h"
#include "FileErrors.h"
#include "NecDeckWriter.h"
#include "NecMessages.h"

#include <QFileInfo>
#include <QMessageBox>

namespace quorvane {

bool FormDataTable::SaveNecDeckAs(const QString& chosenPath)
{
    const QString path = WithExtension(chosenPath, QStringLiteral(".nec"));
    if (!ConfirmReplacement(this, chosenPath, path, QString::fromStdString(program_.ExeBaseName),
                            program_.Main.CurrentLanguage))
        return false;
    return WriteNecDeck(path);
}

bool FormDataTable::WriteNecDeck(const QString& path)
{
    editing_->FinishEdit();
    const std::string deckPath = path.toStdString();
    const std::string deckName = QFileInfo(path).fileName().toStdString();
    const NecDeckText deck = MakeNecDeck(program_.Table, deckName);
    QWidget* parent = MessageParent(this);
    const QString caption = QString::fromStdString(program_.ExeBaseName);
    // No backup: the backup name of a deck is that of the data file beside
    // it, whose backup it would replace.
    if (const int error = ReplaceFileContents(deckPath, deck.Text, false)) {
        QMessageBox::critical(parent, caption,
                              QString::fromStdString(FileErrorText(error) + "\n" + deckPath));
        return false;
    }
    const std::string leftOut =
        NecRowsLeftOutMessage(deck.LeftOutRows, deckName, program_.Main.CurrentLanguage);
    if (!leftOut.empty())
        QMessageBox::information(parent, caption, QString::fromStdString(DisplayTextOf(leftOut)));
    return true;
}

}  // namespace quorvane
