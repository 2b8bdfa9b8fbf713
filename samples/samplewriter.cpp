#include "samples/samplewriter.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr std::array<bool, 256> kQuoteWorthy = [] {
    std::array<bool, 256> table{};
    for (const char c : {',', '"', '\n', '\r'})
        table[static_cast<unsigned char>(c)] = true;
    return table;
}();

bool NeedsQuotes(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return kQuoteWorthy[static_cast<unsigned char>(c)]; });
}

} // namespace

SampleWriter::SampleWriter(OutputSink& sink, std::size_t bufferSize)
    : mSink(sink), mBuffer(bufferSize > 0 ? bufferSize : 1) {}

void SampleWriter::Flush() {
    if (mUsed > 0)
        mSink.Write(mBuffer.data(), mUsed);
    mUsed = 0;
}

void SampleWriter::Put(std::string_view text) {
    if (text.empty())
        return; // an empty view may have no data to copy from
    if (text.size() > mBuffer.size() - mUsed) {
        Flush();
        if (text.size() > mBuffer.size()) {
            mSink.Write(text.data(), text.size());
            return;
        }
    }
    std::memcpy(mBuffer.data() + mUsed, text.data(), text.size());
    mUsed += text.size();
}

// One byte, without the copy call of Put: every field and record has one.
void SampleWriter::PutByte(char c) {
    if (mUsed == mBuffer.size())
        Flush();
    mBuffer[mUsed++] = c;
}

void SampleWriter::Separate() {
    if (mRecordStarted)
        PutByte(',');
    mRecordStarted = true;
}

void SampleWriter::Field(std::string_view text) {
    Separate();
    if (!NeedsQuotes(text)) {
        Put(text);
        return;
    }
    Put("\"");
    for (std::size_t quote = text.find('"'); quote != std::string_view::npos;
         quote = text.find('"')) {
        Put(text.substr(0, quote + 1));
        Put("\"");
        text.remove_prefix(quote + 1);
    }
    Put(text);
    Put("\"");
}

void SampleWriter::RawFields(std::string_view text) {
    Separate();
    Put(text);
}

void SampleWriter::EndRecord() {
    PutByte('\n');
    mRecordStarted = false;
}
