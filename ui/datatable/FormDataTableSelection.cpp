#include "DataTableGrid.h"
#include "FormDataTable.h"

#include <QItemSelectionModel>

#include <algorithm>

namespace quorvane {

namespace {

constexpr int FirstColumn = 1;
constexpr int LastColumn = 7;

}  // namespace

std::vector<int> FormDataTable::SelectedRows() const
{
    std::vector<int> rows;
    const QItemSelection selection = StringGrid->selectionModel()->selection();
    for (const QItemSelectionRange& range : selection)
        for (int row = LineTableModel::RowOf(range.topLeft());
             row <= LineTableModel::RowOf(range.bottomRight()); ++row)
            rows.push_back(row);
    if (rows.empty()) {
        if (const int current = StringGrid->CurrentRow(); current > 0)
            rows.push_back(current);
        return rows;
    }
    // Ranges of a toggled selection may overlap.
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void FormDataTable::ShowRow(int row)
{
    const int column = std::max(FirstColumn, StringGrid->CurrentColumn());
    StringGrid->SetCurrentCell(column, row);
    StringGrid->scrollTo(model_.CellIndex(column, row), QAbstractItemView::EnsureVisible);
}

void FormDataTable::ToggleRowSelection(int row)
{
    QItemSelectionModel& selection = *StringGrid->selectionModel();
    const QItemSelection whole(model_.CellIndex(FirstColumn, row), model_.CellIndex(LastColumn, row));
    bool selected = false;
    for (int column = FirstColumn; column <= LastColumn && !selected; ++column)
        selected = selection.isSelected(model_.CellIndex(column, row));
    selection.select(whole, selected ? QItemSelectionModel::Deselect : QItemSelectionModel::Select);
    StringGrid->scrollTo(model_.CellIndex(FirstColumn, row), QAbstractItemView::EnsureVisible);
}

}  // namespace quorvane
