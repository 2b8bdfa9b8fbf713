#include "chart/chartexport.h"

#include "chart/drawchart.h"
#include "chart/emftarget.h"
#include "chart/paintertarget.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>

namespace {

ChartRect ClientRect(QSize size) {
    return {0, 0, size.width(), size.height()};
}

void PaintWithPainter(QPaintDevice& device, ChartModel& model, QSize clientSize) {
    QPainter painter(&device);
    PainterTarget target(painter, ChartFont());
    PaintChart(target, model, ClientRect(clientSize));
}

QImage Image(ChartModel& model, QSize clientSize, int dpi) {
    QImage image(clientSize, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    PaintWithPainter(image, model, clientSize);
    return image;
}

QByteArray Png(ChartModel& model, QSize clientSize, int dpi) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Image(model, clientSize, dpi).save(&buffer, "PNG");
    return bytes;
}

QByteArray Svg(ChartModel& model, QSize clientSize, int dpi) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(clientSize);
    svg.setViewBox(QRect(QPoint(0, 0), clientSize));
    svg.setResolution(dpi);
    svg.setTitle("Chart");
    svg.setDescription("Granum");
    PaintWithPainter(svg, model, clientSize);
    return bytes;
}

QByteArray Pdf(ChartModel& model, QSize clientSize, int dpi) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setCreator("Granum");
        pdf.setTitle("Chart");
        pdf.setResolution(dpi);
        // One page exactly the size of the window, so the picture keeps its proportions.
        pdf.setPageSize(
            QPageSize(QSizeF(clientSize.width() * 72.0 / dpi, clientSize.height() * 72.0 / dpi),
                      QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        PaintWithPainter(pdf, model, clientSize);
    }
    return bytes;
}

QByteArray Emf(ChartModel& model, QSize clientSize, int dpi) {
    EmfTarget target(ChartFont(), dpi);
    if (!target.IsOpen())
        return {};
    PaintChart(target, model, ClientRect(clientSize));
    return target.Finish();
}

} // namespace

std::optional<ChartFormat> ChartFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "emf")
        return ChartFormat::Emf;
    if (suffix == "svg")
        return ChartFormat::Svg;
    if (suffix == "png")
        return ChartFormat::Png;
    if (suffix == "pdf")
        return ChartFormat::Pdf;
    return std::nullopt;
}

QByteArray ChartBytes(ChartModel& model, ChartFormat format, QSize clientSize, int dpi) {
    switch (format) {
    case ChartFormat::Emf:
        return Emf(model, clientSize, dpi);
    case ChartFormat::Svg:
        return Svg(model, clientSize, dpi);
    case ChartFormat::Png:
        return Png(model, clientSize, dpi);
    case ChartFormat::Pdf:
        return Pdf(model, clientSize, dpi);
    }
    return {};
}

bool ExportChart(ChartModel& model, ChartFormat format, const QString& path, QSize clientSize,
                 int dpi, QString* reason) {
    const QByteArray bytes = ChartBytes(model, format, clientSize, dpi);
    if (bytes.isEmpty()) {
        *reason = "the picture could not be drawn";
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *reason = file.errorString();
        return false;
    }
    return true;
}

std::unique_ptr<QMimeData> ChartMimeData(ChartModel& model, QSize clientSize, int dpi) {
    const QByteArray emf = ChartBytes(model, ChartFormat::Emf, clientSize, dpi);
    if (emf.isEmpty())
        return nullptr;
    auto data = std::make_unique<QMimeData>();
    data->setData("image/emf", emf);
    data->setData("image/x-emf", emf);
    data->setData("image/svg+xml", ChartBytes(model, ChartFormat::Svg, clientSize, dpi));
    data->setImageData(Image(model, clientSize, dpi));
    return data;
}
