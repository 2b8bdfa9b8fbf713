#pragma once

#include "pages/samplesheet.h"

#include <QString>
#include <array>
#include <vector>

class soiltex;

// Sample files on disk, in the record format of samples/SampleReader and SampleWriter: one sheet
// row a line, the fields Sample ID, x, y, z and Texture, no heading, lines written with LF. A CSV
// file whose first line names its columns (samples/HeaderLayout) is read by those names, as
// granum-cli reads it. Texts are UTF-8.

enum class SampleFileStatus {
    Done,
    CannotOpen, // the file could not be opened (reason says why); nothing was read or replaced
    Failed,     // reading or writing went wrong part way (reason says why, when it is known)
};

struct SampleFileResult {
    SampleFileStatus status = SampleFileStatus::Done;
    QString reason; // the system's words for a failure

    bool Ok() const { return status == SampleFileStatus::Done; }
};

// What a sample file gives the sheet, and what of it the sheet cannot keep.
struct SampleFileContents {
    std::vector<SampleFields> rows; // Sample ID, x, y, z of each row, at most the rows asked
    std::vector<QString> textures;  // each row's Texture; none when a header names no Texture
    bool header = false;            // the first line named the columns
    bool moreColumns = false;       // a row has more than the sheet's five fields
    bool moreRows = false;          // rows beyond the ones asked follow

    // Save would not write the file back as it was read (apart from the textures).
    bool Lossy() const { return header || moreColumns || moreRows; }
};

// Reads at most maxRows rows of the file at path into *contents (replacing what it held): every
// line is one row, blank lines too; missing fields are empty. The scheme's axis names tell a
// header line. A FIFO, device or folder is refused (CannotOpen) before it is opened.
SampleFileResult ReadSampleFile(const QString& path, const soiltex& scheme, int maxRows,
                                SampleFileContents* contents);

// Writes the rows (columns 1 to 5 of the sheet) to path through a temporary file that replaces
// the old one only when everything was written, so a failed save leaves the old file as it was.
SampleFileResult WriteSampleFile(const QString& path,
                                 const std::vector<std::array<QString, 5>>& rows);
