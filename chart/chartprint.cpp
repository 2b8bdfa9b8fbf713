#include "chart/chartprint.h"

#include "chart/drawchart.h"
#include "chart/paintertarget.h"

#include <QPainter>
#include <QPrinter>

namespace {

// The chart font in whole printer pixels, as the chart's text on paper.
QFont PrintFont(const ChartModel& model, int dpiY) {
    QFont font = ChartFont(model);
    const int tenTimesHeight = dpiY * 10 * font.pointSize() / 72;
    font.setPixelSize(static_cast<int>(tenTimesHeight * 0.1 + 0.5));
    return font;
}

} // namespace

void PrintChart(ChartModel& model, QPrinter& printer) {
    const ChartRect windowRect = model.mChartRect;
    QPainter painter;
    if (painter.begin(&printer)) {
        // The painter's origin is the printable area's top left corner.
        const int width = printer.width();
        const int height = printer.height();
        const ChartRect page{width / 6, height / 6, width - width / 6, height - height / 6};
        PainterTarget target(painter, PrintFont(model, printer.logicalDpiY()));
        PaintChart(target, model, page, printer.logicalDpiX() / 72); // pens of one point
        painter.end();
    }
    model.mChartRect = windowRect;
}
