#pragma once

#include "widgets/userinteraction.h"

// The interaction of the running program: QMessageBox, QFileDialog, QPrintDialog and exec().
class QtUserInteraction : public UserInteraction {
public:
    void ShowMessage(QWidget* parent, const QString& caption, const QString& text, MessageIcon icon,
                     const QString& detail = QString()) override;
    Answer AskYesNoCancel(QWidget* parent, const QString& caption, const QString& text) override;
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter,
                         const QString& defaultSuffix,
                         const QString& initialFolder = QString()) override;
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                         const QString& defaultSuffix, const QString& initialPath) override;
    bool SetUpPrinter(QWidget* parent, QPrinter& printer) override;
    int RunDialog(QDialog& dialog) override;
};
