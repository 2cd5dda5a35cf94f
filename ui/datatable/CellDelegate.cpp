#include "CellDelegate.h"

#include "GridEditEvents.h"
#include "LineTableModel.h"

#include <QKeyEvent>

#include <limits>

namespace quorvane {

bool IsCharacterKey(const QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return false;
    default:
        return !event->text().isEmpty() && event->text().front() >= QLatin1Char(' ') &&
               event->text().front() != QChar(127);
    }
}

char32_t CharacterOf(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    const QList<uint> characters = event->text().toUcs4();
    return characters.isEmpty() ? 0 : characters.front();
}

CellEditor::CellEditor(QWidget* parent, int column, int row)
    : QLineEdit(parent), column_(column), row_(row)
{
    setFrame(false);
    // No limit of its own: a long supplement must not be cut by looking at it.
    setMaxLength(std::numeric_limits<int>::max());
}

void CellEditor::keyPressEvent(QKeyEvent* event)
{
    const bool skipKeyDown = OpeningKey;
    OpeningKey = false;
    if (Events && ((!skipKeyDown && Events->KeyDown(event)) ||
                   (IsCharacterKey(event) && Events->KeyPress(event)))) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

CellDelegate::CellDelegate(LineTableModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model)
{
}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    auto* editor = new CellEditor(parent, LineTableModel::ColumnOf(index),
                                  LineTableModel::RowOf(index));
    editor->setFont(option.font);
    editor->Events = events_;
    connect(editor, &QLineEdit::textEdited, editor, [this, editor] { Commit(editor); });
    open_ = editor;
    return editor;
}

void CellDelegate::setEditorData(QWidget* widget, const QModelIndex& index) const
{
    auto* editor = static_cast<CellEditor*>(widget);
    if (storing_ || editor->Closing)
        return;
    const int column = LineTableModel::ColumnOf(index), row = LineTableModel::RowOf(index);
    const QString text = model_.CellText(column, row);
    editor->setText(events_ ? events_->GetEditText(column, row, text) : text);
}

void CellDelegate::setModelData(QWidget* widget, QAbstractItemModel*, const QModelIndex&) const
{
    // The view commits an editor only when it closes it.
    auto* editor = static_cast<CellEditor*>(widget);
    editor->Closing = true;
    Commit(editor);
}

void CellDelegate::Commit(CellEditor* editor) const
{
    // A line break in a cell would split its row in the data file; a pasted
    // one becomes a blank.
    QString text = editor->text();
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        const int cursor = editor->cursorPosition();
        editor->setText(text);
        editor->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
    }
    storing_ = true;
    model_.SetCellText(editor->Column(), editor->Row(), text);
    storing_ = false;
    if (events_)
        events_->SetEditText(editor->Column(), editor->Row(), text);
}

void CellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}

bool CellDelegate::eventFilter(QObject*, QEvent*)
{
    return false;
}

}  // namespace quorvane
