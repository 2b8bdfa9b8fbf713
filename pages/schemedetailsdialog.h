#pragma once

#include <QDialog>

class QPlainTextEdit;

// "Scheme Details": the free text at the head of a scheme file in a scrollable box, with OK.
// What the user types into the box is dropped when the dialog closes.
class SchemeDetailsDialog : public QDialog {
    Q_OBJECT
public:
    explicit SchemeDetailsDialog(const QString& text, QWidget* parent = nullptr);

    QString Text() const;

private:
    QPlainTextEdit* mText;
};
