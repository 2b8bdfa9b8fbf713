#pragma once

#include <QString>

class QDialog;
class QPrinter;
class QWidget;

// The icon of a message box (None: no icon); the caption and text say the rest.
enum class MessageIcon { Information, Warning, Error, Question, None };

// The answer to a Yes/No/Cancel question.
enum class Answer { Yes, No, Cancel };

// Everything a page or a dialog asks of the user goes through here, so that the program shows Qt
// dialogs while tests answer from a script without blocking.
class UserInteraction {
public:
    virtual ~UserInteraction() = default;

    // A modal message box with an OK button; detail, when not empty, is shown below the text
    // (the reason of a failure, say).
    virtual void ShowMessage(QWidget* parent, const QString& caption, const QString& text,
                             MessageIcon icon, const QString& detail = QString()) = 0;

    // A modal question with Yes, No and Cancel.
    virtual Answer AskYesNoCancel(QWidget* parent, const QString& caption, const QString& text) = 0;

    // The path of an existing file the user picks, or an empty text when cancelled. filter is in
    // Qt's form ("Scheme files (*.dat);;All files (*)"); defaultSuffix has no dot. The dialog
    // opens in initialFolder when one is given, else where the platform's dialog opens.
    virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter,
                                 const QString& defaultSuffix,
                                 const QString& initialFolder = QString()) = 0;

    // The path to save to (the user has agreed to replace an existing file), or an empty text
    // when cancelled. initialPath may be empty.
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                 const QString& defaultSuffix, const QString& initialPath) = 0;

    // Lets the user choose and set up the printer; false when cancelled.
    virtual bool SetUpPrinter(QWidget* parent, QPrinter& printer) = 0;

    // Runs a modal dialog (scheme details, chart, about) and returns its result code.
    virtual int RunDialog(QDialog& dialog) = 0;
};
