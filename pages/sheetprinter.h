#pragma once

#include <QFont>
#include <QString>
#include <QVector>

class QPrinter;
class SampleSheet;

// Prints the heading row and rows 1 to lastRow of the sheet, laid out at the proportions seen on
// screen (columnWidths and rowHeight in screen pixels, scaled to the page width), the heading
// row again on every page. Each page has a header (the title centred, "Granum" on the right) and
// a footer ("Page 1 of 3" on the left, the date and time on the right) in a bold form of font.
// Returns the number of pages printed; 0 when the printer could not be started.
int PrintSheet(QPrinter& printer, const SampleSheet& sheet, int lastRow,
               const QVector<int>& columnWidths, int rowHeight, const QFont& font,
               const QString& title);
