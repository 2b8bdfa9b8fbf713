#pragma once

#include "chart/chartmodel.h"

#include <QWidget>

// The chart window's client area: draws the chart of a model on every paint, laid out in the
// whole widget, and reports where the mouse is and where the right button went down.
class ChartCanvas : public QWidget {
    Q_OBJECT
public:
    ChartCanvas(ChartModel& model, QWidget* parent);

    // The composition at a point of this widget, laid out as the last paint left
    // mChartRect; ((-1, -1) when the widget is too small to hold a triangle).
    point CompositionAt(QPoint pos) const;

signals:
    void MouseMoved(QPoint pos);
    void RightButtonPressed(QPoint globalPos);
    void MouseLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    ChartModel& mModel;
};
