#include "FormDataTable.h"

#include "CheckPanel.h"
#include "CheckTexts.h"
#include "DataTableGrid.h"
#include "FormMain.h"
#include "LiveChecks.h"
#include "UnitLanguage.h"

#include <QScreen>
#include <QToolButton>

namespace quorvane {

namespace {

constexpr int ChecksPanelWidth = 460;
// Right of the toolbar's fourteen buttons (the last three set apart by 8
// pixels), with a gap.
constexpr int CheckCountLeft = 14 * 24 + 8 + 12;

}  // namespace

void FormDataTable::CreateChecks()
{
    checks_ = std::make_unique<LiveChecks>(program_.Table, this);
    ButtonCheckCount = new QToolButton(this);
    ButtonCheckCount->setCheckable(true);
    ButtonCheckCount->setAutoRaise(true);
    ButtonCheckCount->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ButtonCheckCount->setFocusPolicy(Qt::NoFocus);
    ButtonCheckCount->move(CheckCountLeft, 1);
    connect(ButtonCheckCount, &QToolButton::clicked, this,
            [this](bool checked) { SetChecksVisible(checked); });

    PanelChecks = new CheckPanel(*checks_, this);
    PanelChecks->hide();
    PanelChecks->SetMarkersShown(program_.View.ShowCheckMarkers);
    PanelChecks->RowsChosen = [this](const std::vector<int>& rows) {
        editing_->FinishEdit();
        StringGrid->SelectTableRows(rows);
    };
    PanelChecks->MarkersToggled = [this](bool shown) {
        program_.View.ShowCheckMarkers = shown;
        main_.CheckMarkersChanged();
    };

    // Every change of the table reaches the checks through the grid's model
    // and the redraw that follows it.
    checks_->Follow(model_);
    checks_->Refreshed = [this] {
        ShowCheckCounts();
        PanelChecks->ShowChecks();
        main_.CheckMarkersChanged();
    };
}

int FormDataTable::ChecksWidth() const
{
    return PanelChecks && PanelChecks->isVisibleTo(this) ? ChecksPanelWidth : 0;
}

bool FormDataTable::ChecksVisible() const
{
    return ChecksWidth() > 0;
}

void FormDataTable::SetChecksVisible(bool visible)
{
    ButtonCheckCount->setChecked(visible);
    if (visible == ChecksVisible())
        return;
    // The grid keeps its width; the window grows or shrinks by the panel.
    const int gridWidth = width() - ChecksWidth();
    PanelChecks->setVisible(visible);
    setMinimumWidth(minimumWidth_ + ChecksWidth());
    resize(gridWidth + ChecksWidth(), height());
    // A window widened beyond the screen's edge moves back onto it; before
    // it is first shown it has no frame yet.
    if (const QScreen* screen = this->screen(); visible && screen) {
        const QRect outer = isVisible() ? frameGeometry() : geometry();
        const int beyond = outer.right() - screen->availableGeometry().right();
        if (beyond > 0)
            move(std::max(screen->availableGeometry().left(), pos().x() - beyond), pos().y());
    }
    LayOutControls();
}

void FormDataTable::ShowCheckCounts()
{
    using namespace CheckTexts;
    const Language language = program_.Main.CurrentLanguage;
    const CheckCounts counts = checks_->Counts();
    QString text;
    if (counts.Errors == 0 && counts.Warnings == 0) {
        text = Text(NoFindings, language);
    } else {
        const QString errors = counts.Errors == 1
                                   ? Text(OneError, language)
                                   : Text(Errors, language).arg(counts.Errors);
        const QString warnings = counts.Warnings == 1
                                     ? Text(OneWarning, language)
                                     : Text(Warnings, language).arg(counts.Warnings);
        text = Text(Counts, language).arg(errors, warnings);
    }
    ButtonCheckCount->setText(text);
    // Errors stand out; the panel's list says which.
    ButtonCheckCount->setStyleSheet(counts.Errors > 0 ? QStringLiteral("color: #c00000")
                                                      : QString());
    ButtonCheckCount->adjustSize();
    ButtonCheckCount->resize(ButtonCheckCount->width(), 24);
}

void FormDataTable::SetChecksCaptions(Language language)
{
    ButtonCheckCount->setToolTip(Text(CheckTexts::CountsHint, language));
    PanelChecks->SetCaptions(language);
    ShowCheckCounts();
}

}  // namespace quorvane
