#include "chart/chartdialog.h"

ChartDialog::ChartDialog(UserInteraction& interaction, QWidget* parent)
    : QDialog(parent), mInteraction(interaction) {
    setWindowTitle("Chart");
}
