#include "pages/schemedetailsdialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

SchemeDetailsDialog::SchemeDetailsDialog(const QString& text, QWidget* parent)
    : QDialog(parent), mText(new QPlainTextEdit(this)) {
    setWindowTitle("Scheme Details");
    // Scheme headers are laid out with spaces, as in a text editor.
    mText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    mText->setLineWrapMode(QPlainTextEdit::NoWrap);
    QString shown = text;
    shown.replace("\r\n", "\n");
    mText->setPlainText(shown);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mText);
    layout->addWidget(buttons);
    resize(640, 420);
}

QString SchemeDetailsDialog::Text() const {
    return mText->toPlainText();
}
