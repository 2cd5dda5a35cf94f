#include "CheckListModel.h"

#include "CheckMessages.h"
#include "CheckTexts.h"
#include "UnitLanguage.h"

#include <QApplication>
#include <QStyle>

namespace quorvane {

namespace {

QString FromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CheckListModel::CheckListModel(QObject* parent)
    : QAbstractTableModel(parent),
      errorIcon_(QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical)),
      warningIcon_(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning))
{
}

void CheckListModel::SetFindings(const std::vector<CheckFinding>& findings)
{
    if (findings == findings_)
        return;
    beginResetModel();
    findings_ = findings;
    endResetModel();
}

void CheckListModel::SetLanguage(Language language)
{
    if (language == language_)
        return;
    language_ = language;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (!findings_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int CheckListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(findings_.size());
}

int CheckListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CheckListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const CheckFinding& finding = findings_[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case SeverityColumn:
            return FromView(SeverityTitle(finding.Severity, language_));
        case RuleColumn:
            return FromView(RuleTitle(finding.Rule, language_));
        case RowsColumn:
            return QString::fromStdString(RowList(finding.Rows));
        case NumbersColumn:
            return QString::fromStdString(FindingNumbers(finding, language_));
        }
        break;
    case Qt::DecorationRole:
        if (index.column() == SeverityColumn)
            return finding.Severity == CheckSeverity::Error ? errorIcon_ : warningIcon_;
        break;
    case Qt::ToolTipRole:
        return FromView(RuleExplanation(finding.Rule, language_));
    }
    return {};
}

QVariant CheckListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount)
        return Text(CheckTexts::Columns[section], language_);
    return QAbstractTableModel::headerData(section, orientation, role);
}

}  // namespace quorvane
