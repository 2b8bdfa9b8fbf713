#include "chart/paintertarget.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>

namespace {

QColor ToQColor(Colour c) {
    return QColor(c.red, c.green, c.blue);
}

} // namespace

QFont ChartFont(const ChartModel& model) {
    QFont font("Arial");
    font.setPointSize(model.mFontSize > 0 ? model.mFontSize : model.mbPublication ? 9 : 8);
    return font;
}

PainterTarget::PainterTarget(QPainter& painter, const QFont& font, bool smooth)
    : mPainter(painter), mFont(font), mMetrics(font, painter.device()), mSmooth(smooth),
      mTextColour(chartcolour::kBlack) {
    mPainter.setFont(font);
    mPainter.setBackgroundMode(Qt::TransparentMode);
    mPainter.setRenderHint(QPainter::Antialiasing, smooth);
    mPainter.setRenderHint(QPainter::TextAntialiasing, true);
}

void PainterTarget::SetPen(const Pen& pen) {
    mPainter.setPen(
        QPen(ToQColor(pen.colour), pen.width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    mOffset = mSmooth && pen.width % 2 == 1 ? 0.5 : 0;
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
    mPainter.drawLine(Centre(from), Centre(to));
}

void PainterTarget::Polygon(const std::vector<DevicePoint>& vertices) {
    QPolygonF polygon;
    for (const DevicePoint& p : vertices)
        polygon << Centre(p);
    mPainter.drawPolygon(polygon);
}

void PainterTarget::Ellipse(DevicePoint centre, int radiusX, int radiusY) {
    mPainter.save();
    mPainter.setRenderHint(QPainter::Antialiasing, true);
    mPainter.setBrush(Qt::NoBrush);
    mPainter.drawEllipse(Centre(centre), radiusX, radiusY);
    mPainter.restore();
}

void PainterTarget::Text(DevicePoint topLeft, const std::string& text) {
    const QPen pen = mPainter.pen();
    mPainter.setPen(ToQColor(mTextColour));
    mPainter.drawText(QPoint(topLeft.x, topLeft.y + mMetrics.ascent()),
                      QString::fromStdString(text));
    mPainter.setPen(pen);
}

void PainterTarget::SetTextScale(double scale) {
    QFont font = mFont;
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * scale + 0.5)));
    else
        font.setPointSizeF(font.pointSizeF() * scale);
    mPainter.setFont(font);
    mMetrics = QFontMetrics(font, mPainter.device());
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

PaintDeviceMetrics::PaintDeviceMetrics(const QFont& font, const QPaintDevice& device)
    : mMetrics(font, &device), mDpiX(device.logicalDpiX()), mDpiY(device.logicalDpiY()) {}

TextSize PaintDeviceMetrics::MeasureText(const std::string& text) const {
    return {mMetrics.horizontalAdvance(QString::fromStdString(text)), mMetrics.height()};
}
