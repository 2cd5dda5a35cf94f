#pragma once

#include "Language.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QFileDialog;
class QWidget;

namespace quorvane {

// A type list as the program keeps it, descriptions and patterns separated
// by vertical bars ("Quorvane files (*.qrv)|*.qrv|..."), as file dialog
// name filters: each description, with its pattern added in parentheses
// unless it names it already.
QStringList NameFilters(const QString& typeList);

struct SaveDialogRequest {
    QString Title;
    QString TypeList;
    int TypeIndex = 1;      // 1-based, as the program counts file types
    QString ProposedPath;   // folder and name, with or without an extension
    QString DefaultSuffix;  // without the point
    bool ShowHiddenFiles = false;
    // Runs when the user picks another type, with the 1-based index.
    std::function<void(QFileDialog&, int)> TypeChanged;
};

struct SaveDialogChoice {
    QString Path;
    int TypeIndex = 1;
};

// Modal dialogs; empty when the user cancels. The save dialog asks before
// it lets an existing file be overwritten.
std::optional<SaveDialogChoice> RunSaveDialog(QWidget* parent, const SaveDialogRequest& request);
std::optional<QString> RunOpenDialog(QWidget* parent, const QString& folder,
                                     const QString& typeList);

// `path` with its extension (from the last point of the name) replaced by
// `extension`, which includes the point; appended when the name has none.
QString WithExtension(const QString& path, const QString& extension);

// After the user picks another type in a save dialog: the name in the
// dialog takes that type's extension (without the point), which also
// becomes the default one.
void FollowTypeExtension(QFileDialog& dialog, const QString& extension);

// Messages stand over the window the user is working in, else `fallback`.
QWidget* MessageParent(QWidget* fallback);

// Asks whether an existing file may be replaced; true when the user agrees.
bool AskReplaceFile(QWidget* parent, const QString& path, const QString& caption,
                    Language language);

// Asks before a save replaces a file the dialog did not name itself (after
// its extension was changed); true when there is no such file or the user
// agrees.
bool ConfirmReplacement(QWidget* parent, const QString& chosen, const QString& target,
                        const QString& caption, Language language);

}  // namespace quorvane
