#include "CellDelegate.h"

#include "GridEditEvents.h"
#include "LineTableModel.h"
#include "NumberText.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>

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
    if (event->matches(QKeySequence::Paste)) {
        InsertAtOnce(QGuiApplication::clipboard()->text());
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CellEditor::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The menu's Paste is the action that pastes: it is told by its
    // connection, which, unlike its text, no language changes. Qt makes it
    // by name or, in other versions, by member.
    for (QAction* action : menu->actions())
        if (disconnect(action, SIGNAL(triggered()), this, SLOT(paste())) ||
            disconnect(action, &QAction::triggered, this, &QLineEdit::paste))
            connect(action, &QAction::triggered, this,
                    [this] { InsertAtOnce(QGuiApplication::clipboard()->text()); });
    menu->popup(event->globalPos());
}

void CellEditor::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the selection of another program.
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() && !isReadOnly()) {
        deselect();
        InsertAtOnce(clipboard->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CellEditor::dropEvent(QDropEvent* event)
{
    // Text moved within the editor was let in before.
    if (event->source() == this || !event->mimeData()->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    deselect();
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    InsertAtOnce(event->mimeData()->text());
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CellEditor::InsertAtOnce(const QString& text)
{
    const int from = hasSelectedText() ? selectionStart() : cursorPosition();
    const int to = hasSelectedText() ? selectionEnd() : from;
    if (!Events) {
        insert(text);
        return;
    }
    if (const std::optional<QString> accepted =
            Events->InsertText(column_, row_, this->text(), from, to, text))
        insert(*accepted);
}

CellDelegate::CellDelegate(LineTableModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model)
{
}

bool CellDelegate::ShowsNumber(int column, const QString& text)
{
    double value = 0;
    return column >= 1 && column <= 6 && ParseNumber(text.toStdString(), value);
}

int CellDelegate::NumberPadding(const QFontMetrics& metrics)
{
    // Numbers end about two blanks from the right grid line.
    return 2 * metrics.horizontalAdvance(QLatin1Char(' '));
}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const
{
    const int column = LineTableModel::ColumnOf(index);
    const QString text = model_.CellText(column, LineTableModel::RowOf(index));
    if (!ShowsNumber(column, text)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The blanks in front of a number place it only roughly in the
    // measured width; it is drawn right-aligned at the padding itself.
    QStyleOptionViewItem number = option;
    initStyleOption(&number, index);
    number.text = text.trimmed();
    number.displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
    const QWidget* view = option.widget;
    const QStyle* style = view ? view->style() : QApplication::style();
    const int textMargin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    number.rect.setRight(number.rect.right() - NumberPadding(number.fontMetrics) + textMargin);
    // The cell's background and selection span the whole cell.
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    cell.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, view);
    number.backgroundBrush = Qt::NoBrush;
    number.state &= ~QStyle::State_HasFocus;
    number.palette.setBrush(QPalette::Highlight, Qt::transparent);
    style->drawControl(QStyle::CE_ItemViewItem, &number, painter, view);
}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    const int column = LineTableModel::ColumnOf(index), row = LineTableModel::RowOf(index);
    auto* editor = new CellEditor(parent, column, row);
    editor->setFont(option.font);
    // A number is edited where it is shown, so that it does not jump.
    if (ShowsNumber(column, model_.CellText(column, row))) {
        editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int lineEditMargin = 2;
        editor->setTextMargins(0, 0, NumberPadding(QFontMetrics(option.font)) - lineEditMargin, 0);
    }
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
