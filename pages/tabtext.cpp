#include "pages/tabtext.h"

namespace tabtext {

namespace {

bool NeedsQuotes(const QString& field) {
    return field.startsWith('"') || field.contains('\t') || field.contains('\n') ||
           field.contains('\r');
}

bool EndsField(const QString& text, qsizetype at) {
    return at >= text.size() || text[at] == '\t' || text[at] == '\n' || text[at] == '\r';
}

// The end of the quoted field that opens at text[start], just past its closing quote; -1 when
// the quote does not close before a tab, a line end or the end of the text.
qsizetype QuotedEnd(const QString& text, qsizetype start) {
    for (qsizetype at = start + 1; at < text.size(); ++at) {
        if (text[at] != '"')
            continue;
        if (at + 1 < text.size() && text[at + 1] == '"') {
            ++at;
            continue;
        }
        return EndsField(text, at + 1) ? at + 1 : -1;
    }
    return -1;
}

} // namespace

QString Write(const std::vector<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0)
                text += '\t';
            const QString& field = row[i];
            if (NeedsQuotes(field))
                text += '"' + QString(field).replace("\"", "\"\"") + '"';
            else
                text += field;
        }
        text += '\n';
    }
    return text;
}

std::vector<QStringList> Read(const QString& text) {
    std::vector<QStringList> rows(1);
    qsizetype at = 0;
    while (true) {
        QString field;
        if (at < text.size() && text[at] == '"') {
            if (const qsizetype end = QuotedEnd(text, at); end >= 0) {
                field = text.mid(at + 1, end - at - 2).replace("\"\"", "\"");
                at = end;
            }
        }
        const qsizetype start = at;
        while (!EndsField(text, at))
            ++at;
        field += text.mid(start, at - start);
        rows.back() << field;
        if (at >= text.size())
            break;
        if (text[at] == '\t') {
            ++at;
            continue;
        }
        at += (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ? 2 : 1;
        if (at >= text.size())
            break; // the line end that closes the last row
        rows.emplace_back();
    }
    return rows;
}

} // namespace tabtext
