#pragma once

#include "geometry/polygon.h"
#include "pages/pagescheme.h"

#include <QString>
#include <QWidget>
#include <array>
#include <initializer_list>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class RangeField;
class UserInteraction;

// The "Range Lookup" page: the texture classes a range of the three fractions falls in, with
// the outline of that range in the triangle.
class CTexRange : public QWidget {
    Q_OBJECT
public:
    enum Axis { kX, kY, kZ };

    explicit CTexRange(UserInteraction& interaction, QWidget* parent = nullptr);

    PageScheme& Scheme();

    // Called by the main window each time the Range tab becomes current; the first call loads the
    // scheme from Scheme().SchemePath() and runs the first lookup.
    void Activate();

    // Reads and checks the six limits, then shows the classes the range overlaps and the
    // coordinates of its polygon ("{ fail }" when it holds no part of the triangle). Does nothing
    // while no scheme is loaded; stops with a message and the focus on the field at the first
    // limit that is not a number within 0 to 100 (the results stay), or at the first axis whose
    // minimum is not below its maximum (the results are cleared). Every message is captioned
    // "Problem in range", without an icon.
    void LookupRange();
    // LookupRange, then the chart of the scheme with the range polygon when it has a vertex.
    void PlotChart();
    // Set the axis back to 0 to 100 and empty the results, once the six fields read well.
    void ResetXRange();
    void ResetYRange();
    void ResetZRange();
    // y, then x, then z.
    void ResetAllRanges();
    // A new scheme from a file the user picks; the lookup then runs with it. A failed load
    // leaves the scheme and the results as they were.
    void LoadSchemeFromDialog();
    // Loads the scheme at path (a bundled one's "schemes/<id>.dat") as LoadSchemeFromDialog loads
    // the file picked.
    void LoadScheme(const QString& path);
    void ShowSchemeDetails();

    // What the page shows, for tests and screenshots.
    RangeField& MinField(Axis axis) const;
    RangeField& MaxField(Axis axis) const;
    // Class names, one a line; coordinate lines "(x,\ty,\tz)"; lines separated by "\n".
    QString ClassText() const;
    QString CoordText() const;
    // The count without the label's colon; "0 texture class(es)" before the first lookup.
    QString CountText() const;
    QString SchemeNameText() const;
    QString RangeTitle(Axis axis) const;
    // The polygon of the last lookup.
    const polygon& RangePolygon() const { return mRangePolygon; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Range {
        double min = 0;
        double max = 100;
        QGroupBox* box = nullptr;
        RangeField* minField = nullptr;
        RangeField* maxField = nullptr;
    };

    QGroupBox* BuildRangeBox(Axis axis, void (CTexRange::*reset)());
    // True when a range polygon with a vertex was found and shown.
    bool Lookup();
    // Takes the six fields into the ranges in the order y, x, z maxima then minima; at the first
    // field that is not a number within 0 to 100 shows why, gives it the focus and returns false.
    bool ReadFields();
    bool ReadField(RangeField& field, Axis axis, const char* bound, double* value);
    void WriteFields();
    void ResetRanges(std::initializer_list<Axis> axes);
    void ClearResults();
    void ShowResults(const QStringList& classes, const QStringList& coordinates,
                     const QString& count);
    void ShowScheme();
    // Shows the new scheme, its axes on the fields, and looks the ranges up with it.
    void RefreshScheme();
    QString AxisName(Axis axis) const;

    UserInteraction& mInteraction;
    PageScheme mScheme;
    std::array<Range, 3> mRanges;
    polygon mRangePolygon;
    QLabel* mSchemeLabel;
    QLabel* mCountLabel;
    QPlainTextEdit* mClassBox;
    QPlainTextEdit* mCoordBox;
    bool mLoaded = false;
};
