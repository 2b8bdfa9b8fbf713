#include "samples/samplereader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::size_t kNotQuoted = std::size_t(-1);

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// The bytes that end a plain field, and the quote, which is noted on the way.
constexpr std::array<bool, 256> kPlainStop = [] {
    std::array<bool, 256> table{};
    for (const char c : {',', '\n', '\r', '"'})
        table[static_cast<unsigned char>(c)] = true;
    return table;
}();

// Bytes whose value is c in each lane of a word; the lowest flagged lane is exact.
constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighs = 0x8080808080808080u;
std::uint64_t Lanes(std::uint64_t word, char c) {
    const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(c));
    return (x - kOnes) & ~x & kHighs;
}

// The first byte from q on that ends a plain field or is a quote; end when there is none. Eight
// bytes at a time where they are in the buffer: fields run to a few bytes, lines to dozens.
std::size_t PlainRun(const char* buffer, std::size_t q, std::size_t end) {
#if defined(__GNUC__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    for (; q + 8 <= end; q += 8) {
        std::uint64_t word;
        std::memcpy(&word, buffer + q, 8);
        const std::uint64_t stops =
            Lanes(word, ',') | Lanes(word, '"') | Lanes(word, '\n') | Lanes(word, '\r');
        if (stops != 0)
            return q + std::size_t(__builtin_ctzll(stops) / 8);
    }
#endif
    while (q < end && !kPlainStop[static_cast<unsigned char>(buffer[q])])
        ++q;
    return q;
}

} // namespace

RecordTooLongError::RecordTooLongError(std::size_t line)
    : std::runtime_error("line " + std::to_string(line) + " is longer than " +
                         std::to_string(SampleReader::kMaxRecordBytes >> 20) +
                         " MiB; it is no sample record"),
      mLine(line) {}

SampleReader::SampleReader(InputSource& source, std::size_t bufferSize)
    : mSource(source), mBuffer(bufferSize > 0 ? bufferSize : 1) {}

// Finds where the quoted field opened at open closes: *close is its closing quote, or kNotQuoted
// when the field is to be read by the plain rule.
SampleReader::Scan SampleReader::ScanQuoted(std::size_t open, std::size_t* close,
                                            std::size_t* lineBreaks) const {
    const char* const buffer = mBuffer.data();
    for (std::size_t i = open + 1;; ++i) {
        if (i == mEnd) {
            if (!mAtEnd)
                return Scan::NeedMore;
            *close = kNotQuoted;
            return Scan::Done;
        }
        const char c = buffer[i];
        if (c == '"') {
            if (i + 1 == mEnd) {
                if (!mAtEnd)
                    return Scan::NeedMore;
                *close = i;
                return Scan::Done;
            }
            const char after = buffer[i + 1];
            if (after == '"') {
                ++i;
                continue;
            }
            *close = after == ',' || IsLineEnd(after) ? i : kNotQuoted;
            return Scan::Done;
        }
        if (IsLineEnd(c)) {
            if (c == '\r' && i + 1 == mEnd && !mAtEnd)
                return Scan::NeedMore; // the LF of a CR LF may follow: one break, not two
            if (c == '\r' && i + 1 < mEnd && buffer[i + 1] == '\n')
                ++i;
            if (++*lineBreaks > kMaxQuotedLineBreaks) {
                *close = kNotQuoted;
                return Scan::Done;
            }
        }
    }
}

