#pragma once

#include "samples/bytestream.h"

#include <cstddef>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A record longer than SampleReader::kMaxRecordBytes. The message names its line.
class RecordTooLongError : public std::runtime_error {
public:
    explicit RecordTooLongError(std::size_t line);
    std::size_t Line() const { return mLine; }

private:
    std::size_t mLine;
};

// Reads comma-separated sample records one at a time, holding only the current record in memory.
//
// A record is a line, ended by LF, CR LF or a lone CR (or the end of the input), split at every
// comma. A field that begins with a double quote is quoted when its closing quote (the first
// quote that is not one of a doubled pair) is followed by a comma or the end of the line: then it
// takes commas and line breaks as text and reads a doubled quote as one. A quote that does not
// close that way, or not within kMaxQuotedLineBreaks line breaks, is an ordinary character and the
// field is read by the plain comma rule up to the next comma or line end. So a file without quoted
// fields reads line by line as it always did, and a stray quote never joins lines.
class SampleReader {
public:
    static constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();
    // Far beyond any real sample record; bounds the memory one record may take.
    static constexpr std::size_t kMaxRecordBytes = std::size_t(1) << 20;
    // Line breaks one quoted field may hold; a quote left open never takes more lines than this.
    static constexpr std::size_t kMaxQuotedLineBreaks = 100;

    // The source must outlive the reader. bufferSize is only the starting size: the buffer grows
    // to hold the longest record.
    explicit SampleReader(InputSource& source, std::size_t bufferSize = 1 << 20);

    // Reads the next record; false at the end of the input. An empty line is a record of one
    // empty field. Passes on the BatchIoError of the source; throws RecordTooLongError for a
    // record of more than kMaxRecordBytes (the reader is done then).
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
    // True when one of Fields() holds a double quote or was read as a quoted field.
    bool AnyQuote() const { return mAnyQuote; }
    // The bytes of the first count of Fields() (at least one) with their commas, as the file holds
    // them when AnyQuote() is false: a writer may pass them on as they are.
    std::string_view FieldsText(std::size_t count) const {
        const std::string_view last = mFields[count - 1];
        return {mFields[0].data(), std::size_t(last.data() + last.size() - mFields[0].data())};
    }
    // The line on which the last record began, counted from 1.
    std::size_t LineNumber() const { return mLine; }

private:
    enum class Scan { Done, NeedMore };

    Scan ScanRecord(std::size_t* next, std::size_t* lineBreaks);
    bool ScanPlainLine(std::size_t* next);
    Scan ScanQuoted(std::size_t open, std::size_t* close, std::size_t* lineBreaks) const;
    void Unquote();
    void Refill();

    InputSource& mSource;
    std::vector<char> mBuffer;
    std::size_t mBegin = 0; // first byte not yet consumed
    std::size_t mEnd = 0;   // end of the bytes read
    bool mAtEnd = false;    // the source has no more bytes
    std::size_t mLimit = kNoLimit;
    std::vector<std::size_t> mQuoted; // the fields still in their quotes
    std::size_t mRestBegin = 0, mLineEnd = 0;
    std::vector<std::string_view> mFields;
    std::string_view mRest;
    bool mHasRest = false;
    bool mAnyQuote = false;
    std::size_t mLine = 0;
    std::size_t mNextLine = 1;
};
