#pragma once

#include "CheckListModel.h"
#include "Language.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace quorvane {

class LiveChecks;

// The data table window's list of the geometry checks' findings, with the
// frequency they use and the toggle of their markers in the drawing.
class CheckPanel : public QWidget {
public:
    CheckPanel(LiveChecks& checks, QWidget* parent);

    void SetCaptions(Language language);
    // Takes the checks' present findings and the model's frequency.
    void ShowChecks();
    void SetMarkersShown(bool shown);

    CheckListModel& List() { return list_; }

    // The user chose a finding: its rows, ascending.
    std::function<void(const std::vector<int>& rows)> RowsChosen;
    std::function<void(bool shown)> MarkersToggled;

    QLabel* LabelFrequency;
    QLineEdit* EditFrequency;
    QCheckBox* CheckBoxMarkers;
    QTableView* ListFindings;

private:
    void FrequencyEdited();
    void FindingChosen();
    void ShowModelFrequency();

    LiveChecks& checks_;
    CheckListModel list_;
    Language language_ = Language::English;
};

// A frequency as the user types it, in MHz: a positive number with a point
// or a comma; empty for none, nothing for text that is no such number.
std::optional<std::optional<double>> ReadFrequencyText(const QString& text);

}  // namespace quorvane
