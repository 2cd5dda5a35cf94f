#pragma once

#include <QPoint>
#include <QString>

namespace quorvane {

// What the data table's editing and row commands ask of their window.
class TableWindowServices {
public:
    virtual ~TableWindowServices() = default;
    virtual void Beep() = 0;
    // Appends a line to the debug log when it is shown.
    virtual void DebugLog(const QString& text) = 0;
    // Both windows' save buttons, after a key the user typed into a cell.
    virtual void EnableSaveButtons() = 0;
    // Both windows' save buttons as the editing history says: enabled while
    // the table differs from its saved state.
    virtual void UpdateSaveButtons() = 0;
    // Yes/No question before a row is deleted; true for Yes.
    virtual bool AskDeleteRow() = 0;
    virtual void ShowCapacityMessage() = 0;
    virtual void ShowRowMenu(QPoint globalPosition) = 0;
};

}  // namespace quorvane
