#include "chart/chartexport.h"

#include "chart/chartgeometry.h"
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
#include <cerrno>
#include <cmath>
#include <cstring>
#include <new>

namespace {

ChartRect ClientRect(QSize size) {
    return {0, 0, size.width(), size.height()};
}

QString NoRoom(QSize clientSize, int dpi) {
    return QString("%1x%2 pixels at %3 dpi leave no room for the triangle")
        .arg(clientSize.width())
        .arg(clientSize.height())
        .arg(dpi);
}

bool PaintWithPainter(QPaintDevice& device, ChartModel& model, QSize clientSize, bool smooth) {
    QPainter painter(&device);
    PainterTarget target(painter, ChartFont(model), smooth);
    return PaintChart(target, model, ClientRect(clientSize));
}

QImage PlainImage(QSize clientSize, int dpi) {
    QImage image(clientSize, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

// The chart as an image, smoothed; a null image when there is no memory for it.
QImage Image(ChartModel& model, QSize clientSize, int dpi, QString* reason) {
    QImage image = PlainImage(clientSize, dpi);
    if (image.isNull()) {
        *reason = QString("not enough memory for a picture of %1x%2 pixels")
                      .arg(clientSize.width())
                      .arg(clientSize.height());
        return image;
    }
    if (!PaintWithPainter(image, model, clientSize, true)) {
        *reason = NoRoom(clientSize, dpi);
        return {};
    }
    return image;
}

QByteArray Png(ChartModel& model, QSize clientSize, int dpi, QString* reason) {
    const QImage image = Image(model, clientSize, dpi, reason);
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray Svg(ChartModel& model, QSize clientSize, int dpi, QString* reason) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(clientSize);
    svg.setViewBox(QRect(QPoint(0, 0), clientSize));
    svg.setResolution(dpi);
    svg.setTitle("Chart");
    svg.setDescription("Granum");
    if (!PaintWithPainter(svg, model, clientSize, false)) {
        *reason = NoRoom(clientSize, dpi);
        return {};
    }
    return bytes;
}

QByteArray Pdf(ChartModel& model, QSize clientSize, int dpi, QString* reason) {
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
        if (!PaintWithPainter(pdf, model, clientSize, false)) {
            *reason = NoRoom(clientSize, dpi);
            return {};
        }
    }
    return bytes;
}

QByteArray Emf(ChartModel& model, QSize clientSize, int dpi, QString* reason) {
    EmfTarget target(ChartFont(model), dpi);
    if (!target.IsOpen()) {
        *reason = "the metafile could not be started";
        return {};
    }
    if (!PaintChart(target, model, ClientRect(clientSize))) {
        *reason = NoRoom(clientSize, dpi);
        return {};
    }
    QByteArray bytes = target.Finish(clientSize.width(), clientSize.height());
    if (bytes.isEmpty())
        *reason = "the metafile could not be written";
    return bytes;
}

QByteArray Bytes(ChartModel& model, ChartFormat format, QSize clientSize, int dpi,
                 QString* reason) {
    switch (format) {
    case ChartFormat::Emf:
        return Emf(model, clientSize, dpi, reason);
    case ChartFormat::Svg:
        return Svg(model, clientSize, dpi, reason);
    case ChartFormat::Png:
        return Png(model, clientSize, dpi, reason);
    case ChartFormat::Pdf:
        return Pdf(model, clientSize, dpi, reason);
    }
    return {};
}

} // namespace

bool ChartHasRoom(ChartModel& model, QSize clientSize, int dpi) {
    const ChartRect saved = model.mChartRect;
    model.mChartRect = ClientRect(clientSize);
    const bool fits =
        LayOutChart(PaintDeviceMetrics(ChartFont(model), PlainImage({1, 1}, dpi)), model).fits;
    model.mChartRect = saved;
    return fits;
}

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

QByteArray ChartBytes(ChartModel& model, ChartFormat format, QSize clientSize, int dpi,
                      QString* reason) {
    QString ignored;
    if (reason == nullptr)
        reason = &ignored;
    try {
        return Bytes(model, format, clientSize, dpi, reason);
    } catch (const std::bad_alloc&) {
        *reason = "not enough memory to draw the chart";
        return {};
    }
}

bool ExportChart(ChartModel& model, ChartFormat format, const QString& path, QSize clientSize,
                 int dpi, QString* reason) {
    const QByteArray bytes = ChartBytes(model, format, clientSize, dpi, reason);
    if (bytes.isEmpty())
        return false;
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        // The saved file's own message for a failed write is "Unknown error"; the system's
        // reason (a full disk, a quota) is in errno.
        const int error = errno;
        *reason = error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : file.errorString();
        return false;
    }
    return true;
}

std::unique_ptr<QMimeData> ChartMimeData(ChartModel& model, QSize clientSize, int dpi) {
    QString reason;
    const QByteArray emf = ChartBytes(model, ChartFormat::Emf, clientSize, dpi, &reason);
    if (emf.isEmpty())
        return nullptr;
    auto data = std::make_unique<QMimeData>();
    data->setData("image/emf", emf);
    data->setData("image/x-emf", emf);
    data->setData("image/svg+xml", ChartBytes(model, ChartFormat::Svg, clientSize, dpi, &reason));
    try {
        data->setImageData(Image(model, clientSize, dpi, &reason));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return data;
}
