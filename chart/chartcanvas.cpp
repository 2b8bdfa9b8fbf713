#include "chart/chartcanvas.h"

#include "chart/chartgeometry.h"
#include "chart/drawchart.h"
#include "chart/paintertarget.h"

#include <QMouseEvent>
#include <QPainter>

ChartCanvas::ChartCanvas(ChartModel& model, QWidget* parent) : QWidget(parent), mModel(model) {
    setMouseTracking(true);
    // The chart holds the keys, so that Escape and Enter reach the window whatever was used.
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent); // every paint fills the whole area white first
}

point ChartCanvas::CompositionAt(QPoint pos) const {
    return DeviceToChart(PaintDeviceMetrics(ChartFont(mModel), *this), mModel, {pos.x(), pos.y()});
}

void ChartCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PainterTarget target(painter, ChartFont(mModel));
    PaintChart(target, mModel, {0, 0, width(), height()});
}

void ChartCanvas::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMoved(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

void ChartCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        emit RightButtonPressed(event->globalPosition().toPoint());
    QWidget::mousePressEvent(event);
}

void ChartCanvas::leaveEvent(QEvent* event) {
    emit MouseLeft();
    QWidget::leaveEvent(event);
}
