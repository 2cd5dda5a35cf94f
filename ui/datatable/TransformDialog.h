#pragma once

#include "Language.h"
#include "Transforms.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace quorvane {

// Asks how the selected rows are to be transformed: moved, rotated about an
// axis, scaled or mirrored, about the origin or the selection's centre,
// and whether transformed copies are appended instead. Numbers are typed
// with a point whatever the desktop's language.
class TransformDialog : public QDialog {
public:
    // Shows `start` (the last transform of the session) for `rows` rows.
    TransformDialog(QWidget* parent, Language language, const Transform& start, int rows);

    // The transform asked for, once the dialog was accepted.
    const Transform& Result() const { return result_; }

    void accept() override;

    QRadioButton* RadioButtonMove;
    QRadioButton* RadioButtonRotate;
    QRadioButton* RadioButtonScale;
    QRadioButton* RadioButtonMirror;
    QLineEdit* EditDx;
    QLineEdit* EditDy;
    QLineEdit* EditDz;
    QLineEdit* EditAngle;
    QComboBox* ComboBoxAxis;
    QLineEdit* EditFactor;
    QComboBox* ComboBoxPlane;
    QRadioButton* RadioButtonOrigin;
    QRadioButton* RadioButtonCentre;
    QCheckBox* CheckBoxDuplicate;

private:
    void Fill(const Transform& start);
    void FollowKind();
    // The field's number, or nothing after saying what is wrong with it.
    bool ReadNumber(QLineEdit* field, double& value);

    Language language_;
    Transform result_;
};

// A number as the dialog shows it: point, no grouping, shortest exact text.
QString TransformNumberText(double value);

}  // namespace quorvane
