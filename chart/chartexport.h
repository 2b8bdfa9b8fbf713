#pragma once

#include "chart/chartmodel.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <memory>
#include <optional>

class QMimeData;

enum class ChartFormat { Emf, Svg, Png, Pdf };

// The format a file name asks for by its extension (any case), or none.
std::optional<ChartFormat> ChartFormatOf(const QString& path);

// Whether a picture of clientSize pixels at dpi pixels per inch has room for the chart's
// triangle (LayOutChart); leaves model as it was.
bool ChartHasRoom(ChartModel& model, QSize clientSize, int dpi);

// The chart of model as the window of the given client size in pixels at dpi pixels per inch
// would show it, in one of the formats: the picture's physical size is clientSize / dpi inches.
// Sets model.mChartRect to that client area. Empty, with a one-line reason in *reason, when
// there is no room for the triangle or no memory for the picture.
QByteArray ChartBytes(ChartModel& model, ChartFormat format, QSize clientSize, int dpi,
                      QString* reason = nullptr);

// Writes ChartBytes to path, replacing the file only once the whole picture is written; false
// with a one-line reason in *reason when it cannot (the system's own for a failed write).
bool ExportChart(ChartModel& model, ChartFormat format, const QString& path, QSize clientSize,
                 int dpi, QString* reason);

// The chart for the clipboard: the metafile (as "image/emf" and "image/x-emf"), an image and
// SVG, so that programs on any desktop can paste one of them. Null when the metafile could not
// be drawn.
std::unique_ptr<QMimeData> ChartMimeData(ChartModel& model, QSize clientSize, int dpi);