// Splits the record at mBegin into mFields without changing a byte, so that a record cut short
// by the end of the buffer can be scanned again once more bytes are in. *next is where the
// following record begins.
SampleReader::Scan SampleReader::ScanRecord(std::size_t* next, std::size_t* lineBreaks) {
    const char* const buffer = mBuffer.data();
    mFields.clear();
    mQuoted.clear();
    mHasRest = false;
    mAnyQuote = false;
    if (ScanPlainLine(next))
        return Scan::Done;
    std::size_t p = mBegin;
    for (;;) {
        const bool split = mFields.size() < mLimit;
        if (!split && !mHasRest) {
            mHasRest = true;
            mRestBegin = p;
        }
        bool quoted = false;
        if (p < mEnd && buffer[p] == '"') {
            std::size_t close = kNotQuoted;
            std::size_t breaks = 0;
            if (ScanQuoted(p, &close, &breaks) == Scan::NeedMore)
                return Scan::NeedMore;
            if (close != kNotQuoted) {
                if (split) {
                    mQuoted.push_back(mFields.size());
                    mFields.emplace_back(buffer + p + 1, close - p - 1);
                }
                mAnyQuote = mAnyQuote || split;
                *lineBreaks += breaks;
                p = close + 1;
                quoted = true;
            }
        }
        if (!quoted) {
            std::size_t q = p;
            for (;;) {
                q = PlainRun(buffer, q, mEnd);
                if (q == mEnd || buffer[q] != '"')
                    break;
                mAnyQuote = mAnyQuote || split;
                ++q;
            }
            if (q == mEnd && !mAtEnd)
                return Scan::NeedMore;
            if (split)
                mFields.emplace_back(buffer + p, q - p);
            p = q;
        }
        if (p == mEnd) {
            mLineEnd = *next = p;
            return Scan::Done;
        }
        if (buffer[p] == ',') {
            ++p;
            continue;
        }
        mLineEnd = p;
        if (buffer[p] == '\n') {
            *next = p + 1;
        } else {
            if (p + 1 == mEnd && !mAtEnd)
                return Scan::NeedMore;
            *next = p + 1 < mEnd && buffer[p + 1] == '\n' ? p + 2 : p + 1;
        }
        return Scan::Done;
    }
}

// The common record, a line ended by LF in the buffer with neither quote nor CR: the rules above
// make it the line split at its commas. Sixteen bytes are compared at a time, and the commas
// before the line end are taken from the bit masks, without a branch per byte. False, with
// nothing split, for any other record (and where SSE2 is missing).
bool SampleReader::ScanPlainLine(std::size_t* next) {
#if defined(__SSE2__)
    const char* const buffer = mBuffer.data();
    const auto matches = [](__m128i bytes, char c) {
        return unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c))));
    };
    mHasRest = mLimit == 0;
    mRestBegin = mBegin;
    std::size_t fieldBegin = mBegin;
    for (std::size_t w = mBegin; w + 16 <= mEnd; w += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(buffer + w));
        const unsigned stops = matches(bytes, '\n') | matches(bytes, '"') | matches(bytes, '\r');
        unsigned commas = matches(bytes, ',');
        if (stops != 0)
            commas &= (stops & -stops) - 1; // only those before the first stop
        for (; commas != 0 && !mHasRest; commas &= commas - 1) {
            const std::size_t at = w + std::size_t(__builtin_ctz(commas));
            mFields.emplace_back(buffer + fieldBegin, at - fieldBegin);
            fieldBegin = mRestBegin = at + 1;
            mHasRest = mFields.size() == mLimit;
        }
        if (stops != 0) {
            const std::size_t at = w + std::size_t(__builtin_ctz(stops));
            if (buffer[at] != '\n')
                break;
            if (!mHasRest)
                mFields.emplace_back(buffer + fieldBegin, at - fieldBegin);
            mLineEnd = at;
            *next = at + 1;
            return true;
        }
    }
    mFields.clear();
    mHasRest = false;
#else
    (void)next;
#endif
    return false;
}

// Quoted fields lose their quotes in place: the text only ever gets shorter.
void SampleReader::Unquote() {
    for (const std::size_t index : mQuoted) {
        std::string_view& field = mFields[index];
        char* const begin = mBuffer.data() + (field.data() - mBuffer.data());
        char* out = begin;
        for (std::size_t i = 0; i < field.size(); ++i) {
            *out++ = field[i];
            if (field[i] == '"')
                ++i; // the second of a doubled pair
        }
        field = std::string_view(begin, std::size_t(out - begin));
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
        if (mBegin == mEnd) {
            if (mAtEnd)
                return false;
            Refill();
            continue;
        }
        std::size_t next = 0;
        std::size_t lineBreaks = 0;
        const Scan scan = ScanRecord(&next, &lineBreaks);
        const std::size_t length = scan == Scan::Done ? mLineEnd - mBegin : mEnd - mBegin;
        if (length > kMaxRecordBytes) {
            mBegin = mEnd = 0;
            mAtEnd = true;
            throw RecordTooLongError(mNextLine);
        }
        if (scan == Scan::NeedMore) {
            Refill();
            continue;
        }
        const char* const buffer = mBuffer.data();
        mRest = mHasRest ? std::string_view(buffer + mRestBegin, mLineEnd - mRestBegin)
                         : std::string_view();
        Unquote();
        mBegin = next;
        mLine = mNextLine;
        mNextLine += lineBreaks + 1;
        return true;
    }
}
