#include "CheckPanel.h"

#include "CheckMessages.h"
#include "CheckTexts.h"
#include "LiveChecks.h"
#include "UnitLanguage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include <charconv>
#include <cmath>

namespace quorvane {

std::optional<std::optional<double>> ReadFrequencyText(const QString& text)
{
    const std::string typed = text.trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toStdString();
    if (typed.empty())
        return std::optional<double>{};
    double value = 0;
    const auto [end, error] = std::from_chars(typed.data(), typed.data() + typed.size(), value);
    if (error != std::errc() || end != typed.data() + typed.size() || !std::isfinite(value) ||
        value <= 0)
        return std::nullopt;
    return std::optional<double>(value);
}

CheckPanel::CheckPanel(LiveChecks& checks, QWidget* parent)
    : QWidget(parent), checks_(checks), list_(this)
{
    LabelFrequency = new QLabel(this);
    EditFrequency = new QLineEdit(this);
    EditFrequency->setClearButtonEnabled(true);
    LabelFrequency->setBuddy(EditFrequency);
    CheckBoxMarkers = new QCheckBox(this);
    ListFindings = new QTableView(this);
    ListFindings->setModel(&list_);
    ListFindings->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListFindings->setSelectionMode(QAbstractItemView::SingleSelection);
    ListFindings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListFindings->setWordWrap(false);
    ListFindings->setAlternatingRowColors(true);
    ListFindings->verticalHeader()->hide();
    ListFindings->verticalHeader()->setDefaultSectionSize(ListFindings->fontMetrics().height() + 6);
    ListFindings->horizontalHeader()->setStretchLastSection(true);
    ListFindings->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    ListFindings->setColumnWidth(CheckListModel::SeverityColumn, 90);
    ListFindings->setColumnWidth(CheckListModel::RuleColumn, 150);
    ListFindings->setColumnWidth(CheckListModel::RowsColumn, 70);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->addWidget(LabelFrequency, 0, 0);
    layout->addWidget(EditFrequency, 0, 1);
    layout->addWidget(CheckBoxMarkers, 1, 0, 1, 2);
    layout->addWidget(ListFindings, 2, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(2, 1);

    connect(EditFrequency, &QLineEdit::textEdited, this, [this] { FrequencyEdited(); });
    connect(CheckBoxMarkers, &QCheckBox::toggled, this, [this](bool shown) {
        if (MarkersToggled)
            MarkersToggled(shown);
    });
    connect(ListFindings->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { FindingChosen(); });
    // A click on the entry already current chooses it again, after the
    // user has moved about in the table.
    connect(ListFindings, &QAbstractItemView::clicked, this, [this] { FindingChosen(); });
}

void CheckPanel::SetCaptions(Language language)
{
    using namespace CheckTexts;
    language_ = language;
    LabelFrequency->setText(Text(FrequencyLabel, language));
    EditFrequency->setToolTip(Text(FrequencyHint, language));
    CheckBoxMarkers->setText(Text(Markers, language));
    CheckBoxMarkers->setToolTip(Text(MarkersHint, language));
    ListFindings->setToolTip(Text(ListHint, language));
    list_.SetLanguage(language);
    ShowModelFrequency();
}

void CheckPanel::SetMarkersShown(bool shown)
{
    CheckBoxMarkers->setChecked(shown);
}

void CheckPanel::ShowChecks()
{
    // The entry chosen stays chosen while its finding is still there.
    const int current = ListFindings->currentIndex().row();
    std::optional<CheckFinding> chosen;
    if (current >= 0 && current < list_.rowCount())
        chosen = list_.Findings()[std::size_t(current)];
    list_.SetFindings(checks_.Findings());
    if (chosen && ListFindings->currentIndex().row() < 0) {
        const auto& shown = list_.Findings();
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (shown[i].Rule == chosen->Rule && shown[i].Rows == chosen->Rows) {
                const QSignalBlocker quiet(ListFindings->selectionModel());
                ListFindings->selectionModel()->setCurrentIndex(
                    list_.index(int(i), 0),
                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                break;
            }
        }
    }
    // A frequency the field still shows after another model was read no
    // longer holds.
    const std::optional<std::optional<double>> typed = ReadFrequencyText(EditFrequency->text());
    if (typed && *typed && !checks_.UserFrequency())
        EditFrequency->clear();
    ShowModelFrequency();
}

void CheckPanel::ShowModelFrequency()
{
    using namespace CheckTexts;
    const std::optional<double> model = checks_.ModelFrequency();
    EditFrequency->setPlaceholderText(
        model ? Text(ModelFrequency, language_).arg(QString::fromStdString(CheckNumber(*model)))
              : Text(NoModelFrequency, language_));
}

void CheckPanel::FrequencyEdited()
{
    const std::optional<std::optional<double>> typed = ReadFrequencyText(EditFrequency->text());
    // Text that is no frequency yet (a lone point) changes nothing, and
    // shows so.
    EditFrequency->setStyleSheet(typed ? QString() : QStringLiteral("color: #c00000"));
    if (typed)
        checks_.SetUserFrequency(*typed);
}

void CheckPanel::FindingChosen()
{
    const int row = ListFindings->currentIndex().row();
    if (row < 0 || row >= list_.rowCount() || !RowsChosen)
        return;
    RowsChosen(list_.Findings()[std::size_t(row)].Rows);
}

}  // namespace quorvane
