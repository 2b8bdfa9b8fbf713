#pragma once

#include "pages/samplesheet.h"

#include <QString>

#include <array>
#include <vector>

// Sample files: one sheet row a line, the fields Sample ID, x, y, z and Texture separated by
// commas, no heading. A field holding a comma, a double quote or a line break is written in
// double quotes with its quotes doubled and read back whole; a field that begins with a quote is
// read that way, any other quote is an ordinary character, so files without quotes read by the
// plain comma rule. Lines of any length are read whole; LF and CR LF both end a line, and lines
// are written with LF. Texts are UTF-8.

enum class SampleFileStatus {
    Done,
    CannotOpen, // the file could not be opened (Reason() says why); nothing was read or replaced
    Failed,     // reading or writing went wrong part way
};

struct SampleFileResult {
    SampleFileStatus status = SampleFileStatus::Done;
    QString reason; // the system's words for a failure

    bool Ok() const { return status == SampleFileStatus::Done; }
};

// Reads at most maxRows lines of the file at path into rows (replacing what it held): every line
// is one row, blank lines too; fields after the fourth are ignored, missing ones are empty.
SampleFileResult ReadSampleFile(const QString& path, int maxRows, std::vector<SampleFields>* rows);

// Writes the rows (columns 1 to 5 of the sheet) to path through a temporary file that replaces
// the old one only when everything was written, so a failed save leaves the old file as it was.
SampleFileResult WriteSampleFile(const QString& path,
                                 const std::vector<std::array<QString, 5>>& rows);

// The fields of one record (its line end removed). False when the record ends inside a quoted
// field, so that the next line belongs to it; fields then holds what was read so far.
bool SplitSampleRecord(const QByteArray& record, std::vector<QByteArray>* fields);

// A field as the file holds it: quoted when it needs to be.
QByteArray SampleFieldText(const QString& field);
