#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>

#include <functional>

namespace quorvane {

class GridEditEvents;
class LineTableModel;

// The in-place editor of a cell. Keys reach the grid's key handlers before
// the editor acts on them; every change the user makes is stored in the
// cell and reported at once. Text that arrives all at once, from the
// clipboard (keys, context menu, middle button) or dropped on it, is
// inserted only as far as the editing rules let it.
class CellEditor : public QLineEdit {
public:
    CellEditor(QWidget* parent, int column, int row);

    int Column() const { return column_; }
    int Row() const { return row_; }
    // Set when the editor's final text is being committed: the program's
    // changes to the cell no longer reach it.
    bool Closing = false;
    // Set while the key that opened the editor is forwarded to it: the grid
    // has already shown that key to the key-down handler.
    bool OpeningKey = false;
    GridEditEvents* Events = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void InsertAtOnce(const QString& text);

    int column_, row_;
};

// Makes, fills and commits the cell editors in the order of GridEditEvents.
// Qt's own handling of Tab, Enter, Escape and focus loss in the editor is
// switched off: the grid and its window decide what those keys do, and an
// editor stays open when the focus goes to another window.
class CellDelegate : public QStyledItemDelegate {
public:
    CellDelegate(LineTableModel& model, QObject* parent);

    void SetEvents(GridEditEvents* events) { events_ = events; }
    CellEditor* OpenEditor() const { return open_; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // A coordinate cell showing a number, which stands right-aligned this
    // far from the right grid line, in view and editor alike.
    static bool ShowsNumber(int column, const QString& text);
    static int NumberPadding(const QFontMetrics& metrics);
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Stores the editor's text in its cell and reports it.
    void Commit(CellEditor* editor) const;

    LineTableModel& model_;
    GridEditEvents* events_ = nullptr;
    mutable QPointer<CellEditor> open_;
    mutable bool storing_ = false;
};

}  // namespace quorvane
