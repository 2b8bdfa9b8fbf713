#pragma once

#include "samples/bytestream.h"

#include <cstddef>
#include <string_view>
#include <vector>

// Writes comma-separated records through a large buffer. A field holding a comma, a double
// quote or a line break is written in double quotes with its quotes doubled, so that
// SampleReader reads it back whole; any other field is written as it is. Records end in LF.
class SampleWriter {
public:
    // The sink must outlive the writer.
    explicit SampleWriter(OutputSink& sink, std::size_t bufferSize = 1 << 20);
    // Writes what is still buffered; a writer destroyed without Flush loses it.
    void Flush();

    void Field(std::string_view text);
    // Text that is already in the file format (a reader's Rest), written as it is, as the next
    // fields of the record.
    void RawFields(std::string_view text);
    void EndRecord();

private:
    void Put(std::string_view text);
    void PutByte(char c);
    void Separate();

    OutputSink& mSink;
    std::vector<char> mBuffer;
    std::size_t mUsed = 0;
    bool mRecordStarted = false;
};
