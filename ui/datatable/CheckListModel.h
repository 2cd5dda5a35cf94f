#pragma once

#include "CheckFinding.h"
#include "Language.h"

#include <QAbstractTableModel>
#include <QIcon>

#include <vector>

namespace quorvane {

// The check panel's list: one row per finding with its severity, rule,
// rows and numbers, the rule's meaning as its hint.
class CheckListModel : public QAbstractTableModel {
public:
    enum Column { SeverityColumn, RuleColumn, RowsColumn, NumbersColumn, ColumnCount };

    explicit CheckListModel(QObject* parent = nullptr);

    // Shows these findings; the views are told only when they differ from
    // those shown.
    void SetFindings(const std::vector<CheckFinding>& findings);
    void SetLanguage(Language language);
    const std::vector<CheckFinding>& Findings() const { return findings_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<CheckFinding> findings_;
    Language language_ = Language::English;
    QIcon errorIcon_, warningIcon_;
};

}  // namespace quorvane
