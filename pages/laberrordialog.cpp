#include "pages/laberrordialog.h"

#include "pages/rowcertainty.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>

LabErrorDialog::LabErrorDialog(LabError error, QWidget* parent)
    : QDialog(parent), mModel(new QComboBox(this)), mSize(new QDoubleSpinBox(this)) {
    setWindowTitle("Lab Error");
    mModel->addItem(QString::fromUtf8("Uniform: each fraction anywhere within ± e"));
    mModel->addItem("Normal: standard deviation e on each fraction");
    mSize->setRange(0.1, kLargestLabError);
    mSize->setDecimals(1);
    mSize->setSingleStep(0.5);
    mSize->setSuffix(" points");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(new QLabel("The error Show Certainty assumes on each measured fraction.", this));
    layout->addRow("&Model:", mModel);
    layout->addRow("&e:", mSize);
    layout->addRow(buttons);
    SetError(error);
}

LabError LabErrorDialog::Error() const {
    return {mModel->currentIndex() == 0 ? ErrorModel::Uniform : ErrorModel::Normal, mSize->value()};
}

void LabErrorDialog::SetError(LabError error) {
    mModel->setCurrentIndex(error.model == ErrorModel::Uniform ? 0 : 1);
    mSize->setValue(error.size);
}
