#include "pages/samplefile.h"

#include "samples/columnlayout.h"
#include "samples/samplereader.h"
#include "samples/samplewriter.h"
#include "util/pathkind.h"

#include <QFile>
#include <QSaveFile>

namespace {

class QFileInput : public InputSource {
public:
    explicit QFileInput(QFile& file) : mFile(file) {}
    std::size_t Read(char* buffer, std::size_t size) override {
        const qint64 n = mFile.read(buffer, qint64(size));
        if (n < 0)
            throw BatchIoError(mFile.errorString().toStdString());
        return std::size_t(n);
    }

private:
    QFile& mFile;
};

class QSaveFileOutput : public OutputSink {
public:
    explicit QSaveFileOutput(QSaveFile& file) : mFile(file) {}
    void Write(const char* data, std::size_t size) override {
        if (mFile.write(data, qint64(size)) != qint64(size))
            throw BatchIoError(mFile.errorString().toStdString());
    }

private:
    QSaveFile& mFile;
};

QString Text(std::string_view field) {
    return QString::fromUtf8(field.data(), qsizetype(field.size()));
}

QString FieldText(const SampleReader& reader, std::size_t column) {
    return column == ColumnLayout::kNone ? QString() : Text(reader.Field(column));
}

void ReadRows(SampleReader& reader, const soiltex& scheme, int maxRows,
              SampleFileContents* contents) {
    if (!reader.Next())
        return;
    ColumnLayout layout = SampleFileLayout();
    if (const std::optional<ColumnLayout> header = HeaderLayout(reader.Fields(), scheme)) {
        layout = *header;
        contents->header = true;
        if (!reader.Next())
            return;
    } else {
        // The sheet's five fields; a sixth one shows in Rest.
        reader.SetFieldLimit(5);
    }
    do {
        if (int(contents->rows.size()) == maxRows) {
            contents->moreRows = true;
            return;
        }
        // The first record was split whole, before the limit was set.
        contents->moreColumns = contents->moreColumns || reader.HasRest() ||
                                (!layout.header && reader.Fields().size() > 5);
        contents->rows.push_back({FieldText(reader, layout.id), FieldText(reader, layout.x),
                                  FieldText(reader, layout.y), FieldText(reader, layout.z)});
        if (!layout.header || layout.texture != ColumnLayout::kNone)
            contents->textures.push_back(
                FieldText(reader, layout.header ? layout.texture : std::size_t(4)));
    } while (reader.Next());
}

} // namespace

SampleFileResult ReadSampleFile(const QString& path, const soiltex& scheme, int maxRows,
                                SampleFileContents* contents) {
    *contents = SampleFileContents();
    const std::string notRegular =
        pathkind::NotRegularReason(QFile::encodeName(path).toStdString());
    if (!notRegular.empty())
        return {SampleFileStatus::CannotOpen, QString::fromStdString(notRegular)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {SampleFileStatus::CannotOpen, file.errorString()};
    QFileInput input(file);
    // A sheet holds a thousand short rows: no need for the batch tool's large buffer.
    SampleReader reader(input, 1 << 16);
    try {
        ReadRows(reader, scheme, maxRows, contents);
    } catch (const std::runtime_error& e) { // BatchIoError, RecordTooLongError
        return {SampleFileStatus::Failed, QString::fromStdString(e.what())};
    }
    return {};
}

SampleFileResult WriteSampleFile(const QString& path,
                                 const std::vector<std::array<QString, 5>>& rows) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {SampleFileStatus::CannotOpen, file.errorString()};
    QSaveFileOutput output(file);
    try {
        SampleWriter writer(output, 1 << 16);
        for (const auto& row : rows) {
            for (const QString& field : row) {
                const QByteArray text = field.toUtf8();
                writer.Field(std::string_view(text.constData(), std::size_t(text.size())));
            }
            writer.EndRecord();
        }
        writer.Flush();
    } catch (const BatchIoError& e) {
        file.cancelWriting();
        return {SampleFileStatus::Failed, QString::fromStdString(e.what())};
    }
    if (!file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {SampleFileStatus::Failed, reason};
    }
    return {};
}
