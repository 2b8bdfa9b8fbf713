#include "chart/paintertarget.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>

namespace {

QColor ToQColor(Colour c) {
    return QColor(c.red, c.green, c.blue);
}

} // namespace

QFont ChartFont() {
    QFont font("Arial");
    font.setPointSize(8);
    return font;
}

PainterTarget::PainterTarget(QPainter& painter, const QFont& font)
    : mPainter(painter), mMetrics(font, painter.device()), mTextColour(chartcolour::kBlack) {
    mPainter.setFont(font);
    mPainter.setBackgroundMode(Qt::TransparentMode);
    // Crisp one-pixel lines, as on a screen; only the sample circles are smoothed.
    mPainter.setRenderHint(QPainter::Antialiasing, false);
    mPainter.setRenderHint(QPainter::TextAntialiasing, true);
}

void PainterTarget::SetPen(const Pen& pen) {
    mPainter.setPen(
        QPen(ToQColor(pen.colour), pen.width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
}

void PainterTarget::SetBrush(Colour colour) {
    mPainter.setBrush(ToQColor(colour));
}

void PainterTarget::SetTextColour(Colour colour) {
    mTextColour = colour;
}

Colour PainterTarget::TextColour() const {
    return mTextColour;
}

void PainterTarget::FillRect(const ChartRect& rect, Colour colour) {
    mPainter.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(colour));
}

void PainterTarget::Line(DevicePoint from, DevicePoint to) {
    mPainter.drawLine(from.x, from.y, to.x, to.y);
}

void PainterTarget::Polygon(const std::vector<DevicePoint>& vertices) {
    QPolygon polygon;
    for (const DevicePoint& p : vertices)
        polygon << QPoint(p.x, p.y);
    mPainter.drawPolygon(polygon);
}

void PainterTarget::Ellipse(DevicePoint centre, int radiusX, int radiusY) {
    mPainter.save();
    mPainter.setRenderHint(QPainter::Antialiasing, true);
    mPainter.setBrush(Qt::NoBrush);
    mPainter.drawEllipse(QPoint(centre.x, centre.y), radiusX, radiusY);
    mPainter.restore();
}

void PainterTarget::Text(DevicePoint topLeft, const std::string& text) {
    const QPen pen = mPainter.pen();
    mPainter.setPen(ToQColor(mTextColour));
    mPainter.drawText(QPoint(topLeft.x, topLeft.y + mMetrics.ascent()),
                      QString::fromStdString(text));
    mPainter.setPen(pen);
}

TextSize PainterTarget::MeasureText(const std::string& text) const {
    return {mMetrics.horizontalAdvance(QString::fromStdString(text)), mMetrics.height()};
}

int PainterTarget::PixelsPerInchX() const {
    return mPainter.device()->logicalDpiX();
}

int PainterTarget::PixelsPerInchY() const {
    return mPainter.device()->logicalDpiY();
}
