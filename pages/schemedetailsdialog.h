#pragma once

#include "scheme/schememetadata.h"
#include "scheme/textureclass.h"

#include <QDialog>
#include <QStringList>
#include <vector>

class QPlainTextEdit;
class QTableWidget;
class QTabWidget;

// "Scheme Details": what the scheme file says about itself, with OK. A "Summary" tab lays out its
// key lines (name, country, source, vertices, limits, boundaries) when it has any, a "Classes"
// tab lists the scheme's classes with their abbreviations, a "Limits" tab each class's range
// of each axis, central composition and vertices (in the order of axisNames), and a "Text" tab
// holds the free text at the head of the file as it stands, in a scrollable box. Without key lines
// the text is shown first. What the user types into the box is dropped when the dialog closes.
class SchemeDetailsDialog : public QDialog {
    Q_OBJECT
public:
    SchemeDetailsDialog(const QString& text, const SchemeMetadata& metadata,
                        const std::vector<TextureClass>& classes, QWidget* parent = nullptr,
                        const QStringList& axisNames = {"x", "y", "z"});

    // What the tabs show, for tests.
    QString Text() const;
    // The titles of the tabs, and the current one.
    QStringList TabTitles() const;
    QString CurrentTab() const;
    // The summary as "Field: value" lines; empty without key lines.
    QStringList SummaryLines() const;
    // The class table as "id|name|abbreviation" lines.
    QStringList ClassLines() const;
    // The limits table as "name|x range|y range|z range|centre|vertices" lines.
    QStringList LimitLines() const;

private:
    QTabWidget* mTabs;
    QPlainTextEdit* mText;
    QWidget* mSummary = nullptr;
    QTableWidget* mClasses;
    QTableWidget* mLimits;
};
