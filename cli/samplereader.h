#pragma once

#include "cli/inputsource.h"

#include <cstddef>
#include <limits>
#include <string_view>
#include <vector>

// Reads comma-separated records one at a time, holding only the current record in memory.
// A record is a line ending in LF or CR LF (or the end of the input) split at every comma. A
// field that begins with a double quote is quoted: it runs to the next lone quote, takes commas
// and line breaks as text and reads a doubled quote as one; text between its closing quote and
// the next comma is kept. A quote anywhere else is an ordinary character, so files without
// quoted fields read by the plain comma rule. Lines of any length are read whole.
class SampleReader {
public:
    static constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

    // The source must outlive the reader. bufferSize is only the starting size: the buffer grows
    // to hold the longest record.
    explicit SampleReader(InputSource& source, std::size_t bufferSize = 1 << 20);

    // Reads the next record; false at the end of the input. An empty line is a record of one
    // empty field. Passes on the BatchIoError of the source.
    bool Next();
    // The fields of the last record, quotes removed. Valid until the next call of Next.
    const std::vector<std::string_view>& Fields() const { return mFields; }
    // Field i of the last record; empty when the record is shorter.
    std::string_view Field(std::size_t i) const {
        return i < mFields.size() ? mFields[i] : std::string_view();
    }
    // Splits at most limit fields; the record's text from the next field on is kept unsplit
    // and unchanged in Rest (so surplus columns cost nothing and are passed on as they were).
    void SetFieldLimit(std::size_t limit) { mLimit = limit; }
    // The raw text after the last split field's comma, when the record has more fields.
    bool HasRest() const { return mHasRest; }
    std::string_view Rest() const { return mRest; }
    // The line on which the last record began, counted from 1.
    std::size_t LineNumber() const { return mLine; }

private:
    const char* FindRecordEnd(const char* begin, const char* end, std::size_t* lineBreaks) const;
    void Split(char* begin, char* end);
    void Refill();

    InputSource& mSource;
    std::vector<char> mBuffer;
    std::size_t mBegin = 0; // first byte not yet consumed
    std::size_t mEnd = 0;   // end of the bytes read
    bool mAtEnd = false;    // the source has no more bytes
    std::size_t mLimit = kNoLimit;
    std::vector<std::string_view> mFields;
    std::string_view mRest;
    bool mHasRest = false;
    std::size_t mLine = 0;
    std::size_t mNextLine = 1;
};
