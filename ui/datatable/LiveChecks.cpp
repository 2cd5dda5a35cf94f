#include "LiveChecks.h"

#include "LineTable.h"
#include "LineTableModel.h"
#include "ModelFacts.h"

#include <algorithm>

namespace quorvane {

LiveChecks::LiveChecks(const LineTable& table, QObject* parent) : QObject(parent), table_(table)
{
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, [this] { Refresh(); });
}

void LiveChecks::Follow(const LineTableModel& model)
{
    connect(&model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) {
                RowsChanged(LineTableModel::RowOf(from), LineTableModel::RowOf(to));
            });
    connect(&model, &QAbstractItemModel::modelReset, this, [this] { TableReplaced(); });
}

void LiveChecks::RowsChanged(int first, int last)
{
    // Beyond a share of the table, checking it anew is quicker than
    // following each row.
    const int most = std::max(1000, table_.LineCount / 8);
    if (reload_ || last - first >= most) {
        reload_ = true;
        rows_.clear();
    } else {
        for (int row = first; row <= last; ++row)
            rows_.push_back(row);
        if (int(rows_.size()) > most) {
            reload_ = true;
            rows_.clear();
        }
    }
    Schedule();
}

void LiveChecks::TableReplaced()
{
    // Another model: its own frequency holds again.
    userFrequency_.reset();
    reload_ = true;
    rows_.clear();
    Schedule();
}

void LiveChecks::TableRedrawn()
{
    Schedule();
}

void LiveChecks::SetUserFrequency(std::optional<double> megahertz)
{
    if (megahertz && !(*megahertz > 0))
        megahertz.reset();
    if (megahertz == userFrequency_)
        return;
    userFrequency_ = megahertz;
    Schedule();
}

void LiveChecks::Schedule()
{
    if (!timer_.isActive())
        timer_.start();
}

void LiveChecks::RefreshNow()
{
    if (timer_.isActive()) {
        timer_.stop();
        Refresh();
    }
}

void LiveChecks::Refresh()
{
    const ModelFacts facts = ReadModelFacts(table_);
    modelFrequency_ = facts.FrequencyMHz;
    const CheckConditions conditions{userFrequency_ ? userFrequency_ : facts.FrequencyMHz,
                                     facts.Ground};
    if (reload_) {
        checker_.Load(table_, conditions);
    } else {
        checker_.SetConditions(conditions);
        // Coordinates can change without their text (a number that no
        // longer reads): the checker finds those rows itself.
        std::vector<int> rows = checker_.StaleRows(table_);
        rows.insert(rows.end(), rows_.begin(), rows_.end());
        if (!rows.empty())
            checker_.UpdateRows(table_, rows);
    }
    reload_ = false;
    rows_.clear();
    if (Refreshed)
        Refreshed();
}

}  // namespace quorvane
