#pragma once

#include "scheme/classshares.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;

// "Lab Error": the model and size of the error that Show Certainty assumes on each fraction.
class LabErrorDialog : public QDialog {
    Q_OBJECT
public:
    LabErrorDialog(LabError error, QWidget* parent = nullptr);

    LabError Error() const;
    // For tests and callers that fill the dialog: the size is kept within the box's range.
    void SetError(LabError error);

private:
    QComboBox* mModel;
    QDoubleSpinBox* mSize;
};
