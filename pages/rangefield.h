#pragma once

#include <QAbstractSpinBox>
#include <QString>

// A range limit in percent as free text with spin arrows. The text is not restricted while typed,
// so that the page can tell the user what is wrong with it; the arrows and the Up and Down keys
// step the whole number at the start of the text by 1 within 0 to 100 and write it back without
// decimals.
class RangeField : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit RangeField(QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);

    void stepBy(int steps) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int kLowest = 0;
    static constexpr int kHighest = 100;

protected:
    StepEnabled stepEnabled() const override;
};
