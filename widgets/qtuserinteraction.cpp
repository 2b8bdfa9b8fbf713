#include "widgets/qtuserinteraction.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// QFileDialog's static functions ignore a default suffix, so both file dialogs are built here.
QString RunFileDialog(QFileDialog& dialog, const QString& defaultSuffix) {
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

void QtUserInteraction::ShowMessage(QWidget* parent, const QString& caption, const QString& text,
                                    MessageIcon icon, const QString& detail) {
    QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::Ok, parent);
    if (!detail.isEmpty())
        box.setInformativeText(detail);
    box.exec();
}

Answer QtUserInteraction::AskYesNoCancel(QWidget* parent, const QString& caption,
                                         const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QString QtUserInteraction::OpenFileName(QWidget* parent, const QString& caption,
                                        const QString& filter, const QString& defaultSuffix,
                                        const QString& initialFolder) {
    QFileDialog dialog(parent, caption, initialFolder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(dialog, defaultSuffix);
}

QString QtUserInteraction::SaveFileName(QWidget* parent, const QString& caption,
                                        const QString& filter, const QString& defaultSuffix,
                                        const QString& initialPath) {
    QFileDialog dialog(parent, caption, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!initialPath.isEmpty())
        dialog.selectFile(initialPath);
    // A name typed without an extension takes the one of the file type chosen, if it has one.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        static const QRegularExpression kOneExtension(R"(\(\*\.(\w+)\)$)");
        const QRegularExpressionMatch match = kOneExtension.match(f);
        if (match.hasMatch())
            dialog.setDefaultSuffix(match.captured(1));
    });
    return RunFileDialog(dialog, defaultSuffix);
}

bool QtUserInteraction::SetUpPrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

int QtUserInteraction::RunDialog(QDialog& dialog) {
    return dialog.exec();
}
