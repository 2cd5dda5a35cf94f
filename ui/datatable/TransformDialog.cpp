#include "TransformDialog.h"

#include "DataTableTexts.h"
#include "NumberText.h"
#include "UnitLanguage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include <charconv>

namespace quorvane {

namespace {

QLineEdit* NumberEdit(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setMaximumWidth(90);
    // Numbers are typed the same way everywhere, whatever the desktop's
    // language, so the field never offers a comma for a point.
    edit->setInputMethodHints(Qt::ImhPreferNumbers);
    return edit;
}

}  // namespace

QString TransformNumberText(double value)
{
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? QString::fromLatin1(buffer, end - buffer) : QString();
}

TransformDialog::TransformDialog(QWidget* parent, Language language, const Transform& start,
                                 int rows)
    : QDialog(parent), language_(language), result_(start)
{
    using namespace DataTableTexts;
    setWindowTitle(Text(TransformTitle, language));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Text(TransformRowCount, language).arg(rows), this));

    auto* grid = new QGridLayout;
    RadioButtonMove = new QRadioButton(Text(TransformMove, language), this);
    EditDx = NumberEdit(this);
    EditDy = NumberEdit(this);
    EditDz = NumberEdit(this);
    auto* move = new QHBoxLayout;
    for (const auto& [name, edit] : {std::pair{"dx", EditDx}, {"dy", EditDy}, {"dz", EditDz}}) {
        move->addWidget(new QLabel(QString::fromLatin1(name), this));
        move->addWidget(edit);
    }
    move->addWidget(new QLabel(QStringLiteral("m"), this));
    move->addStretch();
    grid->addWidget(RadioButtonMove, 0, 0);
    grid->addLayout(move, 0, 1);

    RadioButtonRotate = new QRadioButton(Text(TransformRotate, language), this);
    EditAngle = NumberEdit(this);
    ComboBoxAxis = new QComboBox(this);
    ComboBoxAxis->addItems({QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")});
    auto* rotate = new QHBoxLayout;
    rotate->addWidget(EditAngle);
    rotate->addWidget(new QLabel(Text(TransformAboutAxis, language), this));
    rotate->addWidget(ComboBoxAxis);
    rotate->addStretch();
    grid->addWidget(RadioButtonRotate, 1, 0);
    grid->addLayout(rotate, 1, 1);

    RadioButtonScale = new QRadioButton(Text(TransformScale, language), this);
    EditFactor = NumberEdit(this);
    auto* scale = new QHBoxLayout;
    scale->addWidget(EditFactor);
    scale->addStretch();
    grid->addWidget(RadioButtonScale, 2, 0);
    grid->addLayout(scale, 2, 1);

    RadioButtonMirror = new QRadioButton(Text(TransformMirror, language), this);
    ComboBoxPlane = new QComboBox(this);
    ComboBoxPlane->addItems({QStringLiteral("xy"), QStringLiteral("yz"), QStringLiteral("zx")});
    auto* mirror = new QHBoxLayout;
    mirror->addWidget(ComboBoxPlane);
    mirror->addStretch();
    grid->addWidget(RadioButtonMirror, 3, 0);
    grid->addLayout(mirror, 3, 1);
    layout->addLayout(grid);

    auto* kinds = new QButtonGroup(this);
    for (QRadioButton* kind : {RadioButtonMove, RadioButtonRotate, RadioButtonScale,
                               RadioButtonMirror}) {
        kinds->addButton(kind);
        connect(kind, &QRadioButton::toggled, this, [this] { FollowKind(); });
    }

    auto* about = new QGroupBox(Text(TransformAbout, language), this);
    auto* aboutLayout = new QVBoxLayout(about);
    RadioButtonOrigin = new QRadioButton(Text(TransformOrigin, language), about);
    RadioButtonCentre = new QRadioButton(Text(TransformCentre, language), about);
    aboutLayout->addWidget(RadioButtonOrigin);
    aboutLayout->addWidget(RadioButtonCentre);
    layout->addWidget(about);

    CheckBoxDuplicate = new QCheckBox(Text(TransformDuplicate, language), this);
    layout->addWidget(CheckBoxDuplicate);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    Fill(start);
}

void TransformDialog::Fill(const Transform& start)
{
    EditDx->setText(TransformNumberText(start.Offset.X));
    EditDy->setText(TransformNumberText(start.Offset.Y));
    EditDz->setText(TransformNumberText(start.Offset.Z));
    EditAngle->setText(TransformNumberText(start.AngleDegrees));
    ComboBoxAxis->setCurrentIndex(static_cast<int>(start.RotationAxis));
    EditFactor->setText(TransformNumberText(start.Factor));
    ComboBoxPlane->setCurrentIndex(static_cast<int>(start.Plane));
    (start.AboutCentre ? RadioButtonCentre : RadioButtonOrigin)->setChecked(true);
    CheckBoxDuplicate->setChecked(start.Duplicate);
    QRadioButton* const kinds[] = {RadioButtonMove, RadioButtonRotate, RadioButtonScale,
                                   RadioButtonMirror};
    kinds[static_cast<int>(start.Kind)]->setChecked(true);
    FollowKind();
}

void TransformDialog::FollowKind()
{
    const bool move = RadioButtonMove->isChecked();
    for (QWidget* field : {static_cast<QWidget*>(EditDx), static_cast<QWidget*>(EditDy),
                           static_cast<QWidget*>(EditDz)})
        field->setEnabled(move);
    EditAngle->setEnabled(RadioButtonRotate->isChecked());
    ComboBoxAxis->setEnabled(RadioButtonRotate->isChecked());
    EditFactor->setEnabled(RadioButtonScale->isChecked());
    ComboBoxPlane->setEnabled(RadioButtonMirror->isChecked());
    // A move goes the same way from any point.
    RadioButtonOrigin->setEnabled(!move);
    RadioButtonCentre->setEnabled(!move);
}

bool TransformDialog::ReadNumber(QLineEdit* field, double& value)
{
    const QString text = field->text().trimmed();
    if (ParseNumber(text.toStdString(), value) && value != Undefined)
        return true;
    QMessageBox::warning(this, windowTitle(),
                         Text(DataTableTexts::NotANumber, language_).arg(text));
    field->setFocus();
    field->selectAll();
    return false;
}

void TransformDialog::accept()
{
    Transform chosen = result_;
    if (RadioButtonMove->isChecked()) {
        chosen.Kind = TransformKind::Move;
        if (!ReadNumber(EditDx, chosen.Offset.X) || !ReadNumber(EditDy, chosen.Offset.Y) ||
            !ReadNumber(EditDz, chosen.Offset.Z))
            return;
    } else if (RadioButtonRotate->isChecked()) {
        chosen.Kind = TransformKind::Rotate;
        if (!ReadNumber(EditAngle, chosen.AngleDegrees))
            return;
        chosen.RotationAxis = static_cast<Axis>(ComboBoxAxis->currentIndex());
    } else if (RadioButtonScale->isChecked()) {
        chosen.Kind = TransformKind::Scale;
        if (!ReadNumber(EditFactor, chosen.Factor))
            return;
        if (chosen.Factor == 0) {
            QMessageBox::warning(this, windowTitle(),
                                 Text(DataTableTexts::FactorZero, language_));
            EditFactor->setFocus();
            EditFactor->selectAll();
            return;
        }
    } else {
        chosen.Kind = TransformKind::Mirror;
        chosen.Plane = static_cast<MirrorPlane>(ComboBoxPlane->currentIndex());
    }
    chosen.AboutCentre = RadioButtonCentre->isChecked();
    chosen.Duplicate = CheckBoxDuplicate->isChecked();
    result_ = chosen;
    QDialog::accept();
}

}  // namespace quorvane
