#include "FormMain.h"

#include "CellTextEncoding.h"
#include "DataTableGrid.h"
#include "FormDataTable.h"
#include "ImageView.h"
#include "NumberText.h"
#include "PointingTexts.h"
#include "Scale.h"
#include "ScaleList.h"
#include "UnitLanguage.h"
#include "UpDownArrows.h"

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QToolButton>

#include <cmath>
#include <limits>

namespace quorvane {

namespace {

constexpr Qt::KeyboardModifiers ModifierKeys =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
// Pixels a line may lie from the mouse and still be the one meant.
constexpr double PickRadius = 6;
// Pixels within which a measured point snaps to a line end.
constexpr double SnapRadius = 8;
constexpr int MeasureMarkerSize = 11;
constexpr int AngleDecimals = 1;

QString PointText(const Vector3& p, int decimals)
{
    return QStringLiteral("%1, %2, %3")
        .arg(QString::fromStdString(FixedText(p[0], decimals)),
             QString::fromStdString(FixedText(p[1], decimals)),
             QString::fromStdString(FixedText(p[2], decimals)));
}

// Distances get at least millimetres, whatever the table shows.
int DistanceDecimals(int tableDecimals)
{
    return std::max(3, tableDecimals);
}

int ClampToInt(double value)
{
    return static_cast<int>(std::clamp(std::round(value), double(std::numeric_limits<int>::min()),
                                       double(std::numeric_limits<int>::max())));
}

}  // namespace

void FormMain::SetDataTable(FormDataTable* dataTable)
{
    dataTable_ = dataTable;
    if (!dataTable_)
        return;
    // The table's selection is what the drawing highlights.
    QItemSelectionModel* selection = dataTable_->StringGrid->selectionModel();
    connect(selection, &QItemSelectionModel::selectionChanged, this, [this] { OverlayChanged(); });
    connect(selection, &QItemSelectionModel::currentChanged, this, [this] { OverlayChanged(); });
}

void FormMain::ConnectPointing()
{
    Image->SetOverlay(&overlayLayer_);
    Image->HintAt = [this](QPoint position) { return LineHint(position); };
    AddHighlightPart();
    AddMeasurementPart();
    connect(SpeedButtonMeasure, &QToolButton::clicked, this, [this] { SpeedButtonMeasureOnClick(); });
    connect(PopupMenuImageHighlight, &QAction::triggered, this,
            [this] { PopupMenuImageHighlightOnClick(); });
    connect(PopupMenuImageCopyMeasurement, &QAction::triggered, this, [this] { CopyMeasurement(); });
    connect(PopupMenuImage, &QMenu::aboutToShow, this,
            [this] { PopupMenuImageCopyMeasurement->setVisible(measurement_.has_value()); });
    // The highlight shows while the table window is shown, which its button
    // follows.
    connect(SpeedButtonDataTable, &QToolButton::toggled, this, [this] { OverlayChanged(); });
    PopupMenuImageHighlight->setChecked(program_.View.ShowHighlight);
}

void FormMain::SetPointingCaptions(Language language)
{
    using namespace PointingTexts;
    SpeedButtonMeasure->setToolTip(Text(MeasureHint, language));
    PopupMenuImageHighlight->setText(Text(PopupHighlight, language));
    PopupMenuImageCopyMeasurement->setText(Text(PopupCopyMeasurement, language));
}

void FormMain::ImageChanged()
{
    // A new drawing: lines are elsewhere, the overlay follows them.
    hitTest_.Clear();
    OverlayChanged();
}

void FormMain::OverlayChanged()
{
    overlay_.Build(overlayLayer_, ScreenPlacement(program_.Table, program_.View,
                                                  drawing_->ImageWidth, drawing_->ImageHeight));
    Image->update();
}

const LineHitTest& FormMain::HitTest()
{
    if (!hitTest_.Built())
        hitTest_.Build(program_.Table, program_.View, drawing_->ImageWidth, drawing_->ImageHeight);
    return hitTest_;
}

void FormMain::AddHighlightPart()
{
    overlay_.AddPart(OverlayLevel::Highlight, [this](OverlayLayer& layer,
                                                     const ScreenPlacement& screen) {
        if (!program_.View.ShowHighlight || !dataTable_ || !SpeedButtonDataTable->isChecked())
            return;
        AddHighlightedLines(layer, screen, dataTable_->SelectedRows(), program_.View.HighlightColor,
                            drawing_->Anaglyph().AnaglyphPenMode);
    });
}

void FormMain::AddMeasurementPart()
{
    overlay_.AddPart(OverlayLevel::Measurement, [this](OverlayLayer& layer,
                                                       const ScreenPlacement& screen) {
        if (!measureStart_ && !measurement_)
            return;
        const ViewParameters& view = program_.View;
        // Measured points are found on the single view, also in anaglyph,
        // where black or white reads through both filters.
        const bool bright = drawing_->Anaglyph().BackgroundIsBright;
        const Color pen = !view.ShowAnaglyph ? view.HighlightColor : bright ? 0x000000 : 0xFFFFFF;
        const Color text = !view.ShowAnaglyph ? view.TextColor : pen;
        const Color box = !view.ShowAnaglyph ? view.BackgroundColor : view.AnaglyphBackgroundColor;
        auto mark = [&](const Vector3& point, int& x, int& y) {
            screen.ModelPoint(point, ProjectedView::Mono, x, y);
            layer.Markers.push_back({x, y, pen, MeasureMarkerSize, 2, MarkerShape::Circle});
        };
        int x1 = 0, y1 = 0;
        if (!measurement_) {
            mark(measureStart_->Point, x1, y1);
            return;
        }
        int x2 = 0, y2 = 0;
        mark(measurement_->From.Point, x1, y1);
        mark(measurement_->To.Point, x2, y2);
        layer.Lines.push_back({{x1, y1, x2, y2}, pen, 2, PenMode::Copy});
        const Language language = program_.Main.CurrentLanguage;
        QString label = Text(PointingTexts::Distance, language)
                            .arg(QString::fromStdString(FixedText(
                                measurement_->Distance,
                                DistanceDecimals(program_.DataFileValues.Decimals))));
        if (measurement_->HasAngle)
            label += QLatin1Char('\n') +
                     Text(PointingTexts::Angle, language)
                         .arg(QString::fromStdString(
                             FixedText(measurement_->AngleDegrees, AngleDecimals)));
        layer.Labels.push_back({ClampToInt((double(x1) + x2) / 2 + MeasureMarkerSize),
                                ClampToInt((double(y1) + y2) / 2 + MeasureMarkerSize),
                                label.toStdString(), text, box});
    });
}

QString FormMain::LineHint(QPoint position)
{
    if (program_.Activity != ActivityState::Idle || dragging_ || panning_)
        return {};
    const std::optional<LineHit> hit = HitTest().NearestLine(position.x(), position.y(), PickRadius);
    if (!hit)
        return {};
    const LineTable& table = program_.Table;
    const LineRecord& r = table.Record(hit->Row);
    const int decimals = program_.DataFileValues.Decimals;
    const QString supplement =
        QString::fromStdString(DisplayTextOf(table.CellText(7, hit->Row))).trimmed();
    const double length = std::hypot(r.X2 - r.X1, r.Y2 - r.Y1, r.Z2 - r.Z1);
    return Text(PointingTexts::LineHint, program_.Main.CurrentLanguage)
        .arg(QString::number(hit->Row),
             supplement.isEmpty() ? QString() : QStringLiteral(": ") + supplement,
             QString::fromStdString(FixedText(length, decimals)),
             PointText({r.X1, r.Y1, r.Z1}, decimals), PointText({r.X2, r.Y2, r.Z2}, decimals));
}

void FormMain::PickLine(QPoint position, bool toggle)
{
    if (!dataTable_)
        return;
    const std::optional<LineHit> hit = HitTest().NearestLine(position.x(), position.y(), PickRadius);
    if (!hit)
        return;  // empty space changes nothing
    if (!SpeedButtonDataTable->isChecked())
        Toggle(SpeedButtonDataTable, &FormMain::SpeedButtonDataTableOnClick);
    if (toggle)
        dataTable_->ToggleRowSelection(hit->Row);
    else
        dataTable_->ShowRow(hit->Row);
}

void FormMain::MeasureAt(QPoint position)
{
    const LineTable& table = program_.Table;
    const LineHitTest& test = HitTest();
    std::optional<MeasuredPoint> point;
    if (const auto end = test.NearestEnd(position.x(), position.y(), SnapRadius))
        point = LineEndPoint(table, end->Row, end->End);
    else if (const auto line = test.NearestLine(position.x(), position.y(), PickRadius))
        point = MeasuredPoint{test.ModelPoint(table, *line), line->Row, 0};

    if (measurement_ || !measureStart_) {
        // The click after a measurement ends it and may start the next.
        measurement_.reset();
        measureStart_ = point;
    } else if (point) {
        measurement_ = Measure(table, *measureStart_, *point);
        measureStart_.reset();
    }
    OverlayChanged();
}

void FormMain::ClearMeasurement()
{
    measureStart_.reset();
    measurement_.reset();
    OverlayChanged();
}

QString FormMain::MeasurementText() const
{
    if (!measurement_)
        return {};
    using namespace PointingTexts;
    const Language language = program_.Main.CurrentLanguage;
    const int decimals = DistanceDecimals(program_.DataFileValues.Decimals);
    QString text = Text(Distance, language)
                       .arg(QString::fromStdString(FixedText(measurement_->Distance, decimals)));
    if (measurement_->HasAngle)
        text += QLatin1Char('\n') +
                Text(Angle, language)
                    .arg(QString::fromStdString(FixedText(measurement_->AngleDegrees, AngleDecimals)));
    auto pointLine = [&](const MeasuredPoint& p, const LanguageText& atEnd,
                         const LanguageText& onLine) {
        const QString where = PointText(p.Point, decimals);
        return p.End != 0 ? Text(atEnd, language).arg(p.Row).arg(p.End).arg(where)
                          : Text(onLine, language).arg(p.Row).arg(where);
    };
    text += QLatin1Char('\n') + pointLine(measurement_->From, FromEnd, FromLine);
    text += QLatin1Char('\n') + pointLine(measurement_->To, ToEnd, ToLine);
    return text;
}

void FormMain::CopyMeasurement()
{
    if (measurement_)
        QGuiApplication::clipboard()->setText(MeasurementText());
}

void FormMain::SpeedButtonMeasureOnClick()
{
    if (!SpeedButtonMeasure->isChecked())
        ClearMeasurement();
    Image->setCursor(SpeedButtonMeasure->isChecked() ? QCursor(Qt::CrossCursor) : handFlat_);
}

void FormMain::PopupMenuImageHighlightOnClick()
{
    program_.View.ShowHighlight = PopupMenuImageHighlight->isChecked();
    OverlayChanged();
}

void FormMain::ResetPan()
{
    if (program_.View.PanX == 0 && program_.View.PanY == 0)
        return;
    program_.View.PanX = 0;
    program_.View.PanY = 0;
    drawing_->DrawWireFrame();
}

bool FormMain::PointingKeyDown(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ModifierKeys;
    const bool ctrlOrNone = modifiers == Qt::NoModifier || modifiers == Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_M:
        if (ctrlOrNone)
            Toggle(SpeedButtonMeasure, &FormMain::SpeedButtonMeasureOnClick);
        return false;
    case Qt::Key_H:
        if (ctrlOrNone)
            ResetPan();
        return false;
    case Qt::Key_Escape:
        if (modifiers != Qt::NoModifier || !SpeedButtonMeasure->isChecked())
            return false;
        // Escape ends the measurement shown, then the measure mode.
        if (measureStart_ || measurement_)
            ClearMeasurement();
        else
            Toggle(SpeedButtonMeasure, &FormMain::SpeedButtonMeasureOnClick);
        return true;
    default:
        return false;
    }
}

void FormMain::StepScale(bool increase, QPoint anchor)
{
    const int before = program_.View.ScaleDenominator;
    if (increase ? !quorvane::IncreaseScale(scaleIndex_)
                 : !quorvane::DecreaseScale(program_.Main.ScaleList, scaleIndex_))
        return;
    UpDownScale->SetPosition(scaleIndex_);
    const int after = program_.Main.ScaleList[scaleIndex_];
    ScalePanAbout(program_.View, before, after, anchor.x(), anchor.y());
    program_.View.ScaleDenominator = after;
    drawing_->ApplyScale();
}

}  // namespace quorvane
