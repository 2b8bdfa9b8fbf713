#include "samples/samplewriter.h"

#include <cstring>

namespace {

bool NeedsQuotes(std::string_view text) {
    for (const char c : text) {
        if (c == ',' || c == '"' || c == '\n' || c == '\r')
            return true;
    }
    return false;
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

void SampleWriter::Separate() {
    if (mRecordStarted)
        Put(",");
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
    Put("\n");
    mRecordStarted = false;
}
