#include "FormDataTable.h"

#include "DataTableGrid.h"
#include "DataTableTexts.h"
#include "FileDialogs.h"
#include "FormMain.h"
#include "TransformDialog.h"
#include "UnitLanguage.h"

#include <QItemSelectionModel>
#include <QMessageBox>

namespace quorvane {

void FormDataTable::SpeedButtonTransformOnClick()
{
    editing_->FinishEdit();
    program_.Table.Recount();
    std::vector<int> rows = SelectedRows();
    std::erase_if(rows, [this](int row) { return row > program_.Table.LineCount; });
    TransformDialog dialog(MessageParent(this), program_.Main.CurrentLanguage, lastTransform_,
                           static_cast<int>(rows.size()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    lastTransform_ = dialog.Result();
    ApplyTransform(rows, lastTransform_);
}

bool FormDataTable::ApplyTransform(const std::vector<int>& rows, const Transform& transform)
{
    using namespace DataTableTexts;
    const Language language = program_.Main.CurrentLanguage;
    LineTable& table = program_.Table;
    TransformedRows result =
        TransformRows(table, rows, transform, program_.DataFileValues.Decimals);
    if (result.OverflowRow != 0) {
        ShowTransformMessage(Text(TransformOverflow, language).arg(result.OverflowRow));
        return false;
    }
    if (result.Rows.empty()) {
        ShowTransformMessage(Text(NothingToTransform, language));
        return false;
    }
    if (transform.Duplicate) {
        table.Recount();
        const int first = table.LineCount + 1;
        const int count = static_cast<int>(result.Contents.size());
        if (!changes_.Insert(first, std::move(result.Contents))) {
            ShowCapacityMessage();
            return false;
        }
        // The copies are selected, so that the next transform moves them on.
        SelectRows(first, count);
    } else {
        // Rows next to each other are written as one block, all in one step.
        changes_.BeginStep();
        std::size_t i = 0;
        while (i < result.Rows.size()) {
            std::size_t end = i + 1;
            while (end < result.Rows.size() && result.Rows[end] == result.Rows[end - 1] + 1)
                ++end;
            changes_.Replace(result.Rows[i],
                             {std::make_move_iterator(result.Contents.begin() + i),
                              std::make_move_iterator(result.Contents.begin() + end)});
            i = end;
        }
        changes_.EndStep();
    }
    editing_->ClearUndo();
    return true;
}

void FormDataTable::ShowTransformMessage(const QString& text)
{
    Beep();
    QMessageBox::warning(MessageParent(this), QString::fromStdString(program_.ExeBaseName), text);
}

void FormDataTable::SelectRows(int first, int count)
{
    StringGrid->SelectWholeRows(false);
    StringGrid->SetCurrentCell(1, first);
    const QItemSelection rows(model_.CellIndex(1, first),
                              model_.CellIndex(TextColumnCount, first + count - 1));
    StringGrid->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    StringGrid->scrollTo(model_.CellIndex(1, first));
}

}  // namespace quorvane
