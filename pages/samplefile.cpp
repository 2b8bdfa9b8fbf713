#include "pages/samplefile.h"

#include <QFile>
#include <QSaveFile>

bool SplitSampleRecord(const QByteArray& record, std::vector<QByteArray>* fields) {
    fields->clear();
    const int size = int(record.size());
    int p = 0;
    for (;;) {
        QByteArray field;
        if (p < size && record[p] == '"') {
            bool closed = false;
            for (++p; p < size; ++p) {
                if (record[p] == '"') {
                    if (p + 1 < size && record[p + 1] == '"') {
                        ++p;
                    } else {
                        ++p;
                        closed = true;
                        break;
                    }
                }
                field += record[p];
            }
            if (!closed) {
                fields->push_back(field);
                return false;
            }
            // Text between the closing quote and the next comma is kept as it stands.
            const int comma = int(record.indexOf(',', p));
            const int end = comma < 0 ? size : comma;
            field += record.mid(p, end - p);
            p = end;
        } else {
            const int comma = int(record.indexOf(',', p));
            const int end = comma < 0 ? size : comma;
            field = record.mid(p, end - p);
            p = end;
        }
        fields->push_back(field);
        if (p >= size)
            return true;
        ++p; // the comma
    }
}

namespace {

void ChopLineEnd(QByteArray* line) {
    if (line->endsWith('\n'))
        line->chop(1);
    if (line->endsWith('\r'))
        line->chop(1);
}

} // namespace

SampleFileResult ReadSampleFile(const QString& path, int maxRows,
                                std::vector<SampleFields>* rows) {
    rows->clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {SampleFileStatus::CannotOpen, file.errorString()};
    std::vector<QByteArray> fields;
    while (int(rows->size()) < maxRows && !file.atEnd()) {
        QByteArray record = file.readLine();
        // A quoted field may hold line breaks: the record goes on over the next lines.
        while (!SplitSampleRecord(record, &fields) && !file.atEnd())
            record += file.readLine();
        if (file.error() != QFileDevice::NoError)
            return {SampleFileStatus::Failed, file.errorString()};
        ChopLineEnd(&record);
        SplitSampleRecord(record, &fields);
        SampleFields row;
        for (std::size_t i = 0; i < row.size() && i < fields.size(); ++i)
            row[i] = QString::fromUtf8(fields[i]);
        rows->push_back(row);
    }
    return {};
}

QByteArray SampleFieldText(const QString& field) {
    QByteArray text = field.toUtf8();
    const bool quoted = text.contains(',') || text.contains('"') || text.contains('\n') ||
                        text.contains('\r');
    if (!quoted)
        return text;
    text.replace("\"", "\"\"");
    return '"' + text + '"';
}

SampleFileResult WriteSampleFile(const QString& path,
                                 const std::vector<std::array<QString, 5>>& rows) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {SampleFileStatus::CannotOpen, file.errorString()};
    QByteArray text;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                text += ',';
            text += SampleFieldText(row[i]);
        }
        text += '\n';
    }
    if (file.write(text) != text.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {SampleFileStatus::Failed, reason};
    }
    return {};
}
