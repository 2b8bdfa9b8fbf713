#include "chart/chartcanvas.h"

#include "chart/chartgeometry.h"
#include "chart/drawchart.h"
#include "chart/paintertarget.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

ChartCanvas::ChartCanvas(ChartModel& model, QWidget* parent) : QWidget(parent), mModel(model) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent); // every paint fills the whole area white first
}

point ChartCanvas::CompositionAt(QPoint pos) const {
    // The mapping needs only the screen's pixels per inch; a one-pixel image of the same
    // resolution stands in for the window, which may only be painted during a paint.
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDotsPerMeterX(static_cast<int>(std::lround(logicalDpiX() / 0.0254)));
    probe.setDotsPerMeterY(static_cast<int>(std::lround(logicalDpiY() / 0.0254)));
    QPainter painter(&probe);
    const PainterTarget target(painter, ChartFont());
    return DeviceToChart(target, mModel, {pos.x(), pos.y()});
}

void ChartCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PainterTarget target(painter, ChartFont());
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
