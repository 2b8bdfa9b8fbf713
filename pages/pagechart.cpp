#include "pages/pagechart.h"

#include "chart/chartdialog.h"
#include "pages/pagescheme.h"
#include "widgets/userinteraction.h"

void RunPageChart(UserInteraction& interaction, QWidget* page, const PageScheme& scheme,
                  ChartData data, std::optional<LabError> labError) {
    ChartDialog dialog(interaction, page);
    dialog.mScheme = scheme.Scheme();
    dialog.mSchemeFile = scheme.SchemePath().toStdString();
    dialog.mXName = scheme.XName().toStdString();
    dialog.mYName = scheme.YName().toStdString();
    dialog.mZName = scheme.ZName().toStdString();
    dialog.mPoints = std::move(data.points);
    dialog.mLabels = std::move(data.labels);
    dialog.mbSamples = data.samples ? 1 : 0;
    dialog.mLabError = labError;
    interaction.RunDialog(dialog);
}
