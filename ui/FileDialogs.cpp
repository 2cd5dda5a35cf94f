#include "FileDialogs.h"

#include "UnitLanguage.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

namespace quorvane {

namespace {

constexpr LanguageText ReplaceQuestion{"%1 already exists.\nDo you want to replace it?",
                                       "%1 existiert bereits.\nSoll die Datei ersetzt werden?"};

}  // namespace

QStringList NameFilters(const QString& typeList)
{
    const QStringList parts = typeList.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        filters << (description.contains(QLatin1Char('(') + pattern + QLatin1Char(')'))
                        ? description
                        : description + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return filters;
}

std::optional<SaveDialogChoice> RunSaveDialog(QWidget* parent, const SaveDialogRequest& request)
{
    QFileDialog dialog(parent, request.Title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = NameFilters(request.TypeList);
    dialog.setNameFilters(filters);
    if (request.TypeIndex >= 1 && request.TypeIndex <= filters.size())
        dialog.selectNameFilter(filters[request.TypeIndex - 1]);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    if (request.ShowHiddenFiles)
        dialog.setFilter(dialog.filter() | QDir::Hidden);
    const QFileInfo proposed(request.ProposedPath);
    if (proposed.absoluteDir().exists())
        dialog.setDirectory(proposed.absolutePath());
    dialog.selectFile(proposed.fileName());
    if (request.TypeChanged)
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, &request, filters](const QString& filter) {
                             request.TypeChanged(dialog, static_cast<int>(filters.indexOf(filter)) + 1);
                         });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const int type = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return SaveDialogChoice{dialog.selectedFiles().constFirst(), type > 0 ? type : request.TypeIndex};
}

std::optional<QString> RunOpenDialog(QWidget* parent, const QString& folder,
                                     const QString& typeList)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(NameFilters(typeList));
    if (QDir(folder).exists())
        dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

QString WithExtension(const QString& path, const QString& extension)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype point = path.lastIndexOf(QLatin1Char('.'));
    return (point > slash ? path.left(point) : path) + extension;
}

void FollowTypeExtension(QFileDialog& dialog, const QString& extension)
{
    dialog.setDefaultSuffix(extension);
    // The dialog does not change a name field that has the focus.
    auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    const QString name = field ? field->text() : QFileInfo(dialog.selectedFiles().value(0)).fileName();
    if (name.isEmpty())
        return;
    const QString renamed = WithExtension(name, QLatin1Char('.') + extension);
    if (field)
        field->setText(renamed);
    else
        dialog.selectFile(renamed);
}

QWidget* MessageParent(QWidget* fallback)
{
    QWidget* active = QApplication::activeWindow();
    return active ? active : fallback;
}

bool AskReplaceFile(QWidget* parent, const QString& path, const QString& caption,
                    Language language)
{
    return QMessageBox::question(parent, caption,
                                 Text(ReplaceQuestion, language).arg(QDir::toNativeSeparators(path)),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

bool ConfirmReplacement(QWidget* parent, const QString& chosen, const QString& target,
                        const QString& caption, Language language)
{
    if (QFileInfo(chosen).absoluteFilePath() == QFileInfo(target).absoluteFilePath() ||
        !QFileInfo::exists(target))
        return true;
    return AskReplaceFile(parent, target, caption, language);
}

}  // namespace quorvane
