#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Blocks of cells as text, the way spreadsheets put them on the clipboard: fields separated by
// tabs, rows ending in a line break. A field holding a tab, a line break or a leading double
// quote is written in double quotes, quotes doubled.
namespace tabtext {

// The rows with a line break ("\n") after each, the last one too.
QString Write(const std::vector<QStringList>& rows);

// The rows of text. Line ends may be LF, CR LF or CR; one line end at the very end closes the
// last row rather than starting an empty one. A quoted field ends at a quote followed by a tab,
// a line end or the end of the text; a quote that never closes so is an ordinary character.
// The empty text is one row of one empty field.
std::vector<QStringList> Read(const QString& text);

} // namespace tabtext
