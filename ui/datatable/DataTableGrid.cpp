#include "DataTableGrid.h"

#include "CellDelegate.h"
#include "GridEditEvents.h"
#include "LineTableModel.h"
#include "RowTexts.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace quorvane {

DataTableGrid::DataTableGrid(LineTableModel& model, QWidget* parent)
    : QTableView(parent), model_(model), delegate_(new CellDelegate(model, this))
{
    setModel(&model_);
    setItemDelegate(delegate_);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setSelectionMode(ContiguousSelection);
    setSelectionBehavior(SelectItems);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(ScrollPerItem);

    QHeaderView* labels = verticalHeader();
    labels->setSectionResizeMode(QHeaderView::Fixed);
    labels->setSectionsMovable(true);
    labels->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    labels->viewport()->installEventFilter(this);
    connect(labels, &QHeaderView::sectionMoved, this,
            [this](int logical, int from, int to) { SectionMoved(logical, from, to); });
    connect(labels, &QHeaderView::sectionPressed, this, [this](int section) {
        if (MousePressed)
            MousePressed(Qt::LeftButton, 0, section + 1, QCursor::pos());
    });

    QHeaderView* headers = horizontalHeader();
    headers->setSectionResizeMode(QHeaderView::Fixed);
    headers->setSectionsClickable(false);
    headers->setStretchLastSection(true);
    // The headers carry their own blanks that centre them.
    headers->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void DataTableGrid::SetEditEvents(GridEditEvents* events)
{
    events_ = events;
    delegate_->SetEvents(events);
}

int DataTableGrid::CurrentColumn() const
{
    return currentIndex().isValid() ? LineTableModel::ColumnOf(currentIndex()) : 0;
}

int DataTableGrid::CurrentRow() const
{
    return currentIndex().isValid() ? LineTableModel::RowOf(currentIndex()) : 0;
}

void DataTableGrid::SetCurrentCell(int column, int row)
{
    const QModelIndex cell = model_.CellIndex(column, row);
    if (!cell.isValid())
        return;
    const auto how = QItemSelectionModel::ClearAndSelect |
                     (SelectsWholeRows() ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate);
    selectionModel()->setCurrentIndex(cell, how);
}

CellEditor* DataTableGrid::OpenEditor() const
{
    return state() == EditingState ? delegate_->OpenEditor() : nullptr;
}

void DataTableGrid::CloseEditor()
{
    if (CellEditor* editor = OpenEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void DataTableGrid::SelectTableRows(const std::vector<int>& rows)
{
    if (rows.empty() || !model_.CellIndex(1, rows.front()).isValid())
        return;
    SelectWholeRows(true);
    SetCurrentCell(std::max(1, CurrentColumn()), rows.front());
    QItemSelection selection;
    for (int row : rows) {
        const QModelIndex first = model_.CellIndex(1, row);
        if (first.isValid())
            selection.select(first, model_.CellIndex(TextColumnCount, row));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    scrollTo(model_.CellIndex(std::max(1, CurrentColumn()), rows.front()));
}

void DataTableGrid::SelectWholeRows(bool rows)
{
    setSelectionBehavior(rows ? SelectRows : SelectItems);
}

void DataTableGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (current.isValid() && events_)
        events_->SelectCell(LineTableModel::ColumnOf(current), LineTableModel::RowOf(current));
    // Closes the previous cell's editor, which commits its text once more.
    QTableView::currentChanged(current, previous);
}

bool DataTableGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // With whole rows selected, keys and clicks act on rows, not texts.
    if (SelectsWholeRows())
        return false;
    return QTableView::edit(index, trigger, event);
}

void DataTableGrid::keyPressEvent(QKeyEvent* event)
{
    // Keys an open editor did not take come here too; its handlers have
    // seen them already.
    if (state() != EditingState && events_ && currentIndex().isValid()) {
        if (events_->KeyDown(event)) {
            event->accept();
            return;
        }
        if (IsCharacterKey(event)) {
            const char32_t character = CharacterOf(event);
            if (character == 13 || character == 27) {
                if (events_->KeyPress(event)) {
                    event->accept();
                    return;
                }
            } else {
                // A typed character opens the editor and goes to it, where
                // the key-press handler sees it.
                if (edit(currentIndex(), AnyKeyPressed, nullptr)) {
                    if (CellEditor* editor = OpenEditor()) {
                        editor->OpeningKey = true;
                        QKeyEvent forwarded(event->type(), event->key(), event->modifiers(),
                                            event->text(), event->isAutoRepeat(), event->count());
                        QCoreApplication::sendEvent(editor, &forwarded);
                        editor->OpeningKey = false;
                    }
                }
                event->accept();
                return;
            }
        }
    }
    QTableView::keyPressEvent(event);
}

void DataTableGrid::mousePressEvent(QMouseEvent* event)
{
    QTableView::mousePressEvent(event);
    if (!MousePressed)
        return;
    const QModelIndex cell = indexAt(event->position().toPoint());
    MousePressed(event->button(), cell.isValid() ? LineTableModel::ColumnOf(cell) : -1,
                 cell.isValid() ? LineTableModel::RowOf(cell) : -1,
                 event->globalPosition().toPoint());
}

bool DataTableGrid::eventFilter(QObject* watched, QEvent* event)
{
    // The row labels' header takes a left press for selecting and dragging
    // rows and reports it as sectionPressed; other buttons only come here.
    if (watched == verticalHeader()->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::LeftButton && MousePressed) {
            const int section = verticalHeader()->logicalIndexAt(press->position().toPoint());
            MousePressed(press->button(), 0, section + 1, press->globalPosition().toPoint());
            return true;
        }
    }
    return QTableView::eventFilter(watched, event);
}

bool DataTableGrid::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && HintRequested) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex cell = indexAt(help->pos());
        if (HintRequested(help, cell.isValid() ? LineTableModel::ColumnOf(cell) : -1,
                          cell.isValid() ? LineTableModel::RowOf(cell) : -1))
            return true;
        event->ignore();
        return true;
    }
    return QTableView::viewportEvent(event);
}

void DataTableGrid::SectionMoved(int, int oldVisual, int newVisual)
{
    if (restoringSections_)
        return;
    // The header moves sections only in its own order; the labels go back to
    // their places and the rows' contents move instead.
    restoringSections_ = true;
    verticalHeader()->moveSection(newVisual, oldVisual);
    restoringSections_ = false;
    if (RowDragged)
        RowDragged(oldVisual + 1, newVisual + 1);
}

}  // namespace quorvane
