#pragma once

#include "pages/pagescheme.h"

#include <QWidget>

class UserInteraction;

// The "Range Lookup" page: the texture classes a range of the three fractions falls in, with
// the outline of that range in the triangle.
class CTexRange : public QWidget {
    Q_OBJECT
public:
    explicit CTexRange(UserInteraction& interaction, QWidget* parent = nullptr);

    PageScheme& Scheme();

    // Called by the main window each time the Range tab becomes current; the first call loads the
    // scheme from Scheme().SchemePath() and runs the first lookup.
    void Activate();

    void LookupRange();
    void PlotChart();
    void ResetXRange();
    void ResetYRange();
    void ResetZRange();
    void ResetAllRanges();
    void LoadSchemeFromDialog();
    void ShowSchemeDetails();

private:
    UserInteraction& mInteraction;
    PageScheme mScheme;
};
