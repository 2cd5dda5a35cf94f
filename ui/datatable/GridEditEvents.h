#pragma once

#include <QString>

#include <optional>

class QKeyEvent;

namespace quorvane {

// What the grid reports about editing, in the order the editing rules rely
// on. Columns count from 1 (x1) to 7 (the supplement), rows from 1.
//
// 1. SelectCell when the current cell is about to become (column, row),
//    before the editor of the previous cell closes.
// 2. GetEditText when an editor opens on a cell or the program changes the
//    text of the cell whose editor is open; it returns the text to show.
// 3. SetEditText after the grid stored the editor's text as the cell's
//    text: on every change the user makes in the editor, and once more when
//    the editor closes.
// 4. KeyDown and then KeyPress for keys in the grid or its editor, after the
//    window has seen them; each returns true when it consumed the key.
// 5. InsertText before text arrives in the open editor all at once (pasted,
//    dropped): `editorText` is the editor's text, [from, to) the characters
//    the text will replace. It returns the text to insert, or nothing when
//    the text is refused. The editor then inserts it, which reports 3.
class GridEditEvents {
public:
    virtual ~GridEditEvents() = default;
    virtual void SelectCell(int column, int row) = 0;
    virtual QString GetEditText(int column, int row, const QString& text) = 0;
    virtual void SetEditText(int column, int row, const QString& text) = 0;
    virtual bool KeyDown(QKeyEvent* event) = 0;
    virtual bool KeyPress(QKeyEvent* event) = 0;
    virtual std::optional<QString> InsertText(int column, int row, const QString& editorText,
                                              int from, int to, const QString& inserted) = 0;
};

// A key that types a character (or Backspace, Enter, Escape) rather than
// a command: no Ctrl, Alt or Meta, and a text of its own.
bool IsCharacterKey(const QKeyEvent* event);
// The character of such a key: Backspace 8, Enter 13, Escape 27.
char32_t CharacterOf(const QKeyEvent* event);

}  // namespace quorvane
