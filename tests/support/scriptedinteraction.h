#pragma once

#include "widgets/userinteraction.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

class QWidget;

// A UserInteraction for tests: answers come from queues that the test fills, and every message and
// question is recorded. A question or dialog the script did not expect fails the running test
// (and answers Cancel) instead of blocking.
class ScriptedInteraction : public UserInteraction {
public:
    struct Message {
        QString caption;
        QString text;
        MessageIcon icon;
        QString detail;
    };

    // What the next calls answer, in order.
    std::deque<Answer> answers;
    std::deque<QString> openFileNames; // "" answers Cancel
    std::deque<QString> saveFileNames; // "" answers Cancel
    std::deque<QString> printToPdf;    // the PDF file the printer writes to; "" answers Cancel
    // Called with each dialog that RunDialog receives; its result is the dialog's result code.
    // Without one, RunDialog records the dialog's title and answers QDialog::Rejected.
    std::function<int(QDialog&)> onDialog;

    // What was shown.
    std::vector<Message> messages;
    QStringList questions;    // the texts of AskYesNoCancel
    QStringList fileCaptions; // the captions of the file dialogs, open and save
    QStringList fileFilters;  // their filters
    QStringList openFolders;  // the folders the open-file dialogs start in ("" for none)
    QStringList dialogTitles; // the titles of the dialogs run

    // The texts of the messages shown, in order.
    QStringList MessageTexts() const;

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
