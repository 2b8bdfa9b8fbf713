#include "pages/rangefield.h"

#include "util/numbertext.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <algorithm>

RangeField::RangeField(QWidget* parent) : QAbstractSpinBox(parent) {
    setAccelerated(false);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
}

QString RangeField::Text() const {
    return lineEdit()->text();
}

void RangeField::SetText(const QString& text) {
    lineEdit()->setText(text);
}

void RangeField::stepBy(int steps) {
    const QByteArray text = Text().toLatin1();
    const int current =
        std::clamp(numbertext::LeadingInteger(text.toStdString()), kLowest, kHighest);
    // Widened before adding: a wheel or page step may be large.
    const long long next =
        std::clamp<long long>(static_cast<long long>(current) + steps, kLowest, kHighest);
    SetText(QString::number(next));
    lineEdit()->selectAll();
}

QAbstractSpinBox::StepEnabled RangeField::stepEnabled() const {
    // Always both: the text may be anything, and a step brings it back within 0 to 100.
    return StepUpEnabled | StepDownEnabled;
}

// The base class sizes itself from a value range it does not have here; room for "100.000".
QSize RangeField::sizeHint() const {
    ensurePolished();
    const QFontMetrics metrics(font());
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize text(metrics.horizontalAdvance(QStringLiteral("100.000 ")),
                     lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

QSize RangeField::minimumSizeHint() const {
    return sizeHint();
}
