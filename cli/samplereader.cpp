#include "cli/samplereader.h"

#include <algorithm>
#include <cstring>

SampleReader::SampleReader(InputSource& source, std::size_t bufferSize)
    : mSource(source), mBuffer(bufferSize > 0 ? bufferSize : 1) {}

// The end of the record that starts at begin: its line feed, or end when the input ends within
// it; nullptr when more bytes are needed to tell.
const char* SampleReader::FindRecordEnd(const char* begin, const char* end,
                                        std::size_t* lineBreaks) const {
    const char* newline =
        static_cast<const char*>(std::memchr(begin, '\n', std::size_t(end - begin)));
    const char* lineEnd = newline != nullptr ? newline : end;
    // Nearly every line has no quote at all; only those need the careful scan.
    if (std::memchr(begin, '"', std::size_t(lineEnd - begin)) == nullptr)
        return newline != nullptr ? newline : (mAtEnd ? end : nullptr);

    bool fieldStart = true;
    const char* p = begin;
    while (p < end) {
        if (fieldStart && *p == '"') {
            for (++p;; ++p) {
                if (p == end)
                    return mAtEnd ? end : nullptr;
                if (*p == '"') {
                    if (p + 1 == end)
                        return mAtEnd ? end : nullptr; // a closing quote or half of a pair
                    if (p[1] != '"')
                        break;
                    ++p;
                } else if (*p == '\n') {
                    ++*lineBreaks;
                }
            }
            fieldStart = false;
            ++p;
            continue;
        }
        if (*p == '\n')
            return p;
        fieldStart = *p == ',';
        ++p;
    }
    return mAtEnd ? end : nullptr;
}

// Splits one whole record (no line end in it but those inside quotes). Quoted fields are
// unquoted in place: the text only ever gets shorter.
void SampleReader::Split(char* p, char* end) {
    mFields.clear();
    mHasRest = false;
    mRest = {};
    for (;;) {
        if (mFields.size() == mLimit) {
            mHasRest = true;
            mRest = std::string_view(p, std::size_t(end - p));
            return;
        }
        char* const begin = p;
        if (p < end && *p == '"') {
            char* out = p;
            for (++p; p < end; ++p) {
                if (*p == '"') {
                    if (p + 1 < end && p[1] == '"') {
                        ++p;
                    } else {
                        ++p;
                        break;
                    }
                }
                *out++ = *p;
            }
            while (p < end && *p != ',')
                *out++ = *p++;
            mFields.emplace_back(begin, std::size_t(out - begin));
        } else {
            char* comma = static_cast<char*>(std::memchr(p, ',', std::size_t(end - p)));
            p = comma != nullptr ? comma : end;
            mFields.emplace_back(begin, std::size_t(p - begin));
        }
        if (p == end)
            return;
        ++p; // the comma
    }
}

// Keeps the unread bytes, moved to the front, and reads more behind them, growing the buffer
// when the unread bytes already fill it. Reads until the unread bytes have at least doubled (or
// the buffer is full), so that a long record arriving in small pieces is scanned a few times
// only, not once a piece.
void SampleReader::Refill() {
    if (mBegin > 0) {
        std::memmove(mBuffer.data(), mBuffer.data() + mBegin, mEnd - mBegin);
        mEnd -= mBegin;
        mBegin = 0;
    }
    if (mEnd == mBuffer.size())
        mBuffer.resize(mBuffer.size() * 2);
    const std::size_t target = std::min(mBuffer.size(), std::max(2 * mEnd, mEnd + 1));
    while (mEnd < target) {
        const std::size_t n = mSource.Read(mBuffer.data() + mEnd, mBuffer.size() - mEnd);
        if (n == 0) {
            mAtEnd = true;
            return;
        }
        mEnd += n;
    }
}

bool SampleReader::Next() {
    for (;;) {
        if (mBegin == mEnd && mAtEnd)
            return false;
        char* const begin = mBuffer.data() + mBegin;
        char* const end = mBuffer.data() + mEnd;
        std::size_t lineBreaks = 0;
        const char* found = begin == end ? nullptr : FindRecordEnd(begin, end, &lineBreaks);
        if (found == nullptr) {
            Refill();
            continue;
        }
        char* const recordEnd = begin + (found - begin);
        mBegin = std::size_t(recordEnd - mBuffer.data()) + (recordEnd < end ? 1 : 0);
        char* lineEnd = recordEnd;
        if (lineEnd > begin && lineEnd[-1] == '\r')
            --lineEnd; // the CR of CR LF (or a last line's CR without its LF)
        Split(begin, lineEnd);
        mLine = mNextLine;
        mNextLine += lineBreaks + 1;
        return true;
    }
}
