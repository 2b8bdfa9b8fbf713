#include "pages/sheetprinter.h"

#include "pages/samplesheet.h"

#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <numeric>

namespace {

constexpr const char* kApplicationTitle = "Granum";

// Where things go on one page, in printer pixels.
struct PageGeometry {
    QRectF page;
    double scale;      // printer pixels per screen pixel
    double rowHeight;  // of one sheet row
    QRectF header;     // band at the top
    QRectF footer;     // band at the bottom
    int rowsPerPage;   // data rows below the heading row
};

PageGeometry Layout(const QPrinter& printer, const QVector<int>& widths, int rowHeight) {
    PageGeometry g;
    g.page = printer.pageLayout().paintRectPixels(printer.resolution()).translated(
        -printer.pageLayout().paintRectPixels(printer.resolution()).topLeft());
    const int screenWidth = std::max(1, std::accumulate(widths.begin(), widths.end(), 0));
    g.scale = g.page.width() / screenWidth;
    g.rowHeight = rowHeight * g.scale;
    const double band = 2 * g.rowHeight;
    g.header = QRectF(g.page.left(), g.page.top(), g.page.width(), band);
    g.footer = QRectF(g.page.left(), g.page.bottom() - band, g.page.width(), band);
    const double body = g.footer.top() - g.header.bottom() - g.rowHeight; // less the heading row
    g.rowsPerPage = std::max(1, int(body / g.rowHeight));
    return g;
}

void DrawBand(QPainter& painter, const QRectF& band, const QString& left, const QString& centre,
              const QString& right) {
    const QRectF text = band.adjusted(band.height() / 8, 0, -band.height() / 8, 0);
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    painter.drawText(text, flags | Qt::AlignLeft, left);
    painter.drawText(text, flags | Qt::AlignHCenter, centre);
    painter.drawText(text, flags | Qt::AlignRight, right);
}

void DrawRow(QPainter& painter, const QVector<double>& left, double top, double height,
             const QStringList& texts, bool heading) {
    const QRectF whole(left.front(), top, left.back() - left.front(), height);
    if (heading)
        painter.fillRect(whole, QColor(224, 224, 224));
    for (int c = 0; c + 1 < left.size(); ++c) {
        const QRectF cell(left[c], top, left[c + 1] - left[c], height);
        painter.setPen(QPen(Qt::gray, 0));
        painter.drawRect(cell);
        painter.setPen(QPen(Qt::black, 0));
        painter.drawText(cell.adjusted(height / 6, 0, -height / 6, 0),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, texts.value(c));
    }
}

} // namespace

int PrintSheet(QPrinter& printer, const SampleSheet& sheet, int lastRow,
               const QVector<int>& columnWidths, int rowHeight, const QFont& font,
               const QString& title) {
    const PageGeometry g = Layout(printer, columnWidths, rowHeight);
    const int pages = std::max(1, (lastRow + g.rowsPerPage - 1) / g.rowsPerPage);
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;

    QFont cellFont = font;
    cellFont.setPixelSize(std::max(1, int(font.pixelSize() * g.scale + 0.5)));
    QFont bandFont = cellFont;
    bandFont.setWeight(QFont::Bold);

    QVector<double> left{g.page.left()};
    for (const int width : columnWidths)
        left.push_back(left.back() + width * g.scale);
    QStringList headings;
    for (int c = 0; c < SampleSheet::kColumns; ++c)
        headings << sheet.headerData(c, Qt::Horizontal).toString();
    const QString date = QLocale::system().toString(QDateTime::currentDateTime(),
                                                    QLocale::ShortFormat);

    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            printer.newPage();
        painter.setPen(QPen(Qt::black, 0));
        painter.setFont(bandFont);
        DrawBand(painter, g.header, QString(), title, kApplicationTitle);
        painter.drawLine(g.header.bottomLeft(), g.header.bottomRight());
        DrawBand(painter, g.footer, QString("Page %1 of %2").arg(page).arg(pages), QString(),
                 date);
        painter.drawLine(g.footer.topLeft(), g.footer.topRight());

        painter.setFont(cellFont);
        double top = g.header.bottom();
        DrawRow(painter, left, top, g.rowHeight, headings, true);
        const int first = (page - 1) * g.rowsPerPage + 1;
        const int last = std::min(lastRow, first + g.rowsPerPage - 1);
        for (int row = first; row <= last; ++row) {
            top += g.rowHeight;
            QStringList texts;
            for (int c = 0; c < SampleSheet::kColumns; ++c)
                texts << sheet.Text(row, c);
            DrawRow(painter, left, top, g.rowHeight, texts, false);
        }
    }
    painter.end();
    return pages;
}
