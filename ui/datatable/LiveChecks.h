#pragma once

#include "CheckFinding.h"
#include "GeometryChecker.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>
#include <vector>

namespace quorvane {

class LineTable;
class LineTableModel;

// The geometry checks of the one line table, kept current while it is
// edited: every change marks its rows, and once the change's handler has
// ended (so that typing is never held up by it) those rows are checked
// again against their neighbours instead of the whole table.
class LiveChecks : public QObject {
public:
    explicit LiveChecks(const LineTable& table, QObject* parent = nullptr);

    // The table's changes as the grid's model announces them: changed rows,
    // and a reset after a file was read or the table cleared.
    void Follow(const LineTableModel& model);
    // Rows changed, or the table was drawn anew after a change whose rows no
    // one named: a refresh is due.
    void RowsChanged(int first, int last);
    void TableReplaced();
    void TableRedrawn();

    // A frequency typed by the user, in MHz, or none for the model's own.
    void SetUserFrequency(std::optional<double> megahertz);
    std::optional<double> UserFrequency() const { return userFrequency_; }
    // The frequency of the model's FR card row, as of the last refresh.
    std::optional<double> ModelFrequency() const { return modelFrequency_; }

    // Does a refresh that is due at once.
    void RefreshNow();
    bool RefreshDue() const { return timer_.isActive(); }

    const std::vector<CheckFinding>& Findings() { return checker_.Findings(); }
    CheckCounts Counts() { return CountFindings(checker_.Findings()); }
    const CheckConditions& Conditions() const { return checker_.Conditions(); }

    // After every refresh.
    std::function<void()> Refreshed;

private:
    void Schedule();
    void Refresh();

    const LineTable& table_;
    GeometryChecker checker_;
    QTimer timer_;
    std::vector<int> rows_;  // named since the last refresh
    bool reload_ = true;
    std::optional<double> userFrequency_;
    std::optional<double> modelFrequency_;
};

}  // namespace quorvane
