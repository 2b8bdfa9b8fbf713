#pragma once

#include <QString>
#include <QToolButton>

// A page's square picture button ("Scheme Details", "Chart Plot", ...): a 24-pixel icon from the
// resources (":/icons/chart-plot.svg") with its tool tip, drawn raised so that it reads as a button.
// Screen readers announce the tool tip.
class IconButton : public QToolButton {
public:
    IconButton(const QString& iconPath, const QString& toolTip, QWidget* parent = nullptr);
};
