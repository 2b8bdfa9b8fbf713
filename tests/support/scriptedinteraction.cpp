#include "tests/support/scriptedinteraction.h"

#include <QDialog>
#include <QPrinter>
#include <gtest/gtest.h>

namespace {

// Takes the next scripted entry; an empty queue is a test fault, answered with fallback.
template <typename T> T Next(std::deque<T>& queue, const char* what, T fallback) {
    if (queue.empty()) {
        ADD_FAILURE() << "unscripted " << what;
        return fallback;
    }
    T value = queue.front();
    queue.pop_front();
    return value;
}

} // namespace

QStringList ScriptedInteraction::MessageTexts() const {
    QStringList texts;
    for (const Message& m : messages)
        texts << m.text;
    return texts;
}

void ScriptedInteraction::ShowMessage(QWidget*, const QString& caption, const QString& text,
                                      MessageIcon icon, const QString& detail) {
    messages.push_back({caption, text, icon, detail});
}

Answer ScriptedInteraction::AskYesNoCancel(QWidget*, const QString&, const QString& text) {
    questions << text;
    return Next(answers, "question", Answer::Cancel);
}

QString ScriptedInteraction::OpenFileName(QWidget*, const QString& caption, const QString& filter,
                                          const QString&, const QString& initialFolder) {
    fileCaptions << caption;
    fileFilters << filter;
    openFolders << initialFolder;
    return Next(openFileNames, "open-file dialog", QString());
}

QString ScriptedInteraction::SaveFileName(QWidget*, const QString& caption, const QString& filter,
                                          const QString&, const QString&) {
    fileCaptions << caption;
    fileFilters << filter;
    return Next(saveFileNames, "save-file dialog", QString());
}

bool ScriptedInteraction::SetUpPrinter(QWidget*, QPrinter& printer) {
    const QString pdf = Next(printToPdf, "print dialog", QString());
    if (pdf.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
}

int ScriptedInteraction::RunDialog(QDialog& dialog) {
    dialogTitles << dialog.windowTitle();
    return onDialog ? onDialog(dialog) : QDialog::Rejected;
}
